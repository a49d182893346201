#include <gtest/gtest.h>

#include <optional>

#include "support/PortIOProject.h"

using namespace portio;

namespace {

using Cells = std::vector<CrossbarDecode::Cell>;
constexpr int SkipBox(int pin) {
    return 11464 + pin;
}

std::optional<EnableAction> ActionFor(const std::vector<CheckboxEnable>& list, int id) {
    std::optional<EnableAction> found;
    for (const auto& e : list) {
        if (e.CheckboxId != id) continue;
        EXPECT_FALSE(found.has_value()) << "check box " << id << " judged twice";
        found = e.Action;
    }
    return found;
}

}  // namespace

TEST(CrossbarLists, RowsFollowModelGroupAndWireMode) {
    PortIOProject large(kLargeModel);
    CCrossbar big(true, large.spi);
    CCrossbar little(false, PortIOProject(kSmallModel).spi);
    ASSERT_EQ(big.SignalList().size(), 23u);
    EXPECT_EQ(little.SignalList().size(), 21u);  // no UART1
    EXPECT_EQ(little.FindSignal(11462), nullptr);
    EXPECT_EQ(little.FindSkip(SkipBox(25)), nullptr);
    for (const auto& e : big.SignalList())
        EXPECT_EQ(e.PinLabel.size(), 13u) << e.GridName;

    EXPECT_EQ(big.SignalList()[15].LowestPin, 2);  // CEX2 comes after CEX0 and CEX1

    // SPI0CN 0x04 (new project) and 0x08 are four-wire; both bits clear is three-wire.
    EXPECT_EQ(big.SignalList()[5].LowestPin, 3);
    large.spi.Registers[SpiReg::SPI0CN].Value = 0x08;
    EXPECT_FALSE(CCrossbar(true, large.spi).ThreeWire());
    large.spi.Registers[SpiReg::SPI0CN].Value = 0xF3;
    CCrossbar three(true, large.spi);
    EXPECT_EQ(three.SignalList()[5].GridName, "NSS*");
    EXPECT_EQ(three.SignalList()[5].LowestPin, -2);
    EXPECT_EQ(three.SignalList()[5].HighestPin, -2);
}

TEST(CrossbarDecode, SignalsTakeLowestFreePinInPriorityOrder) {
    PortIOProject p(kLargeModel);
    CCrossbar xbar(true, p.spi);
    p.Reg(PortIOReg::XBR0) = 0x02 | 0x04 | 0x10 | 0x08;  // SPI0, SMBus, CP0, SYSCLK
    p.Reg(PortIOReg::XBR1) = 0x02 | 0x20;                // CEX0, CEX1, T1
    p.Skip(6);
    p.Skip(10);
    const CrossbarDecode& d = xbar.DecodeCrossbar(p.port);
    // SPI0 (rows 2 to 5) on 0..3, SMBus on 4 and 5 (UART0 is off), CP0 7,
    // SYSCLK 8, CEX0 9, CEX1 11, T1 12.
    Cells expected;
    for (int row = 2; row <= 7; ++row)
        expected.push_back({row, row - 2});
    expected.insert(expected.end(), {{8, 7}, {12, 8}, {13, 9}, {14, 11}, {20, 12}});
    EXPECT_EQ(d.AssignedCells, expected);
    EXPECT_EQ(d.SkippedPins, (std::vector<int>{6, 10}));
    EXPECT_EQ(d.Pins[11].Label, "CEX1  (PCA), ");  // the other labels: PinCommentTest
    EXPECT_TRUE(d.Pins[13].Free && !d.Pins[6].Free && !d.Pins[11].Free);

    // UART0 comes first but only ever takes P0.4 and P0.5; SMBus moves up.
    p.Reg(PortIOReg::XBR0) |= 0x01;
    xbar.DecodeCrossbar(p.port);
    EXPECT_EQ(xbar.LastDecode().Pins[4].Label, "TX0 (UART0), ");
    EXPECT_EQ(xbar.LastDecode().Pins[7].Label, "SDA (SMBus), ");
    EXPECT_EQ(xbar.LastDecode().Pins[9].Label, "CP0  (Cmp0), ");
}

