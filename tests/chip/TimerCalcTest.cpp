#include <gtest/gtest.h>

#include <climits>

#include "chip/Achieved.h"
#include "chip/CalcField.h"
#include "chip/TimerMath.h"
#include "support/ChipFixture.h"

using namespace timers;

namespace {

PeripheralRecord Record(int registers) {
    PeripheralRecord r;
    r.Registers.resize(static_cast<std::size_t>(registers));
    return r;
}

}  // namespace

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

// Through the SMBus's timer sources, and with no clock: SmbusRate.
TEST(TimerRates, SmbusBitRate) {
    EXPECT_EQ(SmbusBitRate(1500000, 0x00), 1953);
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

// The positive deviation and a whole rate: timers_calculators.zvs.
TEST(AchievedLine, RateAndSignedDeviation) {
    EXPECT_EQ(AchievedText(9585, 9600, "bps"), "Achieved: 9585 bps (-0.16 %)");
    EXPECT_EQ(AchievedText(24.99, 25, "ms", 2), "Achieved: 24.99 ms (-0.04 %)");
    EXPECT_EQ(AchievedText(5, 0, "Hz"), "Achieved: 5 Hz");
}

TEST(CalculatorField, OnlyDigitsWithinThirtyTwoBits) {
    EXPECT_EQ(ParseUnsignedField("100000"), 100000u);
    EXPECT_EQ(ParseUnsignedField("  42 "), 42u);
    EXPECT_EQ(ParseUnsignedField("4294967295"), 4294967295u);
    for (const char* bad :
         {"", "  ", "-1", "+5", "12a", "1 2", "4294967296", "99999999999999999999999"})
        EXPECT_FALSE(ParseUnsignedField(bad)) << bad;
}

TEST(CalcInput, LeadingDecimalIntegerHeldToIntRange) {
    EXPECT_EQ(LeadingInt("9600"), 9600);
    EXPECT_EQ(LeadingInt("  115200 bps"), 115200);
    EXPECT_EQ(LeadingInt("abc"), 0);
    EXPECT_EQ(LeadingInt(""), 0);
    EXPECT_EQ(LeadingInt("-5"), -5);
    EXPECT_EQ(LeadingInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(LeadingInt("-99999999999999999999"), INT_MIN);
}

TEST(CalcInput, RoundHalfUpTruncatesThenAddsOne) {
    long long r = 0;
    for (auto [x, rounded] : {std::pair{177.875, 178}, {193.5, 194}, {162.25, 162}}) {
        ASSERT_TRUE(RoundHalfUp(x, r)) << x;
        EXPECT_EQ(r, rounded) << x;
    }
    // Nothing beyond the int range is converted.
    EXPECT_FALSE(RoundHalfUp(-6.4e9, r));
    EXPECT_FALSE(RoundHalfUp(1.0 / 0.0, r));
}

// The questions, errors and achieved lines the timer pages show for these
// results: timers_calculators.zvs.
TEST(BitRateCalc, ReloadClockAndQuestion) {
    // A ratio on SYSCLK (40 at 12 MHz gives D8): WritesReloadAndClockBitsPerChoice.
    // Ratio 1000: Timer 0 counts SYSCLK / 4, a Timer 2 half SYSCLK / 12.
    ReloadResult r = BitRateReload(3000000, 1000, kChoice0H);
    EXPECT_EQ(r.clock, CalcClock::Div4);
    EXPECT_EQ(r.reload, 6);
    r = BitRateReload(3000000, 1000, kChoice2L);
    EXPECT_EQ(r.clock, CalcClock::Div12);
    EXPECT_EQ(r.reload, 173);  // 256 - 83.33

    // Ratio 8000: Timer 0 goes to SYSCLK / 48; a Timer 2 half stays at / 12
    // and then has no reload that fits.
    r = BitRateReload(24000000, 1000, kChoice0H);
    EXPECT_EQ(r.clock, CalcClock::Div48);
    EXPECT_EQ(r.reload, 89);
    r = BitRateReload(24000000, 1000, kChoice2H);
    EXPECT_EQ(r.status, CalcStatus::OutOfRange);
    EXPECT_EQ(r.clock, CalcClock::Div12);
}

TEST(BitRateCalc, InvalidInputsAndExtremes) {
    for (auto [sysclk, target] :
         {std::pair<std::uint32_t, int>{0, 100000}, {12000000, 0}, {12000000, -5}}) {
        EXPECT_EQ(BitRateReload(sysclk, target, kChoice0H).status, CalcStatus::InvalidInput);
    }
    // A target above what SYSCLK can give, and the largest clock with the
    // smallest target: refused, never converted out of range.
    EXPECT_EQ(BitRateReload(1, INT_MAX, kChoice1H).status, CalcStatus::OutOfRange);
    EXPECT_EQ(BitRateReload(4294967295u, 1, kChoice0H).status, CalcStatus::OutOfRange);
    EXPECT_EQ(Timer1BaudReload(4294967295u, 1).status, CalcStatus::OutOfRange);
    EXPECT_EQ(Uart1BaudReload(4294967295u, 1).status, CalcStatus::OutOfRange);
}

TEST(BaudRateCalc, Timer1Reload) {
    // 9600 bps at 1.5 MHz (B2) and 115200 at 22.1184 MHz (A0): the timer scripts.
    // Ratio 512 is the first one counted at SYSCLK / 4; 2048 at / 12; 6144 at / 48.
    EXPECT_EQ(Timer1BaudReload(5120000, 10000).clock, CalcClock::Div4);
    EXPECT_EQ(Timer1BaudReload(5120000, 10000).reload, 192);
    EXPECT_EQ(Timer1BaudReload(5119999, 10000).clock, CalcClock::Sysclk);
    EXPECT_EQ(Timer1BaudReload(20480000, 10000).clock, CalcClock::Div12);
    ReloadResult r = Timer1BaudReload(61440000, 10000);
    EXPECT_EQ(r.clock, CalcClock::Div48);
    EXPECT_EQ(r.question, "Change T1's Data to:\n\n T1H = C0\n Clock Source: SYSCLK / 48");

    r = Timer1BaudReload(24000000, 1);
    EXPECT_EQ(r.status, CalcStatus::OutOfRange);
    EXPECT_EQ(r.error, "Error: Invalid Baud Rate Using Current Frequency.");
    EXPECT_EQ(ReloadAchievedText(Timer1BaudReload(0, 9600), 9600, "bps"), "Achieved: -");
}

TEST(BaudRateCalc, Uart1PrescalerCodes) {
    struct Case {
        int target;
        unsigned divide;
        std::uint8_t code;
        long long reload;
    };
    // At 24 MHz: ratios 208, 240000, 1200000, 4800000.
    for (const Case& c : {Case{115200, 1, 3, 0xFF98}, Case{100, 4, 1, 0x8AD0},
                          Case{20, 12, 0, 0x3CB0}, Case{5, 48, 2, 0x3CB0}}) {
        const ReloadResult r = Uart1BaudReload(24000000, c.target);
        ASSERT_EQ(r.status, CalcStatus::Ok) << c.target;
        EXPECT_EQ(r.divide, c.divide) << c.target;
        EXPECT_EQ(r.code, c.code) << c.target;
        EXPECT_EQ(r.reload, c.reload) << c.target;
    }
    EXPECT_EQ(Uart1BaudReload(24000000, 20).question,
              "Change SBRL1's Data to:\n\n SBRLH1:SBRLL1 = 3CB0\n Clock Source: SYSCLK / 12");
    // Ratio 6291456 and above falls back to SYSCLK / 1, where nothing fits.
    const ReloadResult r = Uart1BaudReload(24000000, 3);
    EXPECT_EQ(r.divide, 1u);
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.status, CalcStatus::OutOfRange);
}

TEST(BaudRateCalc, Uart1WritesReloadPrescalerAndEnable) {
    PeripheralRecord uart = Record(UartReg::Count);
    Reg(uart, UartReg::SBCON1) = 0x83;  // bit 7 kept, old code 3 replaced
    ApplyUart1Baud(uart, Uart1BaudReload(24000000, 20));
    EXPECT_EQ(Reg(uart, UartReg::SBRLH1), 0x3C);
    EXPECT_EQ(Reg(uart, UartReg::SBRLL1), 0xB0);
    EXPECT_EQ(Reg(uart, UartReg::SBCON1), 0xC0);
    // A refused result writes nothing; a short record is left alone.
    ApplyUart1Baud(uart, Uart1BaudReload(24000000, 3));
    EXPECT_EQ(Reg(uart, UartReg::SBRLL1), 0xB0);
    PeripheralRecord shortRecord = Record(UartReg::SCON1);  // ends before SCON1
    ApplyUart1Baud(shortRecord, Uart1BaudReload(24000000, 20));
    EXPECT_EQ(Reg(shortRecord, UartReg::SBRLL1), 0);
}

TEST(BitRateCalc, WritesReloadAndClockBitsPerChoice) {
    PeripheralRecord t = Record(TimersReg::Count);
    Reg(t, TimersReg::TMOD) = 0x44;   // both timers count their pins
    Reg(t, TimersReg::CKCON) = 0x03;  // external-oscillator prescaler
    ApplyBitRate(t, kChoice0H, BitRateReload(12000000, 100000, kChoice0H));
    EXPECT_EQ(Reg(t, TimersReg::TH0), 0xD8);
    EXPECT_EQ(Reg(t, TimersReg::TMOD), 0x40);   // Timer 0 back on the clock
    EXPECT_EQ(Reg(t, TimersReg::CKCON), 0x04);  // SYSCLK, prescaler cleared

    // SYSCLK / 48 on Timer 1: its SYSCLK bit cleared, prescaler 2, pin bit untouched.
    Reg(t, TimersReg::CKCON) = 0x08;
    ApplyBitRate(t, kChoice1H, BitRateReload(24000000, 1000, kChoice1H));
    EXPECT_EQ(Reg(t, TimersReg::TH1), 89);
    EXPECT_EQ(Reg(t, TimersReg::CKCON), 0x02);
    EXPECT_EQ(Reg(t, TimersReg::TMOD), 0x40);

    // Timer 2 halves: their own CKCON bit, and the external clock bit cleared.
    Reg(t, TimersReg::TMR2CN) = 0x09;
    ApplyBitRate(t, kChoice2H, BitRateReload(12000000, 100000, kChoice2H));
    EXPECT_EQ(Reg(t, TimersReg::TMR2RLH), 0xD8);
    EXPECT_EQ(Reg(t, TimersReg::CKCON), 0x22);
    EXPECT_EQ(Reg(t, TimersReg::TMR2CN), 0x08);
    ApplyBitRate(t, kChoice2L, BitRateReload(3000000, 1000, kChoice2L));
    EXPECT_EQ(Reg(t, TimersReg::TMR2RLL), 0xAD);
    EXPECT_EQ(Reg(t, TimersReg::CKCON), 0x22);  // SYSCLK / 12 leaves bit 4 clear
}

TEST(BitRateCalc, TimerPreparedForTheRate) {
    PeripheralRecord t = Record(TimersReg::Count);
    Reg(t, TimersReg::TCON) = 0xFF;
    Reg(t, TimersReg::TMOD) = 0xFF;
    PrepareTimerForRate(t, 0);
    EXPECT_EQ(Reg(t, TimersReg::TMOD), 0xF6);  // mode 2, gate off
    EXPECT_EQ(Reg(t, TimersReg::TCON), 0xEE);  // stopped, level-triggered
    PrepareTimerForRate(t, 1);
    EXPECT_EQ(Reg(t, TimersReg::TMOD), 0x66);
    EXPECT_EQ(Reg(t, TimersReg::TCON), 0xAA);
    PrepareTimerForRate(t, 2);
    EXPECT_EQ(Reg(t, TimersReg::TMR2CN), 0x08);
}

// The questions: timers_calculators.zvs and serial.zvs.
TEST(Timer3Timeout, ReloadFor25ms) {
    Timeout25Result r = Timer3Reload25ms(1500000);  // 37500 counts of SYSCLK
    ASSERT_EQ(r.status, CalcStatus::Ok);
    EXPECT_TRUE(r.sysclk);
    EXPECT_EQ(r.reload, 0x6D83);

    r = Timer3Reload25ms(24000000);  // 600000 counts: SYSCLK / 12 gives 50000
    ASSERT_EQ(r.status, CalcStatus::Ok);
    EXPECT_FALSE(r.sysclk);
    EXPECT_EQ(r.reload, 65535 - 50000);

    EXPECT_EQ(Timer3Reload25ms(0).reload, 0xFFFF);
    r = Timer3Reload25ms(40000000);  // even SYSCLK / 12 needs 83333 counts
    EXPECT_EQ(r.status, CalcStatus::OutOfRange);
    EXPECT_EQ(r.error, "Error: Invalid Timeout Using Current Frequency.");
}

TEST(Timer3Timeout, WritesSixteenBitModeAndClock) {
    PeripheralRecord t = Record(TimersReg::Count);
    Reg(t, TimersReg::TMR3CN) = 0x0D;  // split, running, external clock
    Reg(t, TimersReg::CKCON) = 0x80;
    ApplyTimer3Reload25ms(t, Timer3Reload25ms(1500000), true);
    EXPECT_EQ(Reg(t, TimersReg::TMR3CN), 0x05);  // the external bit stays while TL3 shows it
    EXPECT_EQ(Reg(t, TimersReg::CKCON), 0x40);
    EXPECT_EQ(Reg(t, TimersReg::TMR3RLH), 0x6D);
    EXPECT_EQ(Reg(t, TimersReg::TMR3RLL), 0x83);

    Reg(t, TimersReg::TMR3CN) = 0x0D;
    ApplyTimer3Reload25ms(t, Timer3Reload25ms(1500000), false);
    EXPECT_EQ(Reg(t, TimersReg::TMR3CN), 0x04);

    Reg(t, TimersReg::TMR3CN) = 0x0D;
    ApplyTimer3Reload25ms(t, Timer3Reload25ms(24000000), true);
    EXPECT_EQ(Reg(t, TimersReg::TMR3CN), 0x04);  // SYSCLK / 12 clears it anyway
    EXPECT_EQ(Reg(t, TimersReg::CKCON), 0x00);
}
