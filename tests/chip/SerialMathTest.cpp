#include <gtest/gtest.h>

#include "chip/SerialMath.h"

using namespace serial;

namespace {

TEST(Uart1Rate, RoundsHalfUpFromTheGeneratorClock) {
    // 39 counts from the top at SYSCLK: 12000000 / 78 = 153846.15.
    EXPECT_EQ(Uart1BaudRate(12000000, 0x03, 0xFF, 0xD9), 153846);
    // Reload 0 at SYSCLK / 12: 125000 / 131072 = 0.95 rounds up to 1.
    EXPECT_EQ(Uart1BaudRate(1500000, 0x00, 0x00, 0x00), 1);
    // Exactly half: 3 / 2 = 1.5 gives 2.
    EXPECT_EQ(Uart1BaudRate(3, 0x03, 0xFF, 0xFF), 2);
    // Only bits 1..0 pick the prescaler; the codes are not in divider order.
    EXPECT_EQ(Uart1GeneratorClock(48000000, 0x40), 4000000u);
    EXPECT_EQ(Uart1GeneratorClock(48000000, 0x01), 12000000u);
    EXPECT_EQ(Uart1GeneratorClock(48000000, 0x02), 1000000u);
    EXPECT_EQ(Uart1GeneratorClock(48000000, 0x43), 48000000u);
    EXPECT_EQ(Uart1BaudRate(0, 0x03, 0xFF, 0xFF), 0);
    // The highest rate, half the largest clock rounded up, does not overflow.
    EXPECT_EQ(Uart1BaudRate(0xFFFFFFFFu, 0x03, 0xFF, 0xFF), 2147483648);
}

// Timer 1's clock and the rate of a reload: TimerMathTest; here that UART0
// reads Timer 1's clock bits.
TEST(Uart0Rate, FollowsTheTimer1ClockAndTh1) {
    // SYSCLK (CKCON bit 3): 24000000 / 13 = 1846153, halved and truncated.
    EXPECT_EQ(Uart0BaudRate(24000000, 0x08, 0xF3), 923076);
    // Prescaler 3 counts as SYSCLK / 8: 1000000 / 8 / 8 / 2.
    EXPECT_EQ(Uart0BaudRate(1000000, 0x03, 0xF8), 7812);
}

TEST(StandardRates, NearestByRatioAndTheErrorText) {
    EXPECT_EQ(NearestStandardRate(115384), 115200u);
    // 3500 is 1100 from 2400 and 1300 from 4800, but nearer 4800 as a ratio.
    EXPECT_EQ(NearestStandardRate(3500), 4800u);
    EXPECT_EQ(NearestStandardRate(1), 1200u);
    EXPECT_EQ(NearestStandardRate(5000000), 921600u);
    EXPECT_EQ(StandardRateText(1900), "Nearest standard rate 2400 bps: -20.83 %");
    EXPECT_EQ(StandardRateText(0), "Nearest standard rate: -");
}

TEST(SpiSck, DisplayAndCalculatorDivider) {
    EXPECT_EQ(SpiSckFrequency(1500000, 0x00), 750000u);
    EXPECT_EQ(SpiSckFrequency(1500000, 0xFF), 2929u);
    EXPECT_EQ(SpiSckFrequency(0, 0x10), 0u);
    EXPECT_EQ(SpiSckFrequency(0xFFFFFFFFu, 0x00), 2147483647u);

    // Integer division, no rounding, then minus 1.
    EXPECT_EQ(SpiSckDivider(1500000, 100000), 6);
    EXPECT_EQ(SpiSckDivider(1500000, 750000), 0);
    EXPECT_EQ(SpiSckDivider(1500000, 1000000), -1);
    EXPECT_EQ(SpiSckDivider(1500000, 2000), 374);
    EXPECT_FALSE(SpiSckDividerFits(-1));
    EXPECT_FALSE(SpiSckDividerFits(374));
    EXPECT_TRUE(SpiSckDividerFits(255));
    EXPECT_TRUE(SpiSckDividerFits(0));
    // 2 x target beyond 32 bits does not wrap into a small divisor.
    EXPECT_EQ(SpiSckDivider(48000000, 2147483648u), -1);
    EXPECT_EQ(SpiSckDivider(0xFFFFFFFFu, 0xFFFFFFFFu), -1);
    EXPECT_EQ(SpiSckDivider(0xFFFFFFFFu, 1), 2147483646);

    EXPECT_EQ(SpiSckQuestion(374), "Change SPI0CKR Data to:\n\n SPI0CKR = 176");
    EXPECT_EQ(SpiSckQuestion(-1), "Change SPI0CKR Data to:\n\n SPI0CKR = FFFFFFFF");
}

TEST(SmbusRate, SourcePicksTimerClockAndReload) {
    TimerRegisters t{};
    // Timer 1 at SYSCLK (CKCON bit 3), TH1 = 0xD8, 12 MHz.
    t.ckcon = 0x08;
    t.th1 = 0xD8;
    EXPECT_EQ(SmbusSourceBitRate(12000000, t, 1), 100000);
    // Timer 0 at SYSCLK / 48, TH0 = 0xFF, 1.5 MHz: clock 31250.
    t = {};
    t.ckcon = 0x02;
    t.th0 = 0xFF;
    EXPECT_EQ(SmbusSourceBitRate(1500000, t, 0), 10416);
    EXPECT_EQ(SmbusMinimumLowTimeText(1500000, t, 0), "Minimum SCL Low Time is 0.0320 ms");
    // The Timer 1 SYSCLK bit does not clock Timer 0.
    t.ckcon = 0x0A;
    EXPECT_EQ(SmbusSourceClock(1500000, t, 0).clock, 31250u);
}

TEST(SmbusRate, Timer2HalvesUseTheirOwnReloadAndCkconBit) {
    TimerRegisters t{};
    t.tmr2rlh = 0xF6;  // 10 counts
    t.tmr2rll = 0xF9;  // 7 counts
    // High byte: CKCON bit 5; the low byte's bit 4 does not count.
    t.ckcon = 0x10;
    EXPECT_EQ(SmbusSourceClock(12000000, t, 2).clock, 1000000u);
    EXPECT_EQ(SmbusSourceClock(12000000, t, 2).reload, 0xF6);
    EXPECT_EQ(SmbusSourceBitRate(12000000, t, 2), 33333);
    EXPECT_EQ(SmbusSourceClock(12000000, t, 3).clock, 12000000u);
    EXPECT_EQ(SmbusSourceClock(12000000, t, 3).reload, 0xF9);
    EXPECT_EQ(SmbusSourceBitRate(12000000, t, 3), 571428);
    t.ckcon = 0x20;
    EXPECT_EQ(SmbusSourceClock(12000000, t, 2).clock, 12000000u);
    EXPECT_EQ(SmbusSourceClock(12000000, t, 3).clock, 1000000u);
}

TEST(SmbusRate, NoClockGivesNoRateAndNoLowTime) {
    TimerRegisters t{};
    EXPECT_EQ(SmbusSourceBitRate(0, t, 1), 0);
    EXPECT_EQ(SmbusMinimumLowTimeText(0, t, 3), "Minimum SCL Low Time is - ms");
    // When Timer 3 overflows at 25 ms: TimerCalcTest; the text when it does: serial.zvs.
    EXPECT_EQ(SmbusTimer3StatusText(0, t),
              "Timer 3 does not overflow at 25 ms, NOT Configured Properly");
}

}  // namespace