TEST(CrossbarDecode, HighestPinAndPinCountBoundTheSearch) {
    PortIOProject p(kLargeModel);
    CCrossbar xbar(true, p.spi);
    p.Reg(PortIOReg::XBR2) = 0x01;  // UART1
    p.SkipRange(0, 29);
    EXPECT_EQ(xbar.DecodeCrossbar(p.port).AssignedCells, (Cells{{21, 30}, {22, 31}}));
    p.Skip(30);  // TX1 may not go above pin 30
    EXPECT_EQ(xbar.DecodeCrossbar(p.port).AssignedCells, (Cells{{22, 31}}));

    PortIOProject s(kSmallModel);  // nothing above P3.0
    CCrossbar little(false, s.spi);
    s.SkipRange(0, 23);
    s.Reg(PortIOReg::XBR0) = 0x10 | 0x40;  // CP0, CP1
    EXPECT_EQ(little.DecodeCrossbar(s.port).AssignedCells, (Cells{{8, 24}}));
}

TEST(CrossbarRules, NewProjectEnablesEveryBoxOnce) {
    for (const bool large : {true, false}) {
        PortIOProject p(large ? kLargeModel : kSmallModel);
        CCrossbar xbar(large, p.spi);
        const auto r = xbar.FullRefresh(p.port);
        EXPECT_EQ(r.Enables.size(), large ? 17u + 32u : 16u + 25u);
        for (const auto& e : r.Enables)
            EXPECT_EQ(e.Action, EnableAction::Enable) << e.CheckboxId;
        EXPECT_EQ(ActionFor(r.Enables, 11446), EnableAction::Enable);  // UART0 once for TX0 and RX0
        for (const auto& c : r.States.Checks)
            EXPECT_FALSE(c.Checked) << c.ControlId;
        EXPECT_TRUE(xbar.LastDecode().AssignedCells.empty());
        ASSERT_EQ(r.States.Buttons.size(), 64u);  // digital, open-drain
        EXPECT_EQ(r.States.Buttons[3].Caption, "D");
        EXPECT_EQ(r.States.Buttons[40].Caption, "O");
    }
}

TEST(CrossbarRules, Uart0NeedsPinsFourAndFive) {
    PortIOProject p(kLargeModel);
    CCrossbar xbar(true, p.spi);
    p.Skip(4);
    auto enables = xbar.FullRefresh(p.port).Enables;
    EXPECT_EQ(ActionFor(enables, 11446), EnableAction::Disable);
    EXPECT_EQ(ActionFor(enables, 11447), EnableAction::Enable);
    EXPECT_EQ(ActionFor(enables, SkipBox(4)), EnableAction::Leave);  // checked

    // Routed anyway (as from a file): TX0 has no pin, RX0 keeps P0.5.
    p.Reg(PortIOReg::XBR0) = 0x01;
    EXPECT_EQ(xbar.DecodeCrossbar(p.port).AssignedCells, (Cells{{1, 5}}));

    // Unskipping places TX0, and the checked UART0 box is left alone. That
    // P0.4 and P0.5 may then not be skipped: port_io.zvs.
    auto click = xbar.ClickCheckbox(p.port, SkipBox(4), false);
    EXPECT_TRUE(click.Handled);
    EXPECT_EQ(p.Reg(PortIOReg::P0SKIP), 0x00);
    EXPECT_EQ(xbar.LastDecode().AssignedCells, (Cells{{0, 4}, {1, 5}}));
    EXPECT_EQ(ActionFor(click.Enables, 11446), EnableAction::Leave);
}

