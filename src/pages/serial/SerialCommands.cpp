#include "pages/serial/SerialCommands.h"

#include "pages/common/CommandIds.h"
#include "pages/serial/CSpi0PropPage.h"

CommandRow SpiCommand() {
    return {cmd::Spi,
            "Enhanced Serial Peripheral Interface",
            {Pid::Spi},
            {{[](CommandInputs& in) {
                return std::unique_ptr<CPropPage>(
                    new CSpi0PropPage(&in.Rec(Pid::Interrupts), &in.Rec(Pid::PortIO), in.Sysclk()));
            }}}};
}
