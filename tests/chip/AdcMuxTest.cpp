#include <gtest/gtest.h>

#include <cstdio>

#include "chip/AdcMux.h"
#include "support/ChipFixture.h"

using namespace adc;

namespace {

// Items run in code order and know their index; each pin item reads the mode
// and skip bits its name says; port 4 is not on the crossbar and has no skip
// register, the internal inputs (0x1E and 0x1F, the last two) neither.
TEST(AdcMuxLists, OrderAndPinRegisters) {
    for (bool large : {true, false})
        for (const auto* list : {&PositiveInputs(large), &NegativeInputs(large)})
            for (std::size_t i = 0; i < list->size(); ++i) {
                const AdcMuxEntry& e = (*list)[i];
                SCOPED_TRACE(e.Name);
                EXPECT_EQ(e.ItemIndex, i);
                EXPECT_TRUE(i == 0 || e.Code > (*list)[i - 1].Code);
                int port = 0, bit = 0;
                if (std::sscanf(e.Name.c_str(), "P%d.%d", &port, &bit) != 2) {
                    EXPECT_GE(e.Code, 0x1E);
                    EXPECT_EQ(e.ModeRegister, kNoRegister);
                    EXPECT_EQ(e.SkipRegister, kNoRegister);
                    continue;
                }
                EXPECT_EQ(e.ModeRegister, PortIOReg::P0MDIN + port);
                EXPECT_EQ(e.ModeMask, 1 << bit);
                EXPECT_EQ(e.SkipRegister, port < 4 ? PortIOReg::P0SKIP + port : kNoRegister);
                EXPECT_EQ(e.SkipMask, port < 4 ? 1 << bit : 0);
            }
}

TEST(AdcMuxLookups, GapsAndMissesGiveTheEmptyEntry) {
    const AdcMuxEntry empty;

    // No 0x10 on the large packages; nothing from 0x15 to 0x1D anywhere.
    EXPECT_EQ(EntryByCode(PositiveInputs(true), 0x10), empty);
    EXPECT_EQ(EntryByCode(PositiveInputs(false), 0x10).Name, "P3.0");
    for (bool large : {true, false}) {
        for (std::uint8_t code = 0x15; code <= 0x1D; ++code) {
            EXPECT_EQ(EntryByCode(PositiveInputs(large), code), empty) << int(code);
            EXPECT_EQ(EntryByCode(NegativeInputs(large), code), empty) << int(code);
            EXPECT_EQ(IndexOfRegister(NegativeInputs(large), code), -1);
        }
    }
    EXPECT_EQ(EntryByIndex(PositiveInputs(true), -1), empty);
    EXPECT_EQ(EntryByIndex(PositiveInputs(true), 22), empty);
    EXPECT_EQ(EntryByIndex(PositiveInputs(false), 22).Name, "VDD");

    // The register's upper bits do not take part in the lookup.
    EXPECT_EQ(IndexOfRegister(PositiveInputs(true), 0xE0 | 0x11), 16);
    EXPECT_EQ(IndexOfRegister(PositiveInputs(true), 0x10), -1);
    EXPECT_EQ(IndexOfRegister(NegativeInputs(false), 0xFF), 22);
}

TEST(AdcMuxLookups, MuxCodeKeepsTheUpperBits) {
    EXPECT_EQ(WithMuxCode(0xE5, 0x1E), 0xFE);
    EXPECT_EQ(WithMuxCode(0xBF, 0x00), 0xA0);
}

TEST(AdcPinState, FourStatesFromModeAndSkipBits) {
    PeripheralRecord port = NewRecord(kLargeModel, Pid::PortIO);
    const AdcMuxEntry p21 = EntryByIndex(PositiveInputs(true), 1);  // P2.1: P2MDIN, P2SKIP
    // A new project: every pin digital, none skipped. The texts of this state
    // and of analog and skipped: adc.zvs.
    EXPECT_EQ(StateOf(p21, port), PinState::DigitalNotSkipped);
    Reg(port, PortIOReg::P2SKIP) |= 0x02;
    EXPECT_EQ(StateOf(p21, port), PinState::DigitalSkipped);
    EXPECT_EQ(InputText(p21, port, false), "Pin is Digital and Skipped: NOT Configured Properly");
    Reg(port, PortIOReg::P2MDIN) &= static_cast<std::uint8_t>(~0x02);
    EXPECT_EQ(StateOf(p21, port), PinState::AnalogSkipped);
    EXPECT_TRUE(IsConfiguredProperly(StateOf(p21, port)));
    Reg(port, PortIOReg::P2SKIP) = 0xFD;  // every other pin of P2 skipped
    EXPECT_EQ(StateOf(p21, port), PinState::AnalogNotSkipped);
    EXPECT_FALSE(IsConfiguredProperly(StateOf(p21, port)));
}

// Temp Sensor, single-ended mode, a code without an item and port 4 pins
// (which count as skipped): AdcPage.
TEST(AdcPinState, InternalInputsEmptyEntryAndMode) {
    const PeripheralRecord port = NewRecord(kSmallModel, Pid::PortIO);
    const auto& pos = PositiveInputs(false);
    const auto& neg = NegativeInputs(false);
    EXPECT_EQ(InputText(pos[22], port, true), "VDD selected");
    EXPECT_EQ(InputText(neg[21], port, false), "VREF selected");
    EXPECT_EQ(InputText(neg[22], port, false), "GND selected");
    EXPECT_EQ(StateOf(neg[22], port), PinState::AnalogSkipped);
    EXPECT_EQ(ModeText(neg[21]), "ADC0 is in Differential Mode");
    EXPECT_EQ(ModeText(AdcMuxEntry{}), "ADC0 is in Differential Mode");
}

TEST(AdcTexts, CnvstrPinByPackage) {
    PeripheralRecord small = NewRecord(kSmallModel, Pid::PortIO);
    PeripheralRecord large = NewRecord(kLargeModel, Pid::PortIO);
    EXPECT_EQ(CnvstrText(160, 4, large), "P1.4 is NOT Skipped For CNVSTR: NOT Configured Properly");
    Reg(small, PortIOReg::P0SKIP) = 0x40;
    Reg(large, PortIOReg::P1SKIP) = 0x10;
    EXPECT_EQ(CnvstrText(166, 4, small), "P0.6 is Skipped For CNVSTR: Configured Properly");
    EXPECT_EQ(CnvstrText(165, 4, large), "P1.4 is Skipped For CNVSTR: Configured Properly");
    // The small package's pin is P0.6 whatever P1SKIP holds, and the reverse.
    EXPECT_EQ(CnvstrText(167, 4, large), "P0.6 is NOT Skipped For CNVSTR: NOT Configured Properly");
    for (std::uint8_t start : {0, 1, 2, 3, 5, 6, 7})
        EXPECT_EQ(CnvstrText(162, start, small), "");
}

TEST(AdcSar, ClockFromDivider) {
    EXPECT_EQ(SarClockText(1500000, 0x17), "500000");  // AD0SC 2, low bits ignored
    EXPECT_EQ(SarClockText(0, 0x10), "0");
}

TEST(AdcSar, DividerRoundsHalfUpAndChecksTheRange) {
    auto ok = [](std::uint32_t sysclk, std::uint32_t target, long long expected) {
        const SarDivider d = SarDividerFor(sysclk, target);
        EXPECT_EQ(d.status, SarDivider::Ok) << sysclk << "/" << target;
        EXPECT_EQ(d.ad0sc, expected) << sysclk << "/" << target;
    };
    ok(1500000, 500000, 2);   // x = 2
    ok(1500000, 600000, 2);   // x = 1.5: a fraction of exactly one half rounds up
    ok(1500000, 3000000, 0);  // above SYSCLK: x = -0.5 truncates to 0
    ok(1500000, 4294967295u, 0);
    ok(1, 1, 0);
    ok(3200000, 100000, 31);                                  // x = 31
    const SarDivider tooBig = SarDividerFor(1500000, 40000);  // x = 36.5 -> 37
    EXPECT_EQ(tooBig.status, SarDivider::OutOfRange);
    EXPECT_EQ(tooBig.ad0sc, 37);
    EXPECT_EQ(SarDividerFor(3200000, 98000).status, SarDivider::OutOfRange);  // 31.65 -> 32
    EXPECT_EQ(SarDividerFor(4294967295u, 1).status, SarDivider::OutOfRange);
    EXPECT_EQ(SarDividerFor(0, 500000).status, SarDivider::InvalidInput);
    EXPECT_EQ(SarDividerFor(1500000, 0).status, SarDivider::InvalidInput);
}

}  // namespace
