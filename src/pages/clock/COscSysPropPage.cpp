#include "pages/clock/COscSysPropPage.h"

#include "chip/OscText.h"
#include "devices/Models.h"
#include "devices/Registers.h"
#include "model/Ui.h"
#include "pages/clock/COscMulPropPage.h"

namespace {

constexpr int kFirstSource = 11437;
constexpr int kLastSource = 11442;
constexpr int kSourceIds[5] = {11437, 11438, 11439, 11440, 11442};  // sources 0 .. 4
constexpr int kMultiplier = 11440;
constexpr int kLowFreq = 11442;
constexpr int kSysclkSpeed = 11170;

int SourceOf(int id) {
    for (int s = 0; s < 5; ++s)
        if (kSourceIds[s] == id) return s;
    return -1;
}

}  // namespace

COscSysPropPage::COscSysPropPage(PageContext& context) : COscPage(context, "SYSCLK Select") {
    PageBuilder b = Builder();
    b.Group("SYSCLK Source");
    const char* captions[5] = {
        "Use Internal H-F Oscillator as SYSCLK", "Use External Oscillator as SYSCLK",
        "Use Clock Multiplier / 2 as SYSCLK", "Use Clock Multiplier as SYSCLK",
        "Use Internal L-F Oscillator as SYSCLK"};
    for (int s = 0; s < 5; ++s)
        b.Radio(kSourceIds[s], captions[s], false);
    AddDisplays(b, {}, "SYSCLK Speed", kSysclkSpeed);
}

void COscSysPropPage::OnInitDialog() {
    const int code = DeviceCode();
    Show(kMultiplier, !models::IsUpperFour(code));
    Show(kLowFreq, !models::HasNoLfOscillator(code));
    COscPage::OnInitDialog();
}

void COscSysPropPage::UpdateSysclk() {
    StoreSysclk(osc::SysclkD(Regs(), ClockValues()));
    SetText(kSysclkSpeed, osc::Decimal(Ctx().Sysclk()));
}

void COscSysPropPage::Refresh() {
    const int source = Regs().Source();
    for (int s = 0; s < 5; ++s)
        Check(kSourceIds[s], s == source);
    UpdateSysclk();
}

void COscSysPropPage::OnCommand(int id) {
    const int source = SourceOf(id);
    if (source < 0) {
        COscPage::OnCommand(id);
        return;
    }
    SetField(OscillatorReg::CLKSEL, osc::kSysclkSourceMask, static_cast<std::uint8_t>(source));
    CheckRadio(kFirstSource, kLastSource, id);
    // Running from the multiplier while it is off is allowed, but asked about.
    if ((source == osc::kSrcMulHalf || source == osc::kSrcMul) &&
        !TestBits(OscillatorReg::CLKMUL, osc::kEnableBit) &&
        TheUi().Ask(osc::kEnableMultiplierQuestion))
        EnableClockMultiplier(*this, true);
    UpdateSysclk();
    RefreshPreview();
}
