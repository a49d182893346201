#include "pages/portio/PortIOSheet.h"

#include "devices/Models.h"
#include "pages/common/CommandIds.h"
#include "pages/portio/PortIOPages.h"

CommandRow PortIOCommand() {
    return {cmd::PortIO,
            portio::kSheetCaption,
            {Pid::PortIO},
            {{[](CommandInputs& in) {
                 return std::unique_ptr<CPropPage>(
                     new CPortIOCrossbarPropPage(in.LargePackage() != 0, in.Rec(Pid::Spi)));
             }},
             {[](CommandInputs&) { return std::unique_ptr<CPropPage>(new CPortIOInOutPropPage()); },
              [](int deviceCode) { return models::IsLargePackage(deviceCode); }}}};
}

bool RunPortIOSheet(CDeviceDocument& doc, PeripheralRecord* portCopy, const PeripheralRecord* spiCopy) {
    PeripheralRecord freshPort;
    if (!portCopy) {
        doc.GetPeripheral(freshPort, Pid::PortIO);
        portCopy = &freshPort;
    }
    PeripheralRecord freshSpi;
    if (!spiCopy) {
        doc.GetPeripheral(freshSpi, Pid::Spi);
        spiCopy = &freshSpi;
    }
    return RunNestedSheet(doc, portio::kSheetCaption, Pid::PortIO, *portCopy,
                          MakePortIOPages(models::IsLargePackage(doc.DeviceCode), *spiCopy));
}
