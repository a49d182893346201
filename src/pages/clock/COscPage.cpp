#include "pages/clock/COscPage.h"

#include "devices/Registers.h"

#include <QTabBar>
#include <QTabWidget>

#include "pages/common/PageContext.h"

COscPage::COscPage(PageContext& context, const std::string& caption)
    : CPropPage(context, caption) {}

void COscPage::OnInitDialog() {
    // The sheet has six tabs: the pages make room for all of them, so that
    // none is scrolled out of sight.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            setMinimumWidth(tabs->tabBar()->sizeHint().width());
            break;
        }
    }
    CPropPage::OnInitDialog();
}

void COscPage::ResetRegisters() {
    ResetAllRegisters();
    Ctx().SetSysclk(osc::kDefaultSysclk);
    Ctx().SetExtOsc(0);
}

osc::OscRegs COscPage::Regs() const {
    return {Value(OscillatorReg::OSCXCN), Value(OscillatorReg::OSCICN),
            Value(OscillatorReg::OSCLCN), Value(OscillatorReg::CLKMUL),
            Value(OscillatorReg::CLKSEL)};
}

osc::Clocks COscPage::ClockValues() const {
    return {Ctx().IntOsc(), Ctx().LfOsc(), Ctx().ExtOsc()};
}

void COscPage::StoreSysclk(std::optional<std::uint32_t> value) {
    if (value) Ctx().SetSysclk(*value);
}

void COscPage::CheckIndex(int first, int last, int index) {
    for (int id = first; id <= last; ++id)
        if (Has(id)) Check(id, id - first == index);
}

void COscPage::AddDisplays(PageBuilder& b, std::initializer_list<Display> inputs,
                           const char* speedGroup, int speedId) {
    for (const Display& d : inputs) {
        b.Edit(d.id, d.label, "Hz");
        Enable(d.id, false);
    }
    b.Group(speedGroup);
    b.Edit(speedId, "", "Hz");
    Enable(speedId, false);
    b.Stretch();
    b.Preview();
}
