#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chip/PcaMath.h"
#include "chip/PcaRecord.h"
#include "devices/Q7R2xDoc.h"

using namespace pca;

TEST(PcaClock, EachTimebaseField) {
    const auto in = ClockInputs{12000001, 22118400, 4321, 0x04, 0xF6};
    EXPECT_EQ(PcaClock(kSysclkDiv12, in), 1000000u);  // integer division
    EXPECT_EQ(PcaClock(kSysclkDiv4, in), 3000000u);
    EXPECT_EQ(PcaClock(kTimer0Overflow, in), 1200000u);  // SYSCLK / (256 - 0xF6)
    EXPECT_EQ(PcaClock(kEciFalling, in), 4321u);
    EXPECT_EQ(PcaClock(kSysclk, in), 12000001u);
    EXPECT_EQ(PcaClock(kExtOscDiv8, in), 2764800u);  // the typed frequency, not halved
    EXPECT_EQ(PcaClock(12, in), 0u);
    EXPECT_EQ(PcaClock(14, in), 0u);
    // Only the field counts: suspend, lock and interrupt bits around it do not.
    EXPECT_EQ(PcaClock(0x80 | 0x20 | kSysclkDiv4 | 0x01, in), 3000000u);
}

TEST(PcaClock, Timer0OverflowFollowsCkconAndTruncates) {
    EXPECT_EQ(Timer0OverflowRate(1500000, 0x01, 0xFF), 375000u);  // SYSCLK / 4, one count
    EXPECT_EQ(Timer0OverflowRate(24000000, 0x02, 0x00), 1953u);   // SYSCLK / 48
    // Timer 1's SYSCLK bit is not Timer 0's.
    EXPECT_EQ(Timer0OverflowRate(24000000, 0x08, 0xFF), 2000000u);
    EXPECT_EQ(Timer0OverflowRate(0, 0x04, 0x10), 0u);
    EXPECT_EQ(PcaClock(kTimer0Overflow, ClockInputs{0, 0, 0, 0x04, 0}), 0u);
}

TEST(PcaDisplays, CexFrequencyAndDutyCycle) {
    EXPECT_EQ(CexFrequency(12000000, 0), 23437u);  // clock / 512
    EXPECT_EQ(CexFrequency(12000000, 6), 1000000u);
    EXPECT_EQ(CexFrequency(12000000, 0xFF), 23529u);
    EXPECT_EQ(CexFrequency(0, 0), 0u);
    EXPECT_DOUBLE_EQ(DutyCyclePercent(false, 0x80, 0x55), 50.0);  // PCA0CPLn plays no part in 8-bit
    EXPECT_DOUBLE_EQ(DutyCyclePercent(true, 0x80, 0x00), 50.0);
    EXPECT_NEAR(DutyCyclePercent(true, 0xFF, 0xFF), 0.00152587890625, 1e-15);
}

TEST(PcaDisplays, WatchdogTimeout) {
    // SYSCLK / 12 at 1.5 MHz, PCA0CPL4 = 0xFF, PCA0L = 0: 65536 x 8 us.
    EXPECT_NEAR(WatchdogTimeoutMs(kSysclkDiv12, ClockInputs{1500000}, 0xFF, 0), 524.288, 1e-9);
    // PCA0L counts already done shorten it.
    EXPECT_NEAR(WatchdogTimeoutMs(kSysclk, ClockInputs{1000000}, 0x00, 0x80), 0.128, 1e-12);
    EXPECT_NEAR(WatchdogTimeoutMs(kExtOscDiv8, ClockInputs{0, 8000000}, 0x00, 0), 0.256, 1e-12);
    // 1500000 / 15 comes out as 99999.99..., truncated to 99999 overflows a second.
    EXPECT_EQ(Timer0OverflowRate(1500000, 0x04, 0xF1), 99999u);
    EXPECT_NEAR(WatchdogTimeoutMs(kTimer0Overflow, ClockInputs{1500000, 0, 0, 0x04, 0xF1}, 0, 0),
                256000.0 / 99999, 1e-9);
    // A clock of 0 shows 0.0 instead of dividing by it.
    EXPECT_EQ(WatchdogTimeoutMs(kEciFalling, ClockInputs{1500000}, 0xFF, 0), 0.0);
    EXPECT_EQ(WatchdogTimeoutMs(kExtOscDiv8, ClockInputs{1500000}, 0xFF, 0), 0.0);
    EXPECT_EQ(WatchdogTimeoutMs(kSysclkDiv4, ClockInputs{0}, 0xFF, 0), 0.0);
    EXPECT_EQ(WatchdogTimeoutMs(kTimer0Overflow, ClockInputs{0}, 0xFF, 0), 0.0);
}

