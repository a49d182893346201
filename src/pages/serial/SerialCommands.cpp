#include "pages/serial/SerialCommands.h"

#include "devices/Models.h"
#include "pages/common/CommandIds.h"
#include "pages/serial/CSMBusPropPage.h"
#include "pages/serial/CSpi0PropPage.h"
#include "pages/serial/CUart0PropPage.h"
#include "pages/serial/CUart1PropPage.h"

CommandRow UartCommand() {
    return {cmd::Uart,
            "UARTs",
            {Pid::Uart},
            {{[](CommandInputs& in) {
                 return std::unique_ptr<CPropPage>(
                     new CUart0PropPage(&in.Rec(Pid::Timers), &in.Rec(Pid::Interrupts),
                                        &in.Rec(Pid::PortIO), in.Sysclk()));
             }},
             {[](CommandInputs& in) {
                  return std::unique_ptr<CPropPage>(new CUart1PropPage(
                      &in.Rec(Pid::Interrupts), &in.Rec(Pid::PortIO), in.Sysclk()));
              },
              [](int deviceCode) { return models::IsLargePackage(deviceCode); }}}};
}

CommandRow SpiCommand() {
    return {cmd::Spi, "Enhanced Serial Peripheral Interface", {Pid::Spi}, {{[](CommandInputs& in) {
                return std::unique_ptr<CPropPage>(
                    new CSpi0PropPage(&in.Rec(Pid::Interrupts), &in.Rec(Pid::PortIO), in.Sysclk()));
            }}}};
}

CommandRow SmbusCommand() {
    return {
        cmd::Smbus, "SMBus", {Pid::Smbus}, {{[](CommandInputs& in) {
            return std::unique_ptr<CPropPage>(new CSMBusPropPage(
                &in.Rec(Pid::Timers), &in.Rec(Pid::Interrupts), &in.Rec(Pid::PortIO), in.Sysclk()));
        }}}};
}
