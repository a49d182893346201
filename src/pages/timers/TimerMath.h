#pragma once
// Timer arithmetic shared by the timer, UART, SMBus and PCA pages: the clock
// a timer counts, and the rates its reload values give. Plain functions, no
// Qt. Every function copes with a system clock of 0 (the external oscillator
// at 0 Hz) and returns 0 or "no overflow" then.

#include <cstdint>

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

// The SMBus bit rate an 8-bit reload gives: clock / (256 - reload) / 3,
// computed in double precision and truncated.
int SmbusBitRate(std::uint32_t clock, std::uint8_t reload);

// UART0's baud rate from Timer 1: (clock / (256 - TH1), integer) x 0.5, truncated.
int Uart0BaudRate(std::uint32_t clock, std::uint8_t th1);

// Timer 3's overflow period in ms for the SMBus timeout: (65535 - reload)
// counts of SYSCLK (CKCON bit 6 set) or SYSCLK / 12; infinite at a clock of 0.
double Timer3OverflowMs(std::uint32_t sysclk, std::uint8_t ckcon, std::uint8_t rlh, std::uint8_t rll);
// Whether that period lies within 24..26 ms.
bool Timer3Overflows25ms(std::uint32_t sysclk, std::uint8_t ckcon, std::uint8_t rlh, std::uint8_t rll);

}  // namespace timers
