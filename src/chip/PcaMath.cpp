#include "chip/PcaMath.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "chip/ClockMath.h"
#include "chip/TimerMath.h"

namespace pca {

namespace {

constexpr double kOneOver256 = 0.00390625;

// Seconds per count of the timebase field; 0 when its clock is 0.
double SecondsPerCount(std::uint8_t field, std::uint32_t sysclk, std::uint32_t extOsc,
                       std::uint32_t eci, std::uint32_t timer0Rate) {
    auto per = [](double counts, std::uint32_t clock) { return clock == 0 ? 0.0 : counts / clock; };
    switch (field) {
        case kSysclkDiv12:
            return per(12, sysclk);
        case kSysclkDiv4:
            return per(4, sysclk);
        case kTimer0Overflow:
            return per(1, timer0Rate);
        case kEciFalling:
            return per(1, eci);
        case kSysclk:
            return per(1, sysclk);
        case kExtOscDiv8:
            return per(8, extOsc);
        default:
            return 0.0;
    }
}

double TimeoutMs(std::uint8_t field, std::uint32_t sysclk, std::uint32_t extOsc, std::uint32_t eci,
                 std::uint32_t timer0Rate, std::uint8_t cpl4, std::uint8_t pcaL) {
    const double counts = (cpl4 + 1) * 256.0 - pcaL;
    return SecondsPerCount(field, sysclk, extOsc, eci, timer0Rate) * counts * 1000.0;
}

}  // namespace

std::uint32_t Timer0OverflowRate(std::uint32_t sysclk, std::uint8_t ckcon, std::uint8_t th0) {
    const double rate = timers::OverflowRate(timers::Timer01Clock(sysclk, ckcon, 0), th0);
    return static_cast<std::uint32_t>(std::trunc(rate));
}

std::uint32_t PcaClock(std::uint8_t pca0md, const ClockInputs& in) {
    switch (pca0md & kTimebaseMask) {
        case kSysclkDiv12:
            return in.sysclk / 12;
        case kSysclkDiv4:
            return in.sysclk >> 2;
        case kTimer0Overflow:
            return Timer0OverflowRate(in.sysclk, in.ckcon, in.th0);
        case kEciFalling:
            return in.eci;
        case kSysclk:
            return in.sysclk;
        case kExtOscDiv8:
            return in.extOsc >> 3;
        default:
            return 0;
    }
}

std::uint32_t CexFrequency(std::uint32_t clock, std::uint8_t cph) {
    if (cph == 0) return clock >> 9;
    return clock / (2u * cph);
}

double DutyCyclePercent(bool sixteenBit, std::uint8_t cph, std::uint8_t cpl) {
    if (sixteenBit) return (65536 - cph * 256 - cpl) * 1.52587890625e-5 * 100;
    return (256 - cph) * 0.00390625 * 100;
}

std::string DutyCycleText(double percent) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", percent);
    return buf;
}

std::string TimeoutText(double ms) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", ms);
    return buf;
}

double WatchdogTimeoutMs(std::uint8_t pca0md, const ClockInputs& in, std::uint8_t cpl4,
                         std::uint8_t pcaL) {
    const std::uint8_t field = pca0md & kTimebaseMask;
    const std::uint32_t rate =
        field == kTimer0Overflow ? Timer0OverflowRate(in.sysclk, in.ckcon, in.th0) : 0;
    return TimeoutMs(field, in.sysclk, in.extOsc, in.eci, rate, cpl4, pcaL);
}

CexResult CalculateCex(std::uint32_t clock, long long target) {
    CexResult result;
    if (clock == 0 || target <= 0) return result;
    const double x = clock / (2.0 * static_cast<double>(target));
    // Rounded half up; an x that cannot be rounded is refused like any other
    // value beyond the register.
    long long r = -1;
    if (!timers::RoundHalfUp(x, r)) r = -1;
    if (r == 256) r = 0;
    if (r > 255 || r < 0) {
        result.outcome = Outcome::Refused;
        return result;
    }
    result.outcome = Outcome::Ok;
    result.value = static_cast<std::uint8_t>(r);
    result.achieved = CexFrequency(clock, result.value);
    return result;
}

