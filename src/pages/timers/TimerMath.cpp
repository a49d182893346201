#include "pages/timers/TimerMath.h"

#include <cmath>

namespace timers {

std::uint32_t Timer01Clock(std::uint32_t sysclk, std::uint8_t ckcon, int timer) {
    const std::uint8_t sysclkBit = timer == 0 ? kCkconT0Sysclk : kCkconT1Sysclk;
    if (ckcon & sysclkBit) return sysclk;
    switch (ckcon & kCkconPrescale) {
        case 0: return sysclk / 12;
        case 1: return sysclk / 4;
        case 2: return sysclk / 48;
        default: return sysclk / 8;
    }
}

std::uint32_t Timer2HalfClock(std::uint32_t sysclk, std::uint8_t ckcon, bool high) {
    const std::uint8_t bit = high ? kCkconT2HighSysclk : kCkconT2LowSysclk;
    return (ckcon & bit) ? sysclk : sysclk / 12;
}

int SmbusBitRate(std::uint32_t clock, std::uint8_t reload) {
    if (clock == 0) return 0;
    const double rate = 1.0 / ((256 - reload) * (1.0 / clock)) * 0.3333333333333333;
    return static_cast<int>(std::trunc(rate));
}

int Uart0BaudRate(std::uint32_t clock, std::uint8_t th1) {
    const std::uint32_t perReload = clock / static_cast<std::uint32_t>(256 - th1);
    return static_cast<int>(std::trunc(perReload * 0.5));
}

double Timer3OverflowMs(std::uint32_t sysclk, std::uint8_t ckcon, std::uint8_t rlh, std::uint8_t rll) {
    const int counts = 65535 - rlh * 256 - rll;
    const double clock = (ckcon & kCkconT3LowSysclk) ? static_cast<double>(sysclk) : sysclk * 0.08333333333333333;
    if (clock == 0) return INFINITY;
    return (1.0 / clock) * counts * 1000.0;
}

bool Timer3Overflows25ms(std::uint32_t sysclk, std::uint8_t ckcon, std::uint8_t rlh, std::uint8_t rll) {
    const double t = Timer3OverflowMs(sysclk, ckcon, rlh, rll);
    return t >= 24 && t <= 26;
}

}  // namespace timers
