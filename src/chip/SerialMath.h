#pragma once
// Arithmetic of the UART, SPI0 and SMBus pages: generator clocks, the rates
// that register values give, the SCK divider for a wanted frequency and the
// texts built from them. Plain functions, no Qt; every function copes with a
// system clock of 0.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "chip/Achieved.h"
#include "model/PeripheralRecord.h"

namespace serial {

// Whether a bit of another peripheral's record copy is set (false for a
// missing record or register).
inline bool RecordBit(const PeripheralRecord* record, std::size_t position, std::uint8_t mask) {
    return record && position < record->Registers.size() &&
           (record->Registers[position].Value & mask) != 0;
}

// UART1's baud-rate generator clock by the SBCON1 prescaler code (bits 1..0):
// 0 SYSCLK / 12, 1 SYSCLK / 4, 2 SYSCLK / 48, 3 SYSCLK (integer division).
std::uint32_t Uart1GeneratorClock(std::uint32_t sysclk, std::uint8_t sbcon1);

// UART1's baud rate: clock / (2 x (65536 - reload)) with reload =
// SBRLH1 x 256 + SBRLL1, in double precision, rounded half up.
std::int64_t Uart1BaudRate(std::uint32_t sysclk, std::uint8_t sbcon1, std::uint8_t sbrlh1,
                           std::uint8_t sbrll1);

// UART0's baud rate from the timer record's CKCON and TH1 (Timer 1 clock,
// then (clock / (256 - TH1)) x 0.5, truncated).
int Uart0BaudRate(std::uint32_t sysclk, std::uint8_t ckcon, std::uint8_t th1);

// The standard rates a serial link is usually run at, 1200 to 921600 bps.
inline constexpr std::uint32_t kStandardRates[] = {
    1200, 2400, 4800, 9600, 14400, 19200, 28800, 38400, 57600, 115200, 230400, 460800, 921600};
// The standard rate nearest to `rate` (by ratio, so 3000 is nearer 2400 than 4800).
std::uint32_t NearestStandardRate(double rate);
// How far a rate lies from its nearest standard rate, in percent as the
// UART pages show it (two decimals; no "-0.00"). Nothing for a rate of 0 or
// less (nothing is sent).
struct StandardRateError {
    std::uint32_t standard;
    std::string percent;  // "+0.16"
    double value = 0;     // the same deviation unrounded (0 where it reads 0.00)
};
std::optional<StandardRateError> NearestStandardError(std::int64_t rate);
// "Nearest standard rate 115200 bps: +0.16 %", or "Nearest standard rate: -"
// for a rate of 0 (nothing is sent).
std::string StandardRateText(std::int64_t rate);

// SPI0's SCK: SYSCLK / (2 x SPI0CKR + 2), unsigned integer division.
std::uint32_t SpiSckFrequency(std::uint32_t sysclk, std::uint8_t spi0ckr);

// The SCK calculator: v = SYSCLK / (2 x target), unsigned integer division,
// minus 1, as a signed number. Computed in 64 bits, so a target of 2^31 Hz
// or more gives -1 instead of wrapping. Needs sysclk and target non-zero.
std::int64_t SpiSckDivider(std::uint32_t sysclk, std::uint32_t target);
// Whether a divider fits SPI0CKR (0..255).
inline bool SpiSckDividerFits(std::int64_t v) {
    return v >= 0 && v <= 255;
}
// "Change SPI0CKR Data to:\n\n SPI0CKR = %02X" with v as the register would
// take it ("%02X" of the number as a signed 32-bit int).
std::string SpiSckQuestion(std::int64_t v);
// The SCK calculator: its live result line, and the SPI0CKR value its OK offers.
std::string SckAchievedText(const DividerFields& fields);
DividerOffer SckOffer(const DividerFields& fields);

// The timer clock and reload behind the SMBus clock source (SMB0CF bits
// 1..0): 0 Timer 0 with TH0, 1 Timer 1 with TH1, 2 Timer 2 high byte with
// TMR2RLH, 3 Timer 2 low byte with TMR2RLL.
struct SmbusClock {
    std::uint32_t clock;
    std::uint8_t reload;
};
struct TimerRegisters {
    std::uint8_t ckcon, th0, th1, tmr2rll, tmr2rlh, tmr3rll, tmr3rlh;
};
SmbusClock SmbusSourceClock(std::uint32_t sysclk, const TimerRegisters& t, int source);
// The bit rate the source gives ("%d" Hz).
int SmbusSourceBitRate(std::uint32_t sysclk, const TimerRegisters& t, int source);
// The minimum SCL low time: one timer overflow, (1 / clock) x (256 - reload)
// x 1000 ms; nothing at a clock of 0, which never overflows.
std::optional<double> SmbusMinimumLowTimeMs(std::uint32_t sysclk, const TimerRegisters& t,
                                            int source);
// That time as the page shows it ("%.4f"), "-" for nothing.
std::string SmbusLowTimeNumber(std::optional<double> ms);
// "Minimum SCL Low Time is %.4f ms" with that number.
std::string SmbusMinimumLowTimeText(std::uint32_t sysclk, const TimerRegisters& t, int source);
// The SCL timeout status of Timer 3 (counts of SYSCLK or SYSCLK / 12 by
// CKCON bit 6, 24..26 ms wanted).
std::string SmbusTimer3StatusText(std::uint32_t sysclk, const TimerRegisters& t);

}  // namespace serial
