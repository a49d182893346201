#include "pages/system/SystemSheets.h"

#include "pages/system/CEmi0PropPage.h"
#include "pages/system/CPrefetchPropPage.h"
#include "pages/system/CVoltageRefPropPage.h"
#include "pages/system/CVoltageRegPropPage.h"

SheetPlan VoltageRegulatorSheet() {
    return {.caption = "Voltage Regulator",
            .stored = {Pid::VoltageRegulator},
            .pages = {MakePage<CVoltageRegPropPage>()}};
}

SheetPlan PrefetchSheet() {
    return {.caption = "Prefetch Engine",
            .stored = {Pid::Prefetch},
            .pages = {MakePage<CPrefetchPropPage>()}};
}

SheetPlan EmiSheet() {
    // The page is also handed a copy of the Port I/O record, which it does not read.
    return {.caption = "EMI", .stored = {Pid::Emi}, .pages = {MakePage<CEmi0PropPage>()}};
}

SheetPlan VoltageReferenceSheet() {
    return {.caption = "Voltage Reference",
            .stored = {Pid::VoltageReference},
            .pages = {MakePage<CVoltageRefPropPage>()},
            .copied = {Pid::PortIO}};
}
