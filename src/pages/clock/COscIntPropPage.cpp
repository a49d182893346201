#include "pages/clock/COscIntPropPage.h"

#include "devices/Registers.h"

namespace {

constexpr int kEnable = 11164;
constexpr int kFirstDivider = 11160;  // / 8, / 4, / 2, / 1 up to 11163

// The check box, then the four dividers (bits 1..0 = 0 .. 3).
constexpr const char* kHfCaptions[5] = {
    "Enable Internal H-F Oscillator", "Internal H-F Oscillator / 8  (1.5 MHz)",
    "Internal H-F Oscillator / 4  (3 MHz)", "Internal H-F Oscillator / 2  (6 MHz)",
    "Internal H-F Oscillator / 1  (12 MHz)"};
constexpr const char* kLfCaptions[5] = {
    "Enable Internal L-F Oscillator", "Internal L-F Oscillator / 8  (10 kHz)",
    "Internal L-F Oscillator / 4  (20 kHz)", "Internal L-F Oscillator / 2  (40 kHz)",
    "Internal L-F Oscillator / 1  (80 kHz)"};

}  // namespace

COscInternalPage::COscInternalPage(PageContext& context, const std::string& caption,
                                   int position, const char* const (&captions)[5])
    : COscPage(context, caption) {
    PageBuilder b = Builder();
    b.Group("Oscillator Control");
    b.Check(kEnable, captions[0]).Bit(position, osc::kEnableBit);
    b.Group("Oscillator Divider");
    for (int i = 0; i < 4; ++i)
        b.Radio(kFirstDivider + i, captions[i + 1])
            .Field(position, osc::kDividerMask, static_cast<std::uint8_t>(i));
    b.Preview();
}

void COscInternalPage::OnCommand(int id) {
    CPropPage::OnCommand(id);
    if (id == kEnable || (id >= kFirstDivider && id < kFirstDivider + 4))
        StoreSysclk(osc::RecomputeA(Regs(), ClockValues()));
}

COscIntPropPage::COscIntPropPage(PageContext& context)
    : COscInternalPage(context, "Internal H-F Oscillator", OscillatorReg::OSCICN, kHfCaptions) {}

COscIntLFPropPage::COscIntLFPropPage(PageContext& context)
    : COscInternalPage(context, "Internal L-F Oscillator", OscillatorReg::OSCLCN, kLfCaptions) {}
