#include "chip/SerialMath.h"

#include <cmath>
#include <cstdio>

#include "chip/TimerMath.h"

namespace serial {

std::uint32_t Uart1GeneratorClock(std::uint32_t sysclk, std::uint8_t sbcon1) {
    switch (sbcon1 & 0x03) {
        case 0:
            return sysclk / 12;
        case 1:
            return sysclk / 4;
        case 2:
            return sysclk / 48;
        default:
            return sysclk;
    }
}

std::int64_t Uart1BaudRate(std::uint32_t sysclk, std::uint8_t sbcon1, std::uint8_t sbrlh1,
                           std::uint8_t sbrll1) {
    const std::uint32_t clock = Uart1GeneratorClock(sysclk, sbcon1);
    const int reload = sbrlh1 * 256 + sbrll1;
    // At most SYSCLK / 2 rounded up: 2^31 at the largest clock.
    const double rate = clock / (2.0 * (65536 - reload));
    const double whole = std::trunc(rate);
    return static_cast<std::int64_t>(whole) + (rate - whole >= 0.5 ? 1 : 0);
}

int Uart0BaudRate(std::uint32_t sysclk, std::uint8_t ckcon, std::uint8_t th1) {
    return timers::Uart0BaudRate(timers::Timer01Clock(sysclk, ckcon, 1), th1);
}

std::uint32_t NearestStandardRate(double rate) {
    std::uint32_t best = kStandardRates[0];
    if (!(rate > 0)) return best;
    double bestDistance = INFINITY;
    for (std::uint32_t standard : kStandardRates) {
        const double distance = std::fabs(std::log(rate / standard));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = standard;
        }
    }
    return best;
}

std::optional<StandardRateError> NearestStandardError(std::int64_t rate) {
    if (rate <= 0) return std::nullopt;
    const std::uint32_t standard = NearestStandardRate(static_cast<double>(rate));
    double error = (static_cast<double>(rate) - standard) / standard * 100.0;
    if (std::fabs(error) < 0.005) error = 0.0;  // no "-0.00"
    char buf[48];
    std::snprintf(buf, sizeof buf, "%+.2f", error);
    return StandardRateError{standard, buf, error};
}

std::string StandardRateText(std::int64_t rate) {
    const auto error = NearestStandardError(rate);
    if (!error) return "Nearest standard rate: -";
    return "Nearest standard rate " + std::to_string(error->standard) + " bps: " + error->percent +
           " %";
}

std::uint32_t SpiSckFrequency(std::uint32_t sysclk, std::uint8_t spi0ckr) {
    return sysclk / (2u * spi0ckr + 2u);
}

std::int64_t SpiSckDivider(std::uint32_t sysclk, std::uint32_t target) {
    if (target == 0) return -1;
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(sysclk) / (2ull * target)) - 1;
}

std::string SpiSckQuestion(std::int64_t v) {
    char buf[64];
    const auto asRegister = static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
    std::snprintf(buf, sizeof buf, "Change SPI0CKR Data to:\n\n SPI0CKR = %02X",
                  static_cast<unsigned>(asRegister));
    return buf;
}

std::string SckAchievedText(const DividerFields& fields) {
    const std::uint32_t sysclk = fields.sysclk.value_or(0);
    const std::uint32_t target = fields.target.value_or(0);
    if (!fields.target || sysclk == 0 || target == 0) return "Achieved: -";
    const std::int64_t v = SpiSckDivider(sysclk, target);
    if (!SpiSckDividerFits(v)) return "Achieved: -";
    return AchievedText(SpiSckFrequency(sysclk, static_cast<std::uint8_t>(v)), target, "Hz");
}

DividerOffer SckOffer(const DividerFields& fields) {
    if (!fields.target) return DividerOffer::Refusal("Please enter an unsigned integer.");
    const std::uint32_t sysclk = fields.sysclk.value_or(0);
    const std::uint32_t target = *fields.target;
    if (sysclk == 0 || target == 0) return DividerOffer::Refusal("Error: Invalid Input Values.");
    const std::int64_t v = SpiSckDivider(sysclk, target);
    if (!SpiSckDividerFits(v)) return DividerOffer::Refusal("Error: Invalid SCK Value Using Current SYSCLK Frequency.");
    return {{}, SpiSckQuestion(v), static_cast<std::uint8_t>(v)};
}

SmbusClock SmbusSourceClock(std::uint32_t sysclk, const TimerRegisters& t, int source) {
    switch (source & 0x03) {
        case 0:
            return {timers::Timer01Clock(sysclk, t.ckcon, 0), t.th0};
        case 1:
            return {timers::Timer01Clock(sysclk, t.ckcon, 1), t.th1};
        case 2:
            return {timers::Timer2HalfClock(sysclk, t.ckcon, true), t.tmr2rlh};
        default:
            return {timers::Timer2HalfClock(sysclk, t.ckcon, false), t.tmr2rll};
    }
}

int SmbusSourceBitRate(std::uint32_t sysclk, const TimerRegisters& t, int source) {
    const SmbusClock c = SmbusSourceClock(sysclk, t, source);
    return timers::SmbusBitRate(c.clock, c.reload);
}

std::optional<double> SmbusMinimumLowTimeMs(std::uint32_t sysclk, const TimerRegisters& t,
                                            int source) {
    const SmbusClock c = SmbusSourceClock(sysclk, t, source);
    if (c.clock == 0) return std::nullopt;
    return (1.0 / c.clock) * (256 - c.reload) * 1000.0;
}

std::string SmbusLowTimeNumber(std::optional<double> ms) {
    if (!ms) return "-";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", *ms);
    return buf;
}

std::string SmbusMinimumLowTimeText(std::uint32_t sysclk, const TimerRegisters& t, int source) {
    return "Minimum SCL Low Time is " +
           SmbusLowTimeNumber(SmbusMinimumLowTimeMs(sysclk, t, source)) + " ms";
}

std::string SmbusTimer3StatusText(std::uint32_t sysclk, const TimerRegisters& t) {
    return timers::Timer3Overflows25ms(sysclk, t.ckcon, t.tmr3rlh, t.tmr3rll)
               ? "Timer 3 overflows at 25 ms, Configured Properly"
               : "Timer 3 does not overflow at 25 ms, NOT Configured Properly";
}

}  // namespace serial
