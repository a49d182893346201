#include "pages/pca/PcaCommand.h"

#include "pages/common/CommandIds.h"
#include "pages/pca/CPca0ModulePropPage.h"
#include "pages/pca/CPca0PropPage.h"

namespace {

PageRow ModulePage(int module) {
    return {[module](CommandInputs& in) {
        PeripheralRecord* port = &in.Rec(Pid::PortIO);
        PeripheralRecord* timers = &in.Rec(Pid::Timers);
        if (module == 4)
            return std::unique_ptr<CPropPage>(
                new CPca0Module4PropPage(port, timers, in.Sysclk(), in.ExtOsc(), in.Eci()));
        return std::unique_ptr<CPropPage>(
            new CPca0ModulePropPage(module, port, timers, in.Sysclk(), in.ExtOsc(), in.Eci()));
    }};
}

}  // namespace

CommandRow PcaCommand() {
    return {cmd::Pca,
            "Programmable Counter Array",
            {Pid::Pca},
            {{[](CommandInputs& in) {
                 return std::unique_ptr<CPropPage>(
                     new CPca0PropPage(&in.Rec(Pid::Interrupts), in.Eci()));
             }},
             ModulePage(0),
             ModulePage(1),
             ModulePage(2),
             ModulePage(3),
             ModulePage(4)}};
}
