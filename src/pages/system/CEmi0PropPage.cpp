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
    using namespace EmiReg;
    PageBuilder b = Builder();
    b.Group("EMI Mode");
    b.Radio(11091, "Internal Only").Field(EMI0CF, 0x0C, 0x00);
    b.Radio(11092, "Split Mode w/out Bank Select").Field(EMI0CF, 0x0C, 0x04);
    b.Radio(11093, "Split Mode w/ Bank Select").Field(EMI0CF, 0x0C, 0x08);
    b.Radio(11094, "External Only").Field(EMI0CF, 0x0C, 0x0C);
    b.Group("EMI Multiplex Mode");
    b.Radio(11081, "Multiplexed Address/Data Mode").Field(EMI0CF, 0x10, 0x00);
    b.Radio(11082, "Non-multiplexed Mode").Field(EMI0CF, 0x10, 0x10);
    b.NextColumn();
    b.Group("Timing");
    b.List(11083, "ALE High and ALE Low Pulse Width:", Cycles(1, 4, "SYSCLK")).Field(EMI0CF, 0x03);
    b.List(11084, "EMI Address Setup Time:", Cycles(0, 3, "SYSCLK")).Field(EMI0TC, 0xC0);
    b.List(11085, "/WR and /RD Pulse Width:", Cycles(1, 16, "SYSCLK")).Field(EMI0TC, 0x3C);
    b.List(11086, "EMI Address Hold Time:", Cycles(0, 3, "SYCLK")).Field(EMI0TC, 0x03);
    b.Preview();
}
