#include "pages/clock/COscIntPropPage.h"

namespace {

constexpr int kEnable = 11164;
constexpr int kFirstDivider = 11160;  // / 8, / 4, / 2, / 1 up to 11163

constexpr const char* kHfRates[4] = {"(1.5 MHz)", "(3 MHz)", "(6 MHz)", "(12 MHz)"};
constexpr const char* kLfRates[4] = {"(10 kHz)", "(20 kHz)", "(40 kHz)", "(80 kHz)"};

}  // namespace

COscInternalPage::COscInternalPage(const std::string& caption, const OscClockWords& words, int position,
                                   const std::string& name, const char* const (&rates)[4])
    : COscPage(caption, words) {
    const char* divisors[4] = {" / 8  ", " / 4  ", " / 2  ", " / 1  "};
    std::vector<BitControl> table = {
        {kEnable, ControlKind::Check, "Enable " + name, "Oscillator Control", 0, position, osc::kEnableBit, 0}};
    for (int i = 0; i < 4; ++i)
        table.push_back({kFirstDivider + i, ControlKind::Radio, name + divisors[i] + rates[i], "Oscillator Divider",
                         0, position, osc::kDividerMask, static_cast<std::uint8_t>(i)});
    BuildBound(table);
}

void COscInternalPage::OnCommand(int id) {
    CPropPage::OnCommand(id);
    if (id == kEnable || (id >= kFirstDivider && id < kFirstDivider + 4)) StoreSysclk(osc::RecomputeA(Regs(), ClockValues()));
}

COscIntPropPage::COscIntPropPage(const OscClockWords& words)
    : COscInternalPage("Internal H-F Oscillator", words, osc::kOscicn, "Internal H-F Oscillator", kHfRates) {}

COscIntLFPropPage::COscIntLFPropPage(const OscClockWords& words)
    : COscInternalPage("Internal L-F Oscillator", words, osc::kOsclcn, "Internal L-F Oscillator", kLfRates) {}
