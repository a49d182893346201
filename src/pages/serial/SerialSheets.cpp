#include "pages/serial/SerialSheets.h"

#include "devices/Models.h"
#include "pages/serial/CSMBusPropPage.h"
#include "pages/serial/CSpi0PropPage.h"
#include "pages/serial/CUart0PropPage.h"
#include "pages/serial/CUart1PropPage.h"

SheetPlan UartSheet() {
    return {.caption = "UARTs",
            .stored = {Pid::Uart},
            .pages = {MakePage<CUart0PropPage>(), MakePage<CUart1PropPage>([](int deviceCode) {
                          return models::IsLargePackage(deviceCode);
                      })},
            .copied = {Pid::Interrupts, Pid::PortIO, Pid::Timers}};
}

SheetPlan SpiSheet() {
    return {.caption = "Enhanced Serial Peripheral Interface",
            .stored = {Pid::Spi},
            .pages = {MakePage<CSpi0PropPage>()},
            .copied = {Pid::Interrupts, Pid::PortIO}};
}

SheetPlan SmbusSheet() {
    return {.caption = "SMBus",
            .stored = {Pid::Smbus},
            .pages = {MakePage<CSMBusPropPage>()},
            .copied = {Pid::Timers, Pid::Interrupts, Pid::PortIO}};
}
