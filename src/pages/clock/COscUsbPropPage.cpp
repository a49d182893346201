#include "pages/clock/COscUsbPropPage.h"

#include "devices/Registers.h"

namespace {

constexpr int kFirstSource = 11396;  // USB clock sources 0x00 .. 0x50
constexpr int kLastSource = 11401;
constexpr int kInternal = 11402;
constexpr int kExternal = 11403;
constexpr int kMultiplier = 11404;
constexpr int kUsbSpeed = 11170;

}  // namespace

COscUsbPropPage::COscUsbPropPage(PageContext& context) : COscPage(context, "USB Clock Source") {
    PageBuilder b = Builder();
    b.Group("USB Clock Source");
    const char* sources[6] = {"Clock Multiplier",        "Internal Oscillator / 2",
                              "External Oscillator",     "External Oscillator / 2",
                              "External Oscillator / 3", "External Oscillator / 4"};
    for (int i = 0; i < 6; ++i)
        b.Radio(kFirstSource + i, sources[i], false);
    b.NextColumn();
    b.Group("Source Frequencies");
    AddDisplays(b,
                {{kMultiplier, "Clock Multiplier:"},
                 {kInternal, "Internal Oscillator:"},
                 {kExternal, "External Oscillator:"}},
                "USB Clock Speed", kUsbSpeed);
}

void COscUsbPropPage::UpdateUsbSpeed() {
    // With no multiplier input selected the display keeps its last value.
    const auto mul = osc::UsbMultiplier(Regs(), ClockValues());
    const std::uint32_t shownMul = mul ? *mul : osc::FrequencyFromText(Text(kMultiplier));
    if (const auto speed = osc::UsbClockSpeed(Regs(), ClockValues(), shownMul))
        SetText(kUsbSpeed, osc::Decimal(*speed));
}

void COscUsbPropPage::Refresh() {
    const osc::OscRegs r = Regs();
    CheckIndex(kFirstSource, kLastSource, r.UsbSource() >> 4);
    if (const auto mul = osc::UsbMultiplier(r, ClockValues()))
        SetText(kMultiplier, osc::Decimal(*mul));
    SetText(kInternal, osc::Decimal(osc::Divided(Ctx().IntOsc(), r.oscicn)));
    SetText(kExternal, osc::Decimal(Ctx().ExtOsc()));
    UpdateUsbSpeed();
}

void COscUsbPropPage::OnCommand(int id) {
    if (id >= kFirstSource && id <= kLastSource) {
        SetField(OscillatorReg::CLKSEL, osc::kUsbSourceMask,
                 static_cast<std::uint8_t>((id - kFirstSource) << 4));
        CheckRadio(kFirstSource, kLastSource, id);
        UpdateUsbSpeed();
        RefreshPreview();
    } else {
        COscPage::OnCommand(id);
    }
}
