#include "pages/analog/ComparatorSheets.h"

#include "devices/Models.h"
#include "pages/analog/CComparatorPropPage.h"
#include "pages/common/CommandIds.h"

namespace {

constexpr const char* kSheetCaption = "Comparator";

template <class Page>
PageRow ComparatorPage() {
    return {[](CommandInputs& in) {
        return std::unique_ptr<CPropPage>(
            new Page(&in.Rec(Pid::PortIO), &in.Rec(Pid::Interrupts), in.LargePackage() != 0));
    }};
}

}  // namespace

CommandRow ComparatorsCommand() {
    return {cmd::Comparators,
            kSheetCaption,
            {Pid::Comparators},
            {ComparatorPage<CComparator0PropPage>(), ComparatorPage<CComparator1PropPage>()}};
}

bool RunComparator0Sheet(CDeviceDocument& doc, PeripheralRecord& comparators) {
    PeripheralRecord portIO;
    PeripheralRecord interrupts;
    doc.GetPeripheral(portIO, Pid::PortIO);
    doc.GetPeripheral(interrupts, Pid::Interrupts);
    CompleteRecord(portIO, doc.DeviceCode, Pid::PortIO);
    CompleteRecord(interrupts, doc.DeviceCode, Pid::Interrupts);
    std::vector<std::unique_ptr<CPropPage>> pages;
    pages.push_back(std::make_unique<CComparator0PropPage>(&portIO, &interrupts,
                                                           models::IsLargePackage(doc.DeviceCode)));
    return RunNestedSheet(doc, kSheetCaption, Pid::Comparators, comparators, std::move(pages));
}
