#include "pages/clock/COscMulPropPage.h"

#include "chip/OscText.h"
#include "devices/Registers.h"

namespace {

constexpr int kEnable = 11395;
constexpr int kFirstInput = 11396;  // internal * 2, external * 2, external * 1
constexpr int kLastInput = 11398;
constexpr int kInternal = 11402;
constexpr int kExternal = 11403;
constexpr int kHalfSpeed = 11436;

}  // namespace

void EnableClockMultiplier(CRegisterAccess& page, bool on) {
    page.SetBits(on ? 1 : 0, OscillatorReg::CLKMUL, osc::kEnableBit);
    osc::ApplyMultiplierCode(*page.Record(), on);
}

COscMulPropPage::COscMulPropPage(PageContext& context) : COscPage(context, "Clock Multiplier") {
    PageBuilder b = Builder();
    b.Group("Clock Multiplier Enable");
    b.Check(kEnable, "Enable Clock Multiplier");
    b.Group("Clock Multiplier Input");
    b.Radio(kFirstInput, "Internal Oscillator * 2", false);
    b.Radio(kFirstInput + 1, "External Oscillator * 2", false);
    b.Radio(kFirstInput + 2, "External Oscillator * 1", false);
    b.NextColumn();
    b.Group("Input Frequencies");
    AddDisplays(b, {{kInternal, "Internal Oscillator:"}, {kExternal, "External Oscillator:"}},
                "Clock Multiplier / 2 Speed", kHalfSpeed);
}

void COscMulPropPage::UpdateHalfSpeed() {
    const auto speed = osc::MultiplierHalfSpeed(Regs(), ClockValues());
    SetText(kHalfSpeed, speed ? osc::Decimal(*speed) : std::string());
}

void COscMulPropPage::Refresh() {
    const osc::OscRegs r = Regs();
    Check(kEnable, (r.clkmul & osc::kEnableBit) != 0);
    CheckIndex(kFirstInput, kLastInput, r.Input());
    UpdateHalfSpeed();
    if (r.Source() == osc::kSrcMulHalf || r.Source() == osc::kSrcMul)
        StoreSysclk(osc::RecomputeC(r, ClockValues()));
    SetText(kInternal, osc::Decimal(Ctx().IntOsc()));
    SetText(kExternal, osc::Decimal(osc::ExtEff(r.oscxcn, Ctx().ExtOsc())));
}

void COscMulPropPage::OnCommand(int id) {
    if (id == kEnable) {
        EnableClockMultiplier(*this, IsChecked(kEnable));
        RefreshPreview();
    } else if (id >= kFirstInput && id <= kLastInput) {
        SetField(OscillatorReg::CLKMUL, osc::kMulInputMask,
                 static_cast<std::uint8_t>(id - kFirstInput));
        CheckRadio(kFirstInput, kLastInput, id);
        UpdateHalfSpeed();
        RefreshPreview();
    } else {
        COscPage::OnCommand(id);
    }
}
