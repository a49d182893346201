#pragma once
// Arithmetic of the programmable counter array: the counter's clock, the
// module displays and the three calculators. Plain functions, no Qt. Every
// function copes with a clock of 0 (SYSCLK, the external oscillator or the
// ECI pin at 0 Hz) and never divides by it.

#include <cstdint>
#include <string>

namespace pca {

// PCA0MD timebase field (bits 3..1) values.
inline constexpr std::uint8_t kTimebaseMask = 0x0E;
inline constexpr std::uint8_t kSysclkDiv12 = 0;
inline constexpr std::uint8_t kSysclkDiv4 = 2;
inline constexpr std::uint8_t kTimer0Overflow = 4;
inline constexpr std::uint8_t kEciFalling = 6;
inline constexpr std::uint8_t kSysclk = 8;
inline constexpr std::uint8_t kExtOscDiv8 = 10;

// What the counter's clock depends on besides PCA0MD.
struct ClockInputs {
    std::uint32_t sysclk = 0;
    std::uint32_t extOsc = 0;  // as typed, not halved
    std::uint32_t eci = 0;
    std::uint8_t ckcon = 0;  // from the timer record
    std::uint8_t th0 = 0;
};

// Timer 0's overflow rate in 8-bit auto-reload: its clock / (256 - TH0),
// computed as 1 / ((256 - TH0) x (1 / clock)) and truncated; 0 at a clock of 0.
std::uint32_t Timer0OverflowRate(std::uint32_t sysclk, std::uint8_t ckcon, std::uint8_t th0);

// The counter's clock for the timebase field of `pca0md`; 0 for the field
// values no control produces (12 and 14).
std::uint32_t PcaClock(std::uint8_t pca0md, const ClockInputs& in);

// Frequency output: clock / (2 x PCA0CPHn), or clock / 512 when PCA0CPHn is 0.
std::uint32_t CexFrequency(std::uint32_t clock, std::uint8_t cph);

// PWM duty cycle in percent, 8-bit (from PCA0CPHn) or 16-bit (PCA0CPHn:PCA0CPLn).
double DutyCyclePercent(bool sixteenBit, std::uint8_t cph, std::uint8_t cpl);

// The module pages' value display of a duty cycle ("%.4f") and of the
// watchdog timeout ("%.1f").
std::string DutyCycleText(double percent);
std::string TimeoutText(double ms);

// The watchdog timeout in ms: the time per count of the timebase times
// ((PCA0CPL4 + 1) x 256 - PCA0L); 0.0 when that timebase's clock is 0.
double WatchdogTimeoutMs(std::uint8_t pca0md, const ClockInputs& in, std::uint8_t cpl4,
                         std::uint8_t pcaL);

// The calculators. `Silent`: the inputs give nothing to compute (the dialog
// stays open without a message); `Refused`: the register cannot hold the
// result; `Ok`: `value` is the register value to offer.
enum class Outcome { Silent, Refused, Ok };

struct CexResult {
    Outcome outcome = Outcome::Silent;
    std::uint8_t value = 0;  // PCA0CPHn
    double achieved = 0;     // the frequency that value gives, Hz
};
// "Calculate CEX Frequency": PCA0CPHn = clock / (2 x target), rounded half up,
// with 256 written as 0.
CexResult CalculateCex(std::uint32_t clock, long long target);

struct DutyResult {
    Outcome outcome = Outcome::Silent;
    std::uint8_t cph = 0;
    std::uint8_t cpl = 0;
    double achieved = 0;  // the duty cycle those bytes give, %
};
// "Duty Cycle": r = truncate(range - duty x 0.01 x range) for a range of 256
// (8-bit) or 65536 (16-bit); a negative duty gives nothing, an r beyond the
// range is refused.
DutyResult CalculateDuty(double duty, int range);

// The four clock choices of "Calculate Timeout Interval".
enum class TimeoutSource { Sysclk, ExtOsc, Eci, Timer0 };

struct TimeoutInputs {
    std::uint32_t sysclk = 0;
    std::uint32_t extOsc = 0;
    std::uint32_t eci = 0;
    std::uint32_t timer0Rate = 0;
};

struct TimeoutResult {
    Outcome outcome = Outcome::Silent;
    std::uint8_t cpl4 = 0;
    std::uint8_t timebase = 0;  // PCA0MD field value
    std::string clockName;      // as the question names it
    double achieved = 0;        // the timeout the result gives, ms (PCA0L = pcaL)
};
// "Calculate Timeout Interval" for a target of `ms` milliseconds.
TimeoutResult CalculateTimeout(TimeoutSource source, const TimeoutInputs& in, double ms,
                               std::uint8_t pcaL);

// The radio a timebase field selects when the calculator opens.
TimeoutSource SourceForTimebase(std::uint8_t pca0md);

// The leading unsigned decimal integer of a typed text (0 when there is none
// or it is negative), limited to 32 bits.
std::uint32_t LeadingUnsigned(const std::string& text);
// The leading decimal number of a typed text, "." as the decimal point
// whatever the locale (0 when there is none).
double LeadingNumber(const std::string& text);

}  // namespace pca