TEST(CexCalculator, RoundsHalfUpAndWrites256As0) {
    auto r = CalculateCex(12000000, 23438);  // x = 255.99
    EXPECT_EQ(r.outcome, Outcome::Ok);
    EXPECT_EQ(r.value, 0x00);
    EXPECT_EQ(r.achieved, 23437);
    r = CalculateCex(12000000, 1000000);
    EXPECT_EQ(r.value, 6);
    EXPECT_EQ(CalculateCex(1000, 400).value, 1);   // 1.25 rounds down
    EXPECT_EQ(CalculateCex(1000, 200).value, 3);   // 2.5 rounds up
    EXPECT_EQ(CalculateCex(1000, 2000).value, 0);  // 0.25 rounds to 0, which means 256
    // Above 256.5 cannot be held.
    EXPECT_EQ(CalculateCex(12000000, 23391).outcome, Outcome::Refused);  // x = 256.5
    EXPECT_EQ(CalculateCex(4000000000u, 1).outcome, Outcome::Refused);
    // Nothing to compute: no message, the dialog stays open.
    EXPECT_EQ(CalculateCex(0, 1000).outcome, Outcome::Silent);
    EXPECT_EQ(CalculateCex(12000000, 0).outcome, Outcome::Silent);
    EXPECT_EQ(CalculateCex(12000000, -5).outcome, Outcome::Silent);
}

TEST(DutyCalculator, EightAndSixteenBit) {
    // 25 % in 8 bits: pca.zvs. 0 % accepted: r = 256, offered as its register byte 00.
    auto r = CalculateDuty(0, 256);
    EXPECT_EQ(r.outcome, Outcome::Ok);
    EXPECT_EQ(r.cph, 0x00);
    EXPECT_EQ(CalculateDuty(33.3, 256).cph, 0xAA);  // 170.75 truncates
    r = CalculateDuty(33.3, 65536);
    EXPECT_EQ(r.cph, 0xAA);
    EXPECT_EQ(r.cpl, 0xC0);  // 43712.5 truncates to 0xAAC0
    EXPECT_EQ(CalculateDuty(0, 65536).outcome, Outcome::Ok);
    EXPECT_EQ(CalculateDuty(0, 65536).cph, 0x00);
    // Just above 100 % still truncates to 0; beyond that r is negative.
    EXPECT_EQ(CalculateDuty(100.3, 256).outcome, Outcome::Ok);
    EXPECT_EQ(CalculateDuty(150, 65536).outcome, Outcome::Refused);
    EXPECT_EQ(CalculateDuty(150, 256).outcome, Outcome::Refused);
    EXPECT_EQ(CalculateDuty(1e300, 65536).outcome, Outcome::Refused);
    EXPECT_EQ(CalculateDuty(std::numeric_limits<double>::infinity(), 256).outcome,
              Outcome::Refused);
    // A negative duty does nothing at all.
    EXPECT_EQ(CalculateDuty(-1, 256).outcome, Outcome::Silent);
    EXPECT_EQ(CalculateDuty(std::nan(""), 256).outcome, Outcome::Silent);
}

