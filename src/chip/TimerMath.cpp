#include "chip/TimerMath.h"

#include "chip/Achieved.h"
#include "chip/ClockMath.h"
#include "devices/Registers.h"

#include <climits>
#include <cmath>
#include <cstdio>

namespace timers {

std::uint32_t Timer01Clock(std::uint32_t sysclk, std::uint8_t ckcon, int timer) {
    const std::uint8_t sysclkBit = timer == 0 ? kCkconT0Sysclk : kCkconT1Sysclk;
    if (ckcon & sysclkBit) return sysclk;
    switch (ckcon & kCkconPrescale) {
        case 0:
            return sysclk / 12;
        case 1:
            return sysclk / 4;
        case 2:
            return sysclk / 48;
        default:
            return sysclk / 8;
    }
}

std::uint32_t Timer2HalfClock(std::uint32_t sysclk, std::uint8_t ckcon, bool high) {
    const std::uint8_t bit = high ? kCkconT2HighSysclk : kCkconT2LowSysclk;
    return (ckcon & bit) ? sysclk : sysclk / 12;
}

double OverflowRate(std::uint32_t clock, std::uint8_t reload) {
    if (clock == 0) return 0;
    return 1.0 / ((256 - reload) * (1.0 / clock));
}

int SmbusBitRate(std::uint32_t clock, std::uint8_t reload) {
    return static_cast<int>(std::trunc(OverflowRate(clock, reload) * 0.3333333333333333));
}

std::uint32_t Timer1OverflowRate(std::uint32_t clock, std::uint8_t th1) {
    return clock / static_cast<std::uint32_t>(256 - th1);
}

int Uart0BaudRate(std::uint32_t clock, std::uint8_t th1) {
    return static_cast<int>(std::trunc(Timer1OverflowRate(clock, th1) * 0.5));
}

double Timer3OverflowMs(std::uint32_t sysclk, std::uint8_t ckcon, std::uint8_t rlh,
                        std::uint8_t rll) {
    const int counts = 65535 - rlh * 256 - rll;
    const double clock =
        (ckcon & kCkconT3LowSysclk) ? static_cast<double>(sysclk) : sysclk * 0.08333333333333333;
    if (clock == 0) return INFINITY;
    return (1.0 / clock) * counts * 1000.0;
}

bool Timer3Overflows25ms(std::uint32_t sysclk, std::uint8_t ckcon, std::uint8_t rlh,
                         std::uint8_t rll) {
    const double t = Timer3OverflowMs(sysclk, ckcon, rlh, rll);
    return t >= 24 && t <= 26;
}

int LeadingInt(const std::string& text) {
    const std::int64_t value = osc::LeadingInteger(text);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool RoundHalfUp(double x, long long& rounded) {
    if (!std::isfinite(x) || x > 2147483648.0 || x < -2147483648.0) return false;
    const double whole = std::trunc(x);
    rounded = static_cast<long long>(whole);
    if (x - whole >= 0.5) ++rounded;
    return true;
}

const char* ClockName(CalcClock clock) {
    switch (clock) {
        case CalcClock::Sysclk:
            return "SYSCLK";
        case CalcClock::Div4:
            return "SYSCLK / 4";
        case CalcClock::Div12:
            return "SYSCLK / 12";
        case CalcClock::Div48:
            return "SYSCLK / 48";
    }
    return "SYSCLK";
}

namespace {

double ClockFactor(CalcClock clock) {
    switch (clock) {
        case CalcClock::Sysclk:
            return 1.0;
        case CalcClock::Div4:
            return 0.25;
        case CalcClock::Div12:
            return 0.08333333333333333;
        case CalcClock::Div48:
            return 0.020833333333333332;
    }
    return 1.0;
}

// Takes x as the reload when it rounds into 0..max; the error otherwise.
bool TakeReload(double x, long long max, const char* error, ReloadResult& result) {
    long long r = 0;
    if (!RoundHalfUp(x, r) || r < 0 || r > max) {
        result.status = CalcStatus::OutOfRange;
        result.error = error;
        return false;
    }
    result.status = CalcStatus::Ok;
    result.reload = r;
    return true;
}

bool InputsValid(std::uint32_t sysclk, int target, ReloadResult& result) {
    if (sysclk != 0 && target > 0) return true;
    result.status = CalcStatus::InvalidInput;
    result.error = kInvalidInput;
    return false;
}

const char* const kChoiceNames[] = {"0H", "1H", "2L", "2H"};

// The clock of an 8-bit reload by the ratio of SYSCLK to the rate: SYSCLK
// below 512, SYSCLK / 4 below 2048, SYSCLK / 12 below 6144, else SYSCLK / 48.
// A Timer 2 half has only SYSCLK and SYSCLK / 12.
CalcClock PickClock(std::uint64_t ratio, bool timer2) {
    if (ratio < 512) return CalcClock::Sysclk;
    if (ratio < 2048 && !timer2) return CalcClock::Div4;
    if (ratio < 6144 || timer2) return CalcClock::Div12;
    return CalcClock::Div48;
}

}  // namespace

ReloadResult BitRateReload(std::uint32_t sysclk, int target, int choice) {
    ReloadResult result;
    if (choice < kChoice0H || choice > kChoice2H) choice = kChoice0H;
    if (!InputsValid(sysclk, target, result)) return result;
    const std::uint64_t ratio = sysclk / (3ull * static_cast<std::uint64_t>(target));
    result.clock = PickClock(ratio, choice == kChoice2L || choice == kChoice2H);
    const double clock = sysclk * ClockFactor(result.clock);
    const double x = 256 - 1 / ((3.0 * target) / clock);
    if (!TakeReload(x, 255, kInvalidBitRate, result)) return result;
    result.achieved = clock / static_cast<double>(256 - result.reload) / 3.0;
    const char* name = kChoiceNames[choice];
    char buf[160];
    std::snprintf(buf, sizeof buf, "Change T%c's Data to:\n\n T%s = %02X\n Clock Source: %s",
                  name[0], name, static_cast<unsigned>(result.reload), ClockName(result.clock));
    result.question = buf;
    return result;
}

ReloadResult Timer1BaudReload(std::uint32_t sysclk, int target) {
    ReloadResult result;
    if (!InputsValid(sysclk, target, result)) return result;
    const std::uint32_t ratio = sysclk / static_cast<std::uint32_t>(target);
    result.clock = PickClock(ratio, false);
    const double clock = sysclk * ClockFactor(result.clock);
    const double x = 256 - clock / (2.0 * target);
    if (!TakeReload(x, 255, kInvalidBaudRate, result)) return result;
    result.achieved = clock / static_cast<double>(256 - result.reload) / 2.0;
    char buf[160];
    std::snprintf(buf, sizeof buf, "Change T1's Data to:\n\n T1H = %02X\n Clock Source: %s",
                  static_cast<unsigned>(result.reload), ClockName(result.clock));
    result.question = buf;
    return result;
}

ReloadResult Uart1BaudReload(std::uint32_t sysclk, int target) {
    ReloadResult result;
    if (!InputsValid(sysclk, target, result)) return result;
    const std::uint32_t ratio = sysclk / static_cast<std::uint32_t>(target);
    if (ratio < 131072)
        result.divide = 1, result.code = 3;
    else if (ratio < 524288)
        result.divide = 4, result.code = 1;
    else if (ratio < 1572864)
        result.divide = 12, result.code = 0;
    else if (ratio < 6291456)
        result.divide = 48, result.code = 2;
    else
        result.divide = 1, result.code = 3;
    result.clock = result.divide == 4    ? CalcClock::Div4
                   : result.divide == 12 ? CalcClock::Div12
                   : result.divide == 48 ? CalcClock::Div48
                                         : CalcClock::Sysclk;
    const double clock = static_cast<double>(sysclk) / result.divide;
    const double x = 65536 - clock / (2.0 * target);
    if (!TakeReload(x, 65535, kInvalidBaudRate, result)) return result;
    result.achieved = clock / static_cast<double>(65536 - result.reload) / 2.0;
    char buf[160];
    std::snprintf(buf, sizeof buf,
                  "Change SBRL1's Data to:\n\n SBRLH1:SBRLL1 = %04X\n Clock Source: SYSCLK / %u",
                  static_cast<unsigned>(result.reload), result.divide);
    result.question = buf;
    return result;
}

std::string ReloadAchievedText(const ReloadResult& result, int target, const std::string& unit) {
    switch (result.status) {
        case CalcStatus::Ok:
            return AchievedText(result.achieved, target, unit);
        case CalcStatus::OutOfRange:
            return "Achieved: - (no reload fits at this SYSCLK)";
        case CalcStatus::InvalidInput:
            break;
    }
    return "Achieved: -";
}

namespace {

void Set(PeripheralRecord& r, int position, std::uint8_t mask, bool on) {
    auto& v = r.Registers[static_cast<std::size_t>(position)].Value;
    v = on ? static_cast<std::uint8_t>(v | mask) : static_cast<std::uint8_t>(v & ~mask);
}

void Field(PeripheralRecord& r, int position, std::uint8_t mask, std::uint8_t value) {
    auto& v = r.Registers[static_cast<std::size_t>(position)].Value;
    v = static_cast<std::uint8_t>((v & ~mask) | value);
}

bool IsTimerRecord(const PeripheralRecord& r) {
    return r.Registers.size() >= TimersReg::Count;
}

// The prescaler code of CKCON bits 1..0 for a clock other than SYSCLK.
std::uint8_t PrescalerCode(CalcClock clock) {
    switch (clock) {
        case CalcClock::Div4:
            return 1;
        case CalcClock::Div48:
            return 2;
        default:
            return 0;
    }
}

}  // namespace

void ApplyBitRate(PeripheralRecord& timers, int choice, const ReloadResult& result) {
    if (!IsTimerRecord(timers) || result.status != CalcStatus::Ok) return;
    const auto reload = static_cast<std::uint8_t>(result.reload);
    const bool sysclk = result.clock == CalcClock::Sysclk;
    switch (choice) {
        case kChoice0H:
        case kChoice1H: {
            const bool t0 = choice == kChoice0H;
            timers.Registers[t0 ? TimersReg::TH0 : TimersReg::TH1].Value = reload;
            const std::uint8_t sysclkBit = t0 ? kCkconT0Sysclk : kCkconT1Sysclk;
            if (sysclk) {
                Set(timers, TimersReg::TMOD, t0 ? 0x04 : 0x40, false);
                Set(timers, TimersReg::CKCON, sysclkBit, true);
                Field(timers, TimersReg::CKCON, kCkconPrescale, 0);
            } else {
                Set(timers, TimersReg::CKCON, sysclkBit, false);
                Field(timers, TimersReg::CKCON, kCkconPrescale, PrescalerCode(result.clock));
            }
            break;
        }
        case kChoice2L:
        case kChoice2H: {
            const bool high = choice == kChoice2H;
            timers.Registers[high ? TimersReg::TMR2RLH : TimersReg::TMR2RLL].Value = reload;
            Set(timers, TimersReg::CKCON, high ? kCkconT2HighSysclk : kCkconT2LowSysclk, sysclk);
            Set(timers, TimersReg::TMR2CN, 0x01, false);
            break;
        }
        default:
            break;
    }
}

void ApplyUart1Baud(PeripheralRecord& uart, const ReloadResult& result) {
    if (uart.Registers.size() <= UartReg::SBCON1 || result.status != CalcStatus::Ok) return;
    uart.Registers[UartReg::SBRLH1].Value = static_cast<std::uint8_t>(result.reload >> 8);
    uart.Registers[UartReg::SBRLL1].Value = static_cast<std::uint8_t>(result.reload & 0xFF);
    Field(uart, UartReg::SBCON1, 0x03, result.code);
    Set(uart, UartReg::SBCON1, 0x40, true);
}

void PrepareTimerForRate(PeripheralRecord& timers, int timer) {
    if (!IsTimerRecord(timers)) return;
    switch (timer) {
        case 0:
        case 1: {
            // Timer 1's TMOD bits lie four, its TCON bits two above Timer 0's.
            const int tmod = timer * 4, tcon = timer * 2;
            // Mode 2, stopped, not gated, level-triggered.
            Field(timers, TimersReg::TMOD, static_cast<std::uint8_t>(0x03 << tmod),
                  static_cast<std::uint8_t>(0x02 << tmod));
            Set(timers, TimersReg::TCON, static_cast<std::uint8_t>(0x10 << tcon), false);
            Set(timers, TimersReg::TMOD, static_cast<std::uint8_t>(0x08 << tmod), false);
            Set(timers, TimersReg::TCON, static_cast<std::uint8_t>(0x01 << tcon), false);
            break;
        }
        case 2:
            Set(timers, TimersReg::TMR2CN, 0x08, true);
            break;
        default:
            break;
    }
}

Timeout25Result Timer3Reload25ms(std::uint32_t sysclk) {
    Timeout25Result result;
    // Counts of SYSCLK in 25 ms, as 0.025 / (1 / SYSCLK); none at a clock of 0.
    const double counts = sysclk == 0 ? 0.0 : 0.025 / (1.0 / sysclk);
    double n = std::trunc(counts);
    result.sysclk = n <= 65535;
    if (!result.sysclk) {
        n = std::trunc(0.025 / (1.0 / (sysclk * 0.08333333333333333)));
        if (n > 65535) {
            result.status = CalcStatus::OutOfRange;
            result.error = kInvalidTimeout;
            return result;
        }
    }
    result.status = CalcStatus::Ok;
    result.reload = static_cast<std::uint16_t>(65535 - static_cast<int>(n));
    char buf[160];
    std::snprintf(
        buf, sizeof buf,
        "Change Timer 3's Data to:\n\n TMR3RLH = %02X\n TMR3RLL = %02X\n Clock Source: %s",
        static_cast<unsigned>(result.reload >> 8), static_cast<unsigned>(result.reload & 0xFF),
        result.sysclk ? "SYSCLK" : "SYSCLK / 12");
    result.question = buf;
    return result;
}

void ApplyTimer3Reload25ms(PeripheralRecord& timers, const Timeout25Result& result,
                           bool tl3External) {
    if (!IsTimerRecord(timers) || result.status != CalcStatus::Ok) return;
    Set(timers, TimersReg::TMR3CN, 0x08, false);
    if (!tl3External) Set(timers, TimersReg::TMR3CN, 0x01, false);
    Set(timers, TimersReg::CKCON, kCkconT3HighSysclk, false);
    if (result.sysclk) {
        Set(timers, TimersReg::CKCON, kCkconT3LowSysclk, true);
    } else {
        Set(timers, TimersReg::CKCON, kCkconT3LowSysclk, false);
        Set(timers, TimersReg::TMR3CN, 0x01, false);
    }
    timers.Registers[TimersReg::TMR3RLH].Value = static_cast<std::uint8_t>(result.reload >> 8);
    timers.Registers[TimersReg::TMR3RLL].Value = static_cast<std::uint8_t>(result.reload & 0xFF);
}

}  // namespace timers
