#include "pages/analog/ComparatorSheets.h"

#include "pages/analog/CComparatorPropPage.h"

namespace {
constexpr const char* kSheetCaption = "Comparator";
}  // namespace

SheetPlan ComparatorsSheet() {
    return {.caption = kSheetCaption,
            .stored = {Pid::Comparators},
            .pages = {MakePage<CComparator0PropPage>(), MakePage<CComparator1PropPage>()},
            .copied = {Pid::PortIO, Pid::Interrupts}};
}

SheetPlan Comparator0Sheet() {
    return {.caption = kSheetCaption,
            .stored = {Pid::Comparators},
            .pages = {MakePage<CComparator0PropPage>()},
            .copied = {Pid::PortIO, Pid::Interrupts},
            .shared = {Pid::Comparators}};
}
