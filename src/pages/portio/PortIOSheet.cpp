#include "pages/portio/PortIOSheet.h"

#include "devices/Models.h"
#include "pages/portio/PortIOPages.h"

SheetPlan PortIOSheet() {
    return {.caption = portio::kSheetCaption,
            .stored = {Pid::PortIO},
            .pages = {MakePage<CPortIOCrossbarPropPage>(),
                      MakePage<CPortIOInOutPropPage>(
                          [](int deviceCode) { return models::IsLargePackage(deviceCode); })},
            .copied = {Pid::Spi},
            .shared = {Pid::PortIO, Pid::Spi}};
}
