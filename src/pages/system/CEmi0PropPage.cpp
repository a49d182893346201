#include "pages/system/CEmi0PropPage.h"

#include "devices/Registers.h"

#include <string>
#include <vector>

namespace {

// "1 SYSCLK Cycle", "2 SYSCLK Cycles", ...; `unit` is the clock's name as each list spells it.
std::vector<std::string> Cycles(int first, int last, const std::string& unit) {
    std::vector<std::string> items;
    for (int n = first; n <= last; ++n)
        items.push_back(std::to_string(n) + " " + unit + (n == 1 ? " Cycle" : " Cycles"));
    return items;
}

}  // namespace

CEmi0PropPage::CEmi0PropPage() : CPropPage("EMI0") {
    BuildBound({
        {11091, ControlKind::Radio, "Internal Only", "EMI Mode", 0, EmiReg::EMI0CF, 0x0C, 0x00},
        {11092, ControlKind::Radio, "Split Mode w/out Bank Select", "EMI Mode", 0, EmiReg::EMI0CF,
         0x0C, 0x04},
        {11093, ControlKind::Radio, "Split Mode w/ Bank Select", "EMI Mode", 0, EmiReg::EMI0CF,
         0x0C, 0x08},
        {11094, ControlKind::Radio, "External Only", "EMI Mode", 0, EmiReg::EMI0CF, 0x0C, 0x0C},
        {11081, ControlKind::Radio, "Multiplexed Address/Data Mode", "EMI Multiplex Mode", 0,
         EmiReg::EMI0CF, 0x10, 0x00},
        {11082, ControlKind::Radio, "Non-multiplexed Mode", "EMI Multiplex Mode", 0, EmiReg::EMI0CF,
         0x10, 0x10},
        {11083, ControlKind::List, "ALE High and ALE Low Pulse Width:", "Timing", 1, EmiReg::EMI0CF,
         0x03, 0, Cycles(1, 4, "SYSCLK")},
        {11084, ControlKind::List, "EMI Address Setup Time:", "Timing", 1, EmiReg::EMI0TC, 0xC0, 6,
         Cycles(0, 3, "SYSCLK")},
        {11085, ControlKind::List, "/WR and /RD Pulse Width:", "Timing", 1, EmiReg::EMI0TC, 0x3C, 2,
         Cycles(1, 16, "SYSCLK")},
        {11086, ControlKind::List, "EMI Address Hold Time:", "Timing", 1, EmiReg::EMI0TC, 0x03, 0,
         Cycles(0, 3, "SYCLK")},
    });
}

void CEmi0PropPage::OnSetActive() {
    Refresh();
    RefreshPreview();
}