TEST(CrossbarRules, ThreeWireSpiNeedsThreePins) {
    // Small package, pins 0 to 21 skipped: 22, 23 and 24 are left.
    for (const std::uint8_t spi0cn : {0x00, 0x04, 0x0C}) {
        PortIOProject p(kSmallModel);
        p.spi.Registers[SpiReg::SPI0CN].Value = spi0cn;
        CCrossbar xbar(false, p.spi);
        p.SkipRange(0, 21);
        const bool threeWire = spi0cn == 0x00;
        EXPECT_EQ(ActionFor(xbar.FullRefresh(p.port).Enables, 11447),
                  threeWire ? EnableAction::Enable : EnableAction::Disable)
            << "SPI0CN " << int(spi0cn);
        if (!threeWire) continue;
        xbar.ClickCheckbox(p.port, 11447, true);
        EXPECT_EQ(xbar.LastDecode().AssignedCells, (Cells{{2, 22}, {3, 23}, {4, 24}}));
        xbar.ClickCheckbox(p.port, SkipBox(21), false);  // NSS stays off a free pin
        EXPECT_EQ(xbar.LastDecode().AssignedCells, (Cells{{2, 21}, {3, 22}, {4, 23}}));
    }
}

// Two free pins (SMBus fits, SPI0 not, then no pin left for anything):
// port_io_small_package.zvs; here the edge.
TEST(CrossbarRules, SmallPackageRunsOutOfPinsForSpi) {
    PortIOProject p(kSmallModel);
    CCrossbar xbar(false, p.spi);
    p.SkipRange(0, 21);
    // Three free pins are one short for four-wire SPI0; four fit.
    EXPECT_EQ(ActionFor(xbar.FullRefresh(p.port).Enables, 11447), EnableAction::Disable);
    auto click = xbar.ClickCheckbox(p.port, SkipBox(21), false);
    EXPECT_EQ(ActionFor(click.Enables, 11447), EnableAction::Enable);
    xbar.ClickCheckbox(p.port, 11447, true);
    EXPECT_EQ(xbar.LastDecode().AssignedCells, (Cells{{2, 21}, {3, 22}, {4, 23}, {5, 24}}));

    PortIOProject l(kLargeModel);  // the same skips leave room on 32 pins
    CCrossbar big(true, l.spi);
    l.SkipRange(0, 22);
    EXPECT_EQ(ActionFor(big.FullRefresh(l.port).Enables, 11447), EnableAction::Enable);
}

TEST(CrossbarRules, PcaBoxesSetTheChannelCount) {
    PortIOProject p(kLargeModel);
    CCrossbar xbar(true, p.spi);
    p.Reg(PortIOReg::XBR1) = 0x40 | 0x10;  // crossbar enabled, T0

    auto click = xbar.ClickCheckbox(p.port, 11457, true);  // CEX3
    EXPECT_TRUE(click.ControlStatesChanged);
    EXPECT_EQ(p.Reg(PortIOReg::XBR1), 0x54);
    EXPECT_EQ(xbar.LastDecode().AssignedCells,
              (Cells{{13, 0}, {14, 1}, {15, 2}, {16, 3}, {19, 4}}));
    EXPECT_EQ(ActionFor(click.Enables, 11456), EnableAction::Leave);
    EXPECT_EQ(ActionFor(click.Enables, 11458), EnableAction::Enable);

    // The boxes as the count shows them, and unticking: port_io_rules.zvs.
}

TEST(CrossbarRules, FitsWithCheckboxPutsTheValueBack) {
    PortIOProject p(kSmallModel);
    CCrossbar xbar(false, p.spi);
    p.SkipRange(0, 21);
    p.Reg(PortIOReg::XBR0) = 0x10;  // CP0 on 22
    p.Reg(PortIOReg::XBR1) = 0x81;  // CEX0 on 23, weak pull-up disabled; pin 24 left
    const PeripheralRecord before = p.port;
    EXPECT_FALSE(xbar.FitsWithCheckbox(p.port, *xbar.FindSignal(11447)));
    EXPECT_TRUE(xbar.FitsWithCheckbox(p.port, *xbar.FindSignal(11453)));
    EXPECT_TRUE(xbar.FitsWithCheckbox(p.port, *xbar.FindSignal(11455)));   // CEX0, CEX1
    EXPECT_FALSE(xbar.FitsWithCheckbox(p.port, *xbar.FindSignal(11456)));  // CEX0 .. CEX2
    EXPECT_TRUE(xbar.FitsWithCheckbox(p.port, *xbar.FindSkip(SkipBox(24))));
    xbar.EnableRule(p.port);
    EXPECT_EQ(p.port, before);

    // Controls that are not signal or skip boxes of this model change nothing.
    EXPECT_FALSE(xbar.ClickCheckbox(p.port, 11462, true).Handled);
    EXPECT_FALSE(xbar.ClickCheckbox(p.port, 11277, true).Handled);
    EXPECT_EQ(p.port, before);
}