TEST(TimeoutCalculator, ClockReloadAndRange) {
    const auto kNone = std::nan("");
    constexpr auto S = TimeoutSource::Sysclk, X = TimeoutSource::ExtOsc, E = TimeoutSource::Eci,
                   T = TimeoutSource::Timer0;
    constexpr auto Ok = Outcome::Ok, Refused = Outcome::Refused;
    const struct {
        TimeoutSource source;
        TimeoutInputs in;  // SYSCLK, external oscillator, ECI, Timer 0 overflows
        double ms;
        std::uint8_t pcaL;
        Outcome outcome;
        int cpl4 = 0;
        std::uint8_t timebase = 0;
        const char* clockName = "";
        double achieved = std::nan("");  // not checked when NaN
    } rows[] = {
        // 5 ms < m: SYSCLK itself; (60000 - 256) / 256 = 233.4.
        {S, {12000000}, 5, 0, Ok, 233, kSysclk, "SYSCLK", 234 * 256 / 12000.0},
        // 100 ms at 1.5 MHz: m = 43.7, 4m = 174.8: SYSCLK / 4, (37500 - 256) / 256 = 145.5.
        {S, {1500000}, 100, 0, Ok, 145, kSysclkDiv4, "SYSCLK / 4"},
        // 400 ms at 1.5 MHz: SYSCLK / 12, r = 194.3; PCA0L counts: (195 x 256 - 0x80) x 8 us.
        {S, {1500000}, 400, 0x80, Ok, 194, kSysclkDiv12, "SYSCLK / 12", 398.336},
        // Truncation toward zero: a timeout shorter than 256 counts still gives 00.
        {S, {1500000}, 0.1, 0, Ok, 0, kSysclk, "SYSCLK"},
        {S, {1500000}, -5, 0, Refused},
        {S, {0}, 100, 0, Refused},
        // External oscillator / 8: the frequency as typed; (10000 - 256) / 256 = 38.06.
        {X, {0, 8000000}, 10, 0, Ok, 38, kExtOscDiv8, "External Oscillator / 8"},
        {E, {0, 0, 100000}, 100, 0, Ok, 38, kEciFalling, "High to Low Transitions on ECI"},
        {T, {0, 0, 0, 100000}, 100, 0, Ok, 38, kTimer0Overflow, "Timer 0 Overflow", 99.84},
        // The edges of the register: 255 fits, 256 does not; a clock of 0 gives -1.
        {E, {0, 0, 256000}, 256.99, 0, Ok, 255, kEciFalling, "High to Low Transitions on ECI"},
        {E, {0, 0, 256000}, 257, 0, Refused},
        {E, {0, 0, 0}, 100, 0, Refused},
        {T, {0, 0, 0, 100000}, 1e300, 0, Refused},
        {T, {0, 0, 0, 100000}, kNone, 0, Refused},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << int(row.source) << ": " << row.ms << " ms");
        const TimeoutResult r = CalculateTimeout(row.source, row.in, row.ms, row.pcaL);
        EXPECT_EQ(r.outcome, row.outcome);
        if (row.outcome != Outcome::Ok) continue;
        EXPECT_EQ(r.cpl4, row.cpl4);
        EXPECT_EQ(r.timebase, row.timebase);
        EXPECT_EQ(r.clockName, row.clockName);
        if (!std::isnan(row.achieved)) {
            EXPECT_NEAR(r.achieved, row.achieved, 1e-9);
        }
    }
}

TEST(TimeoutCalculator, OpeningRadioFollowsTheTimebase) {
    EXPECT_EQ(SourceForTimebase(kSysclkDiv12), TimeoutSource::Sysclk);
    EXPECT_EQ(SourceForTimebase(kSysclkDiv4), TimeoutSource::Sysclk);
    EXPECT_EQ(SourceForTimebase(kSysclk | 0x20), TimeoutSource::Sysclk);
    EXPECT_EQ(SourceForTimebase(kExtOscDiv8), TimeoutSource::ExtOsc);
    EXPECT_EQ(SourceForTimebase(kEciFalling), TimeoutSource::Eci);
    EXPECT_EQ(SourceForTimebase(kTimer0Overflow), TimeoutSource::Timer0);
}

TEST(TypedNumbers, LeadingDigitsOnly) {
    EXPECT_EQ(LeadingUnsigned("1000 Hz"), 1000u);
    EXPECT_EQ(LeadingUnsigned("  42"), 42u);
    EXPECT_EQ(LeadingUnsigned("abc"), 0u);
    EXPECT_EQ(LeadingUnsigned("-7"), 0u);
    EXPECT_EQ(LeadingUnsigned("99999999999999999999999"), 0xFFFFFFFFu);
    EXPECT_DOUBLE_EQ(LeadingNumber("12.5 %"), 12.5);
    EXPECT_EQ(LeadingNumber("x"), 0.0);
    EXPECT_EQ(LeadingNumber("1e999"), 0.0);
}