DutyResult CalculateDuty(double duty, int range) {
    DutyResult result;
    if (!(duty >= 0)) return result;  // negative or not a number: nothing happens
    const double v = range - duty * 0.01 * range;
    // r taken as unsigned beyond the range: every negative r, and r > range.
    if (!(v > -1 && v < range + 1.0)) {
        result.outcome = Outcome::Refused;
        return result;
    }
    const auto r = static_cast<std::uint32_t>(std::trunc(v));
    result.outcome = Outcome::Ok;
    if (range == 256) {
        result.cph = static_cast<std::uint8_t>(r & 0xFF);
        result.cpl = 0;
    } else {
        result.cph = static_cast<std::uint8_t>((r >> 8) & 0xFF);
        result.cpl = static_cast<std::uint8_t>(r & 0xFF);
    }
    result.achieved = DutyCyclePercent(range != 256, result.cph, result.cpl);
    return result;
}

TimeoutResult CalculateTimeout(TimeoutSource source, const TimeoutInputs& in, double ms,
                               std::uint8_t pcaL) {
    TimeoutResult result;
    double v = 0;
    switch (source) {
        case TimeoutSource::Sysclk: {
            const double sysclk = in.sysclk;
            // m: the longest timeout at SYSCLK itself, in ms.
            const double m =
                in.sysclk == 0 ? std::numeric_limits<double>::infinity() : 65536 / sysclk * 1000;
            if (m > ms) {
                v = (sysclk * ms * 0.001 - 256) * kOneOver256;
                result.timebase = kSysclk;
                result.clockName = "SYSCLK";
            } else if (4 * m > ms) {
                v = (sysclk * ms * 0.001 * 0.25 - 256) * kOneOver256;
                result.timebase = kSysclkDiv4;
                result.clockName = "SYSCLK / 4";
            } else {
                v = (sysclk * ms * 0.001 * 0.08333333333333333 - 256) * kOneOver256;
                result.timebase = kSysclkDiv12;
                result.clockName = "SYSCLK / 12";
            }
            break;
        }
        case TimeoutSource::ExtOsc:
            v = (ms * 0.001 * in.extOsc * 0.125 - 256) * kOneOver256;
            result.timebase = kExtOscDiv8;
            result.clockName = "External Oscillator / 8";
            break;
        case TimeoutSource::Eci:
            v = (ms * 0.001 * in.eci - 256) * kOneOver256;
            result.timebase = kEciFalling;
            result.clockName = "High to Low Transitions on ECI";
            break;
        case TimeoutSource::Timer0:
            v = (ms * 0.001 * in.timer0Rate - 256) * kOneOver256;
            result.timebase = kTimer0Overflow;
            result.clockName = "Timer 0 Overflow";
            break;
    }
    // truncate(v) lies in 0..255 exactly when -1 < v < 256.
    if (!(v > -1 && v < 256)) {
        result.outcome = Outcome::Refused;
        return result;
    }
    result.outcome = Outcome::Ok;
    result.cpl4 = static_cast<std::uint8_t>(std::trunc(v));
    result.achieved =
        TimeoutMs(result.timebase, in.sysclk, in.extOsc, in.eci, in.timer0Rate, result.cpl4, pcaL);
    return result;
}

TimeoutSource SourceForTimebase(std::uint8_t pca0md) {
    switch (pca0md & kTimebaseMask) {
        case kExtOscDiv8:
            return TimeoutSource::ExtOsc;
        case kEciFalling:
            return TimeoutSource::Eci;
        case kTimer0Overflow:
            return TimeoutSource::Timer0;
        default:
            return TimeoutSource::Sysclk;
    }
}

std::uint32_t LeadingUnsigned(const std::string& text) {
    const std::int64_t v = osc::LeadingInteger(text);
    if (v <= 0) return 0;
    return v > 0xFFFFFFFFLL ? 0xFFFFFFFFu : static_cast<std::uint32_t>(v);
}

double LeadingNumber(const std::string& text) {
    // from_chars, unlike strtod, reads "12.5" the same under every locale.
    const char* begin = text.data();
    const char* const end = begin + text.size();
    while (begin != end && std::isspace(static_cast<unsigned char>(*begin)))
        ++begin;
    if (begin != end && *begin == '+') ++begin;
    double v = 0;
    const auto parsed = std::from_chars(begin, end, v);
    if (parsed.ec != std::errc() || !std::isfinite(v)) return 0;
    return v;
}

}  // namespace pca
