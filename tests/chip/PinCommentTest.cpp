#include <gtest/gtest.h>

#include "support/PortIOProject.h"

using namespace portio;

namespace {

std::string UnassignedLine(int port, int bit) {
    return "    // P" + std::to_string(port) + "." + std::to_string(bit) +
           "  -  Unassigned,  Open-Drain, Digital\r\n";
}

}  // namespace

// The groups in both languages: port_io.zvs and port_io_small_package.zvs
// compare the generated files; here the labels and pin states they do not show.
TEST(PinComment, SmallPackageTextAndGrouping) {
    PortIOProject p(kSmallModel);
    CCrossbar xbar(false, p.spi);
    p.Reg(PortIOReg::XBR0) = 0x01 | 0x10;  // UART0, CP0
    p.Skip(0);
    p.Skip(8);
    p.Reg(PortIOReg::P0MDOUT) = 0x10;  // P0.4 push-pull
    p.Reg(PortIOReg::P0MDIN) = 0xF7;   // P0.3 analog
    p.Reg(PortIOReg::P3MDOUT) = 0x01;  // P3.0 push-pull ...
    p.Reg(PortIOReg::P3MDIN) = 0xFE;   // ... and analog
    p.port.CPrologue = "old";
    xbar.DecodeCrossbar(p.port);
    xbar.BuildPinComment(p.port);

    std::string expected =
        "    // P0.0  -  Skipped,     Open-Drain, Digital\r\n"
        "    // P0.1  -  CP0  (Cmp0), Open-Drain, Digital\r\n"
        "    // P0.2  -  Unassigned,  Open-Drain, Digital\r\n"
        "    // P0.3  -  Unassigned,  Open-Drain, Analog\r\n"
        "    // P0.4  -  TX0 (UART0), Push-Pull,  Digital\r\n"
        "    // P0.5  -  RX0 (UART0), Open-Drain, Digital\r\n"
        "    // P0.6  -  Unassigned,  Open-Drain, Digital\r\n"
        "    // P0.7  -  Unassigned,  Open-Drain, Digital\r\n"
        "\r\n"
        "    // P1.0  -  Skipped,     Open-Drain, Digital\r\n";
    for (int bit = 1; bit < 8; ++bit)
        expected += UnassignedLine(1, bit);
    expected += "\r\n";
    for (int bit = 0; bit < 8; ++bit)
        expected += UnassignedLine(2, bit);
    expected +=
        "\r\n"
        "    // P3.0  -  Unassigned,  Push-Pull,  Analog\r\n"
        "\r\n";
    EXPECT_EQ(p.port.CPrologue, expected);

    // The assembly text has the same lines behind "    ; ".
    for (std::size_t at; (at = expected.find("    // ")) != std::string::npos;)
        expected.replace(at, 7, "    ; ");
    EXPECT_EQ(p.port.AsmPrologue, expected);
}

// What asks nothing (a new project, weak pull-ups disabled, skips and analog
// pins alone) and a push-pull pin of port 4: port_io_rules.zvs; routed
// peripherals and a push-pull pin: port_io.zvs and the CrossbarNotEnabled problem.
TEST(CrossbarOk, WhenTheCrossbarQuestionIsAsked) {
    EXPECT_TRUE(IsUntouched(PortIOProject(kLargeModel).port));
    // UART1's routing bit and another XBR1 bit ask as well.
    for (const auto& [position, value] : std::vector<std::pair<int, std::uint8_t>>{
             {PortIOReg::XBR2, 0x01}, {PortIOReg::XBR1, 0x88}}) {
        PortIOProject p(kLargeModel);
        p.Reg(position) = value;
        EXPECT_TRUE(NeedsCrossbarQuestion(p.port)) << position;
        EnableCrossbar(p.port);
        EXPECT_EQ(p.Reg(PortIOReg::XBR1), (position == PortIOReg::XBR1 ? value : 0) | 0x40);
        EXPECT_FALSE(NeedsCrossbarQuestion(p.port)) << position;
        EXPECT_FALSE(IsUntouched(p.port));
    }
}
