#include "pages/system/InterruptSheets.h"

#include "pages/system/InterruptPages.h"

SheetPlan InterruptsSheet() {
    return {.caption = "Interrupts",
            .stored = {Pid::Interrupts},
            .pages = {MakePage<CIntEnablePropPage>(), MakePage<CIntPriorityPropPage>(),
                      MakePage<CInt01ConfigPropPage>()}};
}

SheetPlan InterruptEnableSheet() {
    return {.caption = "Interrupts",
            .stored = {Pid::Interrupts},
            .pages = {MakePage<CIntEnablePropPage>(), MakePage<CIntPriorityPropPage>()},
            .shared = {Pid::Interrupts}};
}

SheetPlan ExternalInterruptsSheet() {
    return {.caption = "Interrupts",
            .stored = {Pid::Interrupts},
            .pages = {MakePage<CInt01ConfigPropPage>()},
            .shared = {Pid::Interrupts}};
}
