#pragma once
// Timer arithmetic shared by the timer, UART, SMBus and PCA pages: the clock
// a timer counts, and the rates its reload values give. Plain functions, no
// Qt. Every function copes with a system clock of 0 (the external oscillator
// at 0 Hz) and returns 0 or "no overflow" then.

#include <cstdint>
#include <string>

#include "model/PeripheralRecord.h"

namespace timers {

// CKCON bits.
inline constexpr std::uint8_t kCkconPrescale = 0x03;  // shared prescaler of Timers 0 and 1
inline constexpr std::uint8_t kCkconT0Sysclk = 0x04;
inline constexpr std::uint8_t kCkconT1Sysclk = 0x08;
inline constexpr std::uint8_t kCkconT2LowSysclk = 0x10;
inline constexpr std::uint8_t kCkconT2HighSysclk = 0x20;
inline constexpr std::uint8_t kCkconT3LowSysclk = 0x40;
inline constexpr std::uint8_t kCkconT3HighSysclk = 0x80;

// The clock Timer 0 or Timer 1 (`timer` 0 or 1) counts for the displays:
// SYSCLK when its CKCON SYSCLK bit is set, else by the prescaler SYSCLK / 12,
// / 4, / 48, or / 8 (the external-oscillator prescaler is shown as SYSCLK / 8).
// Integer division.
std::uint32_t Timer01Clock(std::uint32_t sysclk, std::uint8_t ckcon, int timer);

// The clock of a Timer 2 half: SYSCLK when its CKCON bit (5 high, 4 low) is
// set, else SYSCLK / 12 (integer).
std::uint32_t Timer2HalfClock(std::uint32_t sysclk, std::uint8_t ckcon, bool high);

// How often an 8-bit auto-reload timer overflows, as the SMBus and PCA pages
// compute it: 1 / ((256 - reload) x (1 / clock)) in double precision; 0 at a
// clock of 0.
double OverflowRate(std::uint32_t clock, std::uint8_t reload);

// The SMBus bit rate an 8-bit reload gives: the overflow rate x 1/3, truncated.
int SmbusBitRate(std::uint32_t clock, std::uint8_t reload);

// Timer 1's overflow rate as the UART0 page computes it: clock / (256 - TH1),
// integer division.
std::uint32_t Timer1OverflowRate(std::uint32_t clock, std::uint8_t th1);
// UART0's baud rate from Timer 1: that overflow rate x 0.5, truncated.
int Uart0BaudRate(std::uint32_t clock, std::uint8_t th1);

// Timer 3's overflow period in ms for the SMBus timeout: (65535 - reload)
// counts of SYSCLK (CKCON bit 6 set) or SYSCLK / 12; infinite at a clock of 0.
double Timer3OverflowMs(std::uint32_t sysclk, std::uint8_t ckcon, std::uint8_t rlh,
                        std::uint8_t rll);
// Whether that period lies within 24..26 ms.
bool Timer3Overflows25ms(std::uint32_t sysclk, std::uint8_t ckcon, std::uint8_t rlh,
                         std::uint8_t rll);

// ---- Calculators -------------------------------------------------------

inline constexpr const char* kInvalidInput = "Error: Invalid Input Values.";
inline constexpr const char* kInvalidBitRate = "Error: Invalid Bit Rate Using Current Frequency.";
inline constexpr const char* kInvalidBaudRate = "Error: Invalid Baud Rate Using Current Frequency.";
inline constexpr const char* kInvalidTimeout = "Error: Invalid Timeout Using Current Frequency.";

// A number typed by the user: the leading decimal integer of the text (after
// blanks, with an optional sign), 0 when there is none, held to the int range.
int LeadingInt(const std::string& text);

// Truncates, then adds 1 when the dropped fraction is at least 0.5. False
// (and nothing converted) for a value that is not finite or beyond +-2^31.
bool RoundHalfUp(double x, long long& rounded);

// The timer a bit-rate reload is for, by the name the question shows.
enum BitRateChoice { kChoice0H = 0, kChoice1H = 1, kChoice2L = 2, kChoice2H = 3 };

// The clock a calculator chose for the timer.
enum class CalcClock { Sysclk, Div4, Div12, Div48 };
// "SYSCLK", "SYSCLK / 4", "SYSCLK / 12", "SYSCLK / 48".
const char* ClockName(CalcClock clock);

enum class CalcStatus { Ok, InvalidInput, OutOfRange };

// What a calculator offers for a target rate.
struct ReloadResult {
    CalcStatus status = CalcStatus::InvalidInput;
    CalcClock clock = CalcClock::Sysclk;
    long long reload = 0;   // 0..255; 0..65535 on the UART1 path
    unsigned divide = 1;    // UART1 path: the SYSCLK divider
    std::uint8_t code = 3;  // UART1 path: SBCON1 bits 1..0 for that divider
    double achieved = 0;    // the rate the reload gives (status Ok)
    std::string question;   // the Yes/No question (status Ok)
    std::string error;      // the error message (otherwise)
};

// SMBus bit rate on Timer 0, Timer 1 or a half of Timer 2: ratio
// SYSCLK / (3 x target) picks the clock (a Timer 2 half never counts
// SYSCLK / 4 or / 48), the reload is 256 - clock / (3 x target) rounded half up.
ReloadResult BitRateReload(std::uint32_t sysclk, int target, int choice);
// UART0 baud rate on Timer 1: ratio SYSCLK / target picks the clock, the
// reload is 256 - clock / (2 x target) rounded half up.
ReloadResult Timer1BaudReload(std::uint32_t sysclk, int target);
// UART1 baud rate on its own 16-bit generator: ratio SYSCLK / target picks
// the prescaler, the reload is 65536 - SYSCLK / divide / (2 x target).
ReloadResult Uart1BaudReload(std::uint32_t sysclk, int target);

// The live result line of a calculator: the achieved rate and its deviation,
// or why nothing fits.
std::string ReloadAchievedText(const ReloadResult& result, int target, const std::string& unit);

// Writes a confirmed result into the timer record: the reload register and
// the clock bits of `choice` (Timer1Baud writes as choice 1H does).
void ApplyBitRate(PeripheralRecord& timers, int choice, const ReloadResult& result);
// Writes a confirmed UART1 result into the UART record: SBRLH1:SBRLL1, the
// prescaler code into SBCON1 bits 1..0 and SBCON1 bit 6 (generator on).
void ApplyUart1Baud(PeripheralRecord& uart, const ReloadResult& result);
// What a timer page does to the record after a rate was written: Timer 0/1
// in 8-bit auto-reload mode, stopped, ungated, level-triggered; a Timer 2
// half in split mode. `timer` is 0, 1 or 2.
void PrepareTimerForRate(PeripheralRecord& timers, int timer);

// Timer 3 overflowing every 25 ms (the SMBus timeout).
struct Timeout25Result {
    CalcStatus status = CalcStatus::OutOfRange;
    bool sysclk = true;        // counts SYSCLK, else SYSCLK / 12
    std::uint16_t reload = 0;  // TMR3RLH:TMR3RLL
    std::string question;
    std::string error;
};
// n counts of 25 ms at SYSCLK, else at SYSCLK / 12; the reload is 65535 - n.
// Refused when even SYSCLK / 12 needs more than 65535 counts.
Timeout25Result Timer3Reload25ms(std::uint32_t sysclk);
// Writes a confirmed 25 ms reload: 16-bit mode, TH3 at SYSCLK / 12, TL3 on
// the chosen clock; TMR3CN bit 0 stays only when `tl3External` (the TL3
// source shown is the external oscillator) and SYSCLK was chosen.
void ApplyTimer3Reload25ms(PeripheralRecord& timers, const Timeout25Result& result,
                           bool tl3External);

}  // namespace timers
