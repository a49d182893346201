#include "pages/pca/PcaSheet.h"

#include "pages/pca/CPca0ModulePropPage.h"
#include "pages/pca/CPca0PropPage.h"

namespace {

PagePlan ModulePage(int module) {
    return {[module](PageContext& context) -> std::unique_ptr<CPropPage> {
        return std::make_unique<CPca0ModulePropPage>(context, module);
    }};
}

}  // namespace

SheetPlan PcaSheet() {
    return {.caption = "Programmable Counter Array",
            .stored = {Pid::Pca},
            .pages = {MakePage<CPca0PropPage>(), ModulePage(0), ModulePage(1), ModulePage(2),
                      ModulePage(3), MakePage<CPca0Module4PropPage>()},
            .copied = {Pid::Interrupts, Pid::PortIO, Pid::Timers}};
}
