#include "pages/system/InterruptSheets.h"

#include "pages/system/InterruptPages.h"

SheetSpec InterruptsSheet() {
    return {.caption = "Interrupts",
            .stored = {Pid::Interrupts},
            .pages = {MakePage<CIntEnablePropPage>(), MakePage<CIntPriorityPropPage>(),
                      MakePage<CInt01ConfigPropPage>()}};
}

SheetSpec InterruptEnableSheet() {
    return {.caption = "Interrupts",
            .stored = {Pid::Interrupts},
            .pages = {MakePage<CIntEnablePropPage>(), MakePage<CIntPriorityPropPage>()},
            .shared = {Pid::Interrupts}};
}

SheetSpec ExternalInterruptsSheet() {
    return {.caption = "Interrupts",
            .stored = {Pid::Interrupts},
            .pages = {MakePage<CInt01ConfigPropPage>()},
            .shared = {Pid::Interrupts}};
}