// ---------------------------------------------------------------- the watchdog in the record

class WatchdogRecord : public ::testing::Test {
protected:
    void SetUp() override { NewProject(0)->GetPeripheral(pca_, Pid::Pca); }
    RegisterEntry& At(int position) {
        return pca_.Registers.at(static_cast<std::size_t>(position));
    }
    std::pair<int, int> Flags() { return {At(PcaReg::PCA0MD).ForceWrite, At(Cpl(4)).ForceWrite}; }
    PeripheralRecord pca_;
};

TEST_F(WatchdogRecord, StatesLiveInTheTextsOfPca0cpl4) {
    // The default record's assembly line has no ";", but it is the enabled state.
    EXPECT_EQ(WatchdogState(pca_), Watchdog::Enabled);
    // The locked state's texts: pca.zvs compares them in the generated files.
    SetWatchdogTexts(pca_, Watchdog::Locked);
    EXPECT_EQ(WatchdogState(pca_), Watchdog::Locked);
    SetWatchdogTexts(pca_, Watchdog::Enabled);
    EXPECT_EQ(At(Cpl(4)).CPost, "    PCA0MD    |= 0x40;\r\n");
    EXPECT_EQ(At(Cpl(4)).AsmPost, "    orl  PCA0MD,    #040h;\r\n");
    EXPECT_EQ(WatchdogState(pca_), Watchdog::Enabled);
    SetWatchdogTexts(pca_, Watchdog::Disabled);
    EXPECT_TRUE(At(Cpl(4)).CPost.empty());
    EXPECT_TRUE(At(Cpl(4)).AsmPost.empty());
    EXPECT_EQ(WatchdogState(pca_), Watchdog::Disabled);
    // Only the character at position 19 decides the lock.
    At(Cpl(4)).CPost = "x";
    EXPECT_EQ(WatchdogState(pca_), Watchdog::Enabled);
}

// Each register alone set: the force-write flags of PCA0MD and PCA0CPL4
// that the PCA0 page's rule and then Module 4's rule give. A new project,
// PCA0CN alone and PCA0MD: PcaSheet's watchdog tests.
TEST_F(WatchdogRecord, TheTwoRulesLookAtDifferentRegisters) {
    using Flags2 = std::pair<int, int>;
    const struct {
        int position;
        std::uint8_t value;
        Flags2 pca0, module4;
    } rows[] = {
        // PCA0CPL4: ignored by the PCA0 page, not by Module 4.
        {Cpl(4), 0x10, {0, 0}, {1, 1}},
        // PCA0CPM4 bit 0: counted by the PCA0 page, ignored by Module 4.
        {Cpm(4), 0x01, {1, 1}, {0, 0}},
        {Cpm(4), 0x03, {1, 1}, {1, 1}},
        {PcaReg::PCA0L, 0x02, {1, 1}, {1, 1}},
        {PcaReg::PCA0H, 0x02, {1, 1}, {1, 1}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.position);
        At(row.position).Value = row.value;
        ApplyPca0WatchdogRule(pca_);
        EXPECT_EQ(Flags(), row.pca0);
        ApplyModule4WatchdogRule(pca_, true, false);
        EXPECT_EQ(Flags(), row.module4);
        At(row.position).Value = 0;
    }
    // Disabled and locked decide alone, whatever the registers hold.
    ApplyModule4WatchdogRule(pca_, false, false);
    EXPECT_EQ(Flags(), std::make_pair(1, 0));
    ApplyModule4WatchdogRule(pca_, true, true);
    EXPECT_EQ(Flags(), std::make_pair(1, 1));
    SetWatchdogTexts(pca_, Watchdog::Disabled);
    ApplyPca0WatchdogRule(pca_);
    EXPECT_EQ(Flags(), std::make_pair(1, 0));
    SetWatchdogTexts(pca_, Watchdog::Locked);
    ApplyPca0WatchdogRule(pca_);
    EXPECT_EQ(Flags(), std::make_pair(1, 1));
}
