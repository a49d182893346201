// The clock words that the oscillator pages derive: each recomputation on
// register settings where the four formulas part ways.

#include <gtest/gtest.h>

#include "chip/ClockMath.h"

namespace {

using namespace osc;

OscRegs Regs(std::uint8_t oscxcn, std::uint8_t clkmul, std::uint8_t clksel,
             std::uint8_t oscicn = 0x80, std::uint8_t osclcn = 0x00) {
    OscRegs r;
    r.oscxcn = oscxcn;
    r.oscicn = oscicn;
    r.osclcn = osclcn;
    r.clkmul = clkmul;
    r.clksel = clksel;
    return r;
}

Clocks Ext(std::uint32_t extOsc) {
    return {12000000, 80000, extOsc};
}

TEST(ClockMath, DefaultsGiveTheResetClock) {
    EXPECT_EQ(SysclkD(OscRegs{}, Clocks{}), 1500000u);
    EXPECT_EQ(RecomputeA(OscRegs{}, Clocks{}), 1500000u);
}

TEST(ClockMath, HalvingModesAndTheUsbPagesOwnRule) {
    for (std::uint8_t mode : {0x30, 0x40, 0x50, 0x70}) {
        EXPECT_EQ(ExtEff(mode, 1000001), 500000u) << int(mode);
        EXPECT_TRUE(IsHalvingMode(static_cast<std::uint8_t>(mode | 0x07)));
    }
    for (std::uint8_t mode : {0x00, 0x20, 0x60})
        EXPECT_EQ(ExtEff(mode, 1000001), 1000001u) << int(mode);
    // The USB page halves for the two "/ 2" modes only.
    EXPECT_EQ(ExtEffUsb(0x30, 1000000), 500000u);
    EXPECT_EQ(ExtEffUsb(0x70, 1000000), 500000u);
    EXPECT_EQ(ExtEffUsb(0x40, 1000000), 1000000u);
    EXPECT_EQ(ExtEffUsb(0x50, 1000000), 1000000u);
}

TEST(ClockMath, CrystalHalfAtTwentyTwoMegahertzAsSysclk) {
    EXPECT_EQ(SysclkD(Regs(0x77, 0x00, 0x01), Ext(22118400)), 11059200u);
    EXPECT_EQ(RecomputeB(Regs(0x77, 0x00, 0x01), Ext(22118400)), 11059200u);
}

TEST(ClockMath, RcAtOneMegahertz) {
    // SYSCLK Select halves for RC; the USB page shows the typed frequency.
    EXPECT_EQ(SysclkD(Regs(0x40, 0x00, 0x01), Ext(1000000)), 500000u);
    EXPECT_EQ(UsbClockSpeed(Regs(0x40, 0x00, 0x21), Ext(1000000), 0), 1000000u);
    EXPECT_EQ(UsbClockSpeed(Regs(0x40, 0x00, 0x31), Ext(1000000), 0), 500000u);
    EXPECT_EQ(UsbClockSpeed(Regs(0x70, 0x00, 0x31), Ext(1000000), 0), 250000u);
}

TEST(ClockMath, DividedOscillators) {
    EXPECT_EQ(Divided(12000000, 0x80), 1500000u);
    EXPECT_EQ(Divided(12000000, 0x81), 3000000u);
    EXPECT_EQ(Divided(12000000, 0x82), 6000000u);
    EXPECT_EQ(Divided(12000000, 0x83), 12000000u);
    EXPECT_EQ(Divided(80000, 0x00), 10000u);
    EXPECT_EQ(Divided(7, 0x00), 0u);
    EXPECT_EQ(SysclkD(Regs(0, 0, 0x04, 0x80, 0x02), Ext(0)), 40000u);
    EXPECT_EQ(RecomputeA(Regs(0, 0, 0x04, 0x80, 0x02), Ext(0)), 40000u);
}

// Crystal / 2 at 2 MHz, multiplier on the external input "* 2" under the
// full multiplier source: D uses the halved frequency, A, B and C the typed one.
TEST(ClockMath, TheFourRecomputationsDifferOnTheMultiplier) {
    const OscRegs r = Regs(0x77, 0x81, 0x03);
    const Clocks c = Ext(2000000);
    EXPECT_EQ(SysclkD(r, c), 4000000u);
    EXPECT_EQ(RecomputeA(r, c), 8000000u);
    EXPECT_EQ(RecomputeB(r, c), 8000000u);
    EXPECT_EQ(RecomputeC(r, c), 8000000u);
    // "* 1" under the half-speed source: D ExtEff, A and B the typed value,
    // C twice the typed value whatever the source.
    const OscRegs half = Regs(0x77, 0x82, 0x02);
    EXPECT_EQ(SysclkD(half, c), 1000000u);
    EXPECT_EQ(RecomputeA(half, c), 2000000u);
    EXPECT_EQ(RecomputeB(half, c), 2000000u);
    EXPECT_EQ(RecomputeC(half, c), 4000000u);
}

TEST(ClockMath, InternalInputOfTheMultiplier) {
    // D and A: IntOsc x 2 or x 4 whatever the divider; C: four times the divided oscillator.
    const OscRegs half = Regs(0, 0x80, 0x02, 0x80);
    EXPECT_EQ(SysclkD(half, Ext(0)), 24000000u);
    EXPECT_EQ(RecomputeA(half, Ext(0)), 24000000u);
    EXPECT_EQ(RecomputeC(half, Ext(0)), 6000000u);
    EXPECT_EQ(RecomputeC(Regs(0, 0x80, 0x03, 0x83), Ext(0)), 48000000u);
    EXPECT_EQ(SysclkD(Regs(0, 0x80, 0x03), Ext(0)), 48000000u);
    // B is not given the internal oscillator: it leaves the clock alone.
    EXPECT_FALSE(RecomputeB(half, Ext(5)).has_value());
}

TEST(ClockMath, SourcesThatLeaveTheClockAlone) {
    // A ignores the external source, B the internal ones.
    EXPECT_FALSE(RecomputeA(Regs(0x20, 0, 0x01), Ext(5)).has_value());
    EXPECT_FALSE(RecomputeB(Regs(0x20, 0, 0x00), Ext(5)).has_value());
    EXPECT_FALSE(RecomputeB(Regs(0x20, 0, 0x04), Ext(5)).has_value());
    // Values no control produces: input 3, sources 5 to 7, USB above 0x50.
    EXPECT_FALSE(SysclkD(Regs(0, 0x83, 0x03), Ext(5)).has_value());
    EXPECT_FALSE(RecomputeC(Regs(0, 0x83, 0x03), Ext(5)).has_value());
    EXPECT_FALSE(SysclkD(Regs(0, 0, 0x05), Ext(5)).has_value());
    EXPECT_FALSE(UsbClockSpeed(Regs(0, 0, 0x60), Ext(5), 1).has_value());
    EXPECT_FALSE(UsbMultiplier(Regs(0, 0x03, 0), Ext(5)).has_value());
    EXPECT_FALSE(MultiplierHalfSpeed(Regs(0, 0x03, 0), Ext(5)).has_value());
}

TEST(ClockMath, MultiplierDisplays) {
    const Clocks c = Ext(3000001);
    // "/ 2 Speed" uses the effective frequency, the USB page's multiplier the typed one.
    EXPECT_EQ(MultiplierHalfSpeed(Regs(0x70, 0x00, 0), c), 24000000u);
    EXPECT_EQ(MultiplierHalfSpeed(Regs(0x70, 0x01, 0), c), 3000000u);
    EXPECT_EQ(MultiplierHalfSpeed(Regs(0x70, 0x02, 0), c), 1500000u);
    EXPECT_EQ(UsbMultiplier(Regs(0x70, 0x00, 0), c), 48000000u);
    EXPECT_EQ(UsbMultiplier(Regs(0x70, 0x01, 0), c), 12000004u);
    EXPECT_EQ(UsbMultiplier(Regs(0x70, 0x02, 0), c), 6000002u);
    EXPECT_EQ(UsbClockSpeed(Regs(0x20, 0x00, 0x00), c, 48000000), 48000000u);
    EXPECT_EQ(UsbClockSpeed(Regs(0x20, 0x00, 0x10, 0x83), c, 0), 6000000u);
    EXPECT_EQ(UsbClockSpeed(Regs(0x20, 0x00, 0x40), c, 0), 1000000u);  // integer / 3
    EXPECT_EQ(UsbClockSpeed(Regs(0x20, 0x00, 0x50), c, 0), 750000u);
}

TEST(ClockMath, ZeroAndHugeFrequenciesStayInRange) {
    const Clocks zero = Ext(0);
    EXPECT_EQ(SysclkD(Regs(0x77, 0, 0x01), zero), 0u);
    EXPECT_EQ(SysclkD(Regs(0x77, 0x81, 0x03), zero), 0u);
    EXPECT_EQ(UsbClockSpeed(Regs(0x40, 0, 0x41), zero, 0), 0u);
    // Products that do not fit are held at the largest frequency.
    const Clocks huge = Ext(4294967295u);
    EXPECT_EQ(RecomputeA(Regs(0x20, 0x81, 0x03), huge), 4294967295u);
    EXPECT_EQ(RecomputeC(Regs(0x20, 0x81, 0x03), huge), 4294967295u);
    EXPECT_EQ(SysclkD(Regs(0x70, 0x81, 0x03), huge), 4294967295u);
    EXPECT_EQ(Times(2000000000u, 2), 4000000000u);
}

TEST(ClockMath, TypedFrequencies) {
    EXPECT_EQ(FrequencyFromText("2500000 Hz"), 2500000u);
    EXPECT_EQ(FrequencyFromText("abc"), 0u);
    EXPECT_EQ(FrequencyFromText(""), 0u);
    EXPECT_EQ(FrequencyFromText("-1"), 4294967295u);
    EXPECT_EQ(FrequencyFromText("  +42x"), 42u);
    EXPECT_EQ(FrequencyFromText("4294967295"), 4294967295u);
    EXPECT_EQ(FrequencyFromText("99999999999999999999999"), 4294967295u);
    EXPECT_EQ(LeadingInteger("-1"), -1);
    EXPECT_EQ(LeadingInteger("0.5"), 0);
    EXPECT_EQ(Decimal(4294967295u), "4294967295");
}

}  // namespace
