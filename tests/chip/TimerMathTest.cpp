// Timer clocks and the rates their reloads give, as the pages display them.

#include <gtest/gtest.h>

#include "chip/Achieved.h"
#include "chip/CalcField.h"
#include "chip/TimerMath.h"

using namespace timers;

TEST(TimerClock, SysclkBitThenSharedPrescaler) {
    EXPECT_EQ(Timer01Clock(24000000, 0x00, 0), 2000000u);
    EXPECT_EQ(Timer01Clock(24000000, 0x01, 1), 6000000u);
    EXPECT_EQ(Timer01Clock(24000000, 0x02, 0), 500000u);
    EXPECT_EQ(Timer01Clock(24000000, 0x03, 0), 3000000u);  // external / 8 shown as SYSCLK / 8
    // Each timer reads its own SYSCLK bit only.
    EXPECT_EQ(Timer01Clock(24000000, kCkconT0Sysclk, 0), 24000000u);
    EXPECT_EQ(Timer01Clock(24000000, kCkconT0Sysclk, 1), 2000000u);
    EXPECT_EQ(Timer01Clock(24000000, kCkconT1Sysclk | 0x02, 1), 24000000u);
    EXPECT_EQ(Timer01Clock(1000, 0x00, 0), 83u);  // truncates
    EXPECT_EQ(Timer2HalfClock(1200000, kCkconT2HighSysclk, true), 1200000u);
    EXPECT_EQ(Timer2HalfClock(1200000, kCkconT2HighSysclk, false), 100000u);
    EXPECT_EQ(Timer2HalfClock(1200000, kCkconT2LowSysclk, false), 1200000u);
}

TEST(TimerRates, Uart0BaudFromTimer1Reload) {
    // Reload 0 gives clock / 256 / 2; 0xFF gives clock / 2.
    EXPECT_EQ(Uart0BaudRate(1500000, 0x00), 2929);
    EXPECT_EQ(Uart0BaudRate(1500000, 0xFF), 750000);
    // Integer division first, then the half is truncated.
    EXPECT_EQ(Uart0BaudRate(1500000, 0xB2), 9615);
    EXPECT_EQ(Uart0BaudRate(0, 0x10), 0);
    EXPECT_EQ(Uart0BaudRate(4294967295u, 0xFF), 2147483647);
}

TEST(TimerRates, SmbusBitRate) {
    EXPECT_EQ(SmbusBitRate(12000000, 0xD8), 100000);
    EXPECT_EQ(SmbusBitRate(1500000, 0x00), 1953);
    EXPECT_EQ(SmbusBitRate(0, 0xD8), 0);
}

TEST(TimerRates, Timer3Timeout) {
    // 0x6D83 at 1500000 Hz counted at SYSCLK: 37500 counts = 25 ms.
    EXPECT_TRUE(Timer3Overflows25ms(1500000, kCkconT3LowSysclk, 0x6D, 0x83));
    EXPECT_NEAR(Timer3OverflowMs(1500000, kCkconT3LowSysclk, 0x6D, 0x83), 25.0, 1e-9);
    // The same reload counted at SYSCLK / 12 is twelve times longer, and
    // right at twelve times the clock.
    EXPECT_FALSE(Timer3Overflows25ms(1500000, 0x00, 0x6D, 0x83));
    EXPECT_TRUE(Timer3Overflows25ms(18000000, 0x00, 0x6D, 0x83));
    EXPECT_FALSE(Timer3Overflows25ms(0, kCkconT3LowSysclk, 0x6D, 0x83));
    // The high-byte bit does not count for the low byte's clock.
    EXPECT_FALSE(Timer3Overflows25ms(1500000, kCkconT3HighSysclk, 0x6D, 0x83));
}

TEST(AchievedLine, RateAndSignedDeviation) {
    EXPECT_EQ(AchievedText(9615.38, 9600, "bps"), "Achieved: 9615 bps (+0.16 %)");
    EXPECT_EQ(AchievedText(9585, 9600, "bps"), "Achieved: 9585 bps (-0.16 %)");
    EXPECT_EQ(AchievedText(100000, 100000, "Hz"), "Achieved: 100000 Hz (+0.00 %)");
    EXPECT_EQ(AchievedText(24.99, 25, "ms", 2), "Achieved: 24.99 ms (-0.04 %)");
    EXPECT_EQ(AchievedText(5, 0, "Hz"), "Achieved: 5 Hz");
}

TEST(CalculatorField, OnlyDigitsWithinThirtyTwoBits) {
    EXPECT_EQ(ParseUnsignedField("100000"), 100000u);
    EXPECT_EQ(ParseUnsignedField("  42 "), 42u);
    EXPECT_EQ(ParseUnsignedField("4294967295"), 4294967295u);
    for (const char* bad : {"", "  ", "-1", "+5", "12a", "1 2", "4294967296", "99999999999999999999999"})
        EXPECT_FALSE(ParseUnsignedField(bad)) << bad;
}