TEST(CrossbarControls, ModeButtonsWriteTheirBit) {
    PortIOProject p(kLargeModel);
    CCrossbar xbar(true, p.spi);
    ButtonState s = ApplyModeButton(p.port, *xbar.FindModeButton(11496 + 12), false);  // P1.4
    EXPECT_EQ(p.Reg(PortIOReg::P1MDIN), 0xEF);
    EXPECT_EQ(s.Caption, "A");
    s = ApplyModeButton(p.port, *xbar.FindModeButton(11528 + 31), true);  // P3.7
    EXPECT_EQ(p.Reg(PortIOReg::P3MDOUT), 0x80);
    EXPECT_EQ(s.Caption, "P");

    // Port 4, laid out from bit 7 on the left.
    const auto ad4 = BuildPort4AnalogDigitalList();
    const auto drive4 = BuildPort4DriveList();
    EXPECT_EQ(ApplyModeButton(p.port, drive4[1], true).ControlId, 11424);
    EXPECT_EQ(p.Reg(PortIOReg::P4MDOUT), 0x40);
    EXPECT_EQ(ApplyModeButton(p.port, ad4[7], false).Caption, "A");
    EXPECT_EQ(p.Reg(PortIOReg::P4MDIN), 0xFE);

    for (int id : {11462, 11489, 11527, 11553})
        EXPECT_TRUE(IsLargePackageOnlyControl(id)) << id;
    for (int id : {11461, 11488, 11520, 11552})
        EXPECT_FALSE(IsLargePackageOnlyControl(id)) << id;
}

TEST(CrossbarRouting, EachPeripheralReadsItsOwnBit) {
    struct Case {
        int Position;
        std::uint8_t Bit;
        bool (*Routed)(const PeripheralRecord&);
    };
    using PortIOReg::XBR0, PortIOReg::XBR1, PortIOReg::XBR2;
    const Case cases[] = {
        {XBR0, 0x01, IsUart0Routed}, {XBR0, 0x02, IsSpi0Routed},
        {XBR0, 0x04, IsSmbusRouted}, {XBR0, 0x08, IsSysclkRouted},
        {XBR0, 0x10, IsCp0Routed},   {XBR0, 0x20, IsCp0ARouted},
        {XBR0, 0x40, IsCp1Routed},   {XBR0, 0x80, IsCp1ARouted},
        {XBR1, 0x08, IsEciRouted},   {XBR1, 0x10, IsT0Routed},
        {XBR1, 0x20, IsT1Routed},    {XBR1, 0x40, IsCrossbarEnabled},
        {XBR2, 0x01, IsUart1Routed}, {XBR1, 0x80, IsWeakPullUpDisabled},
    };
    for (const Case& set : cases) {
        PortIOProject p(kLargeModel);
        p.Reg(set.Position) = set.Bit;
        for (const Case& probe : cases)
            EXPECT_EQ(probe.Routed(p.port), &probe == &set) << int(set.Bit) << "@" << set.Position;
    }
    // The PCA module pages count CEXn only up to a channel count of 5.
    PortIOProject p(kLargeModel);
    const char* expected[8] = {"00000", "10000", "11000", "11100",
                               "11110", "11111", "10000", "10000"};
    for (int count = 0; count < 8; ++count) {
        p.Reg(PortIOReg::XBR1) = static_cast<std::uint8_t>(0xF8 | count);
        for (int ch = 0; ch < 5; ++ch)
            EXPECT_EQ(IsCexRouted(p.port, ch), expected[count][ch] == '1') << count << " CEX" << ch;
    }
}
