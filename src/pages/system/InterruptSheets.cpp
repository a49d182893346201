#include "pages/system/InterruptSheets.h"

#include "pages/common/CommandIds.h"
#include "pages/system/InterruptPages.h"

CommandRow InterruptsCommand() {
    return {cmd::Interrupts,
            "Interrupts",
            {Pid::Interrupts},
            {SimplePage<CIntEnablePropPage>(), SimplePage<CIntPriorityPropPage>(),
             SimplePage<CInt01ConfigPropPage>()}};
}

bool RunInterruptsSheet(CDeviceDocument& doc, PeripheralRecord& interrupts) {
    std::vector<std::unique_ptr<CPropPage>> pages;
    pages.push_back(std::make_unique<CIntEnablePropPage>());
    pages.push_back(std::make_unique<CIntPriorityPropPage>());
    return RunNestedSheet(doc, "Interrupts", Pid::Interrupts, interrupts, std::move(pages));
}

bool RunExternalInterruptsSheet(CDeviceDocument& doc, PeripheralRecord& interrupts) {
    std::vector<std::unique_ptr<CPropPage>> pages;
    pages.push_back(std::make_unique<CInt01ConfigPropPage>());
    return RunNestedSheet(doc, "Interrupts", Pid::Interrupts, interrupts, std::move(pages));
}
