#include <gtest/gtest.h>

#include <cstdio>

#include "support/PortIOProject.h"

using namespace portio;

namespace {

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        out.push_back(text.substr(from, at - from));
    EXPECT_EQ(from, text.size()) << "text does not end in CR LF";
    return out;
}

std::string UnassignedLine(int port, int bit) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "    // P%d.%d  -  Unassigned,  Open-Drain, Digital\r\n", port,
                  bit);
    return buf;
}

}  // namespace

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
    const auto asmLines = SplitCrLf(p.port.AsmPrologue);
    ASSERT_EQ(asmLines.size(), 29u);
    EXPECT_EQ(asmLines[4], "    ; P0.4  -  TX0 (UART0), Push-Pull,  Digital");
    EXPECT_EQ(asmLines[27], "    ; P3.0  -  Unassigned,  Push-Pull,  Analog");
    for (int empty : {8, 17, 26, 28})
        EXPECT_EQ(asmLines[static_cast<std::size_t>(empty)], "");
}

TEST(PinComment, LargePackageHasFourGroupsOfEight) {
    PortIOProject p(kLargeModel);
    CCrossbar xbar(true, p.spi);
    p.Reg(PortIOReg::XBR2) = 0x01;  // UART1
    p.SkipRange(0, 29);
    xbar.DecodeCrossbar(p.port);
    xbar.BuildPinComment(p.port);

    const auto c = SplitCrLf(p.port.CPrologue);
    const auto a = SplitCrLf(p.port.AsmPrologue);
    ASSERT_EQ(c.size(), 36u);
    ASSERT_EQ(a.size(), 36u);
    for (std::size_t i = 0; i < c.size(); ++i) {
        const bool separator = i == 8 || i == 17 || i == 26 || i == 35;
        EXPECT_EQ(c[i].empty(), separator) << "line " << i;
        if (!separator) {
            EXPECT_EQ(c[i].substr(7), a[i].substr(6)) << "line " << i;
        }
    }
    EXPECT_EQ(c[9], "    // P1.0  -  Skipped,     Open-Drain, Digital");
    EXPECT_EQ(a[33], "    ; P3.6  -  TX1 (UART1), Open-Drain, Digital");
    EXPECT_EQ(a[34], "    ; P3.7  -  RX1 (UART1), Open-Drain, Digital");
}

// What asks nothing (a new project, weak pull-ups disabled, skips and analog
// pins alone) and a push-pull pin of port 4: port_io_rules.zvs.
TEST(CrossbarOk, WhenTheCrossbarQuestionIsAsked) {
    EXPECT_TRUE(IsUntouched(PortIOProject(kLargeModel).port));
    // A push-pull pin, a routed peripheral or another XBR1 bit asks.
    for (const auto& [position, value] :
         std::vector<std::pair<int, std::uint8_t>>{{PortIOReg::P0MDOUT, 0x01},
                                                   {PortIOReg::XBR0, 0x01},
                                                   {PortIOReg::XBR2, 0x01},
                                                   {PortIOReg::XBR1, 0x88}}) {
        PortIOProject p(kLargeModel);
        p.Reg(position) = value;
        EXPECT_TRUE(NeedsCrossbarQuestion(p.port)) << position;
        EnableCrossbar(p.port);
        EXPECT_EQ(p.Reg(PortIOReg::XBR1), (position == PortIOReg::XBR1 ? value : 0) | 0x40);
        EXPECT_FALSE(NeedsCrossbarQuestion(p.port)) << position;
        EXPECT_FALSE(IsUntouched(p.port));
    }
}
