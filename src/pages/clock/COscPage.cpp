#include "pages/clock/COscPage.h"

#include "devices/Registers.h"

#include <QTabBar>
#include <QTabWidget>

COscPage::COscPage(const std::string& caption, const OscClockWords& words)
    : CPropPage(caption), words_(words) {}

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

void COscPage::OnSetActive() {
    Refresh();
    RefreshPreview();
}

void COscPage::ResetRegisters() {
    ResetAllRegisters();
    *words_.sysclk = osc::kDefaultSysclk;
    *words_.extOsc = 0;
}

osc::OscRegs COscPage::Regs() const {
    return {Value(OscillatorReg::OSCXCN), Value(OscillatorReg::OSCICN),
            Value(OscillatorReg::OSCLCN), Value(OscillatorReg::CLKMUL),
            Value(OscillatorReg::CLKSEL)};
}

osc::Clocks COscPage::ClockValues() const {
    return {words_.intOsc, words_.lfOsc, *words_.extOsc};
}

void COscPage::StoreSysclk(std::optional<std::uint32_t> value) {
    if (value) *words_.sysclk = *value;
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
