#include "chip/ClockMath.h"

#include <cctype>
#include <cstdio>
#include <limits>

namespace osc {

namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();

}  // namespace

bool IsHalvingMode(std::uint8_t oscxcn) {
    const std::uint8_t mode = oscxcn & kModeMask;
    return mode == kModeCmosHalf || mode == kModeRc || mode == kModeCapacitor ||
           mode == kModeCrystalHalf;
}

bool IsCrystalMode(std::uint8_t oscxcn) {
    const std::uint8_t mode = oscxcn & kModeMask;
    return mode == kModeCrystal || mode == kModeCrystalHalf;
}

std::uint32_t ExtEff(std::uint8_t oscxcn, std::uint32_t extOsc) {
    return IsHalvingMode(oscxcn) ? extOsc / 2 : extOsc;
}

std::uint32_t ExtEffUsb(std::uint8_t oscxcn, std::uint32_t extOsc) {
    const std::uint8_t mode = oscxcn & kModeMask;
    return mode == kModeCmosHalf || mode == kModeCrystalHalf ? extOsc / 2 : extOsc;
}

std::uint32_t Divided(std::uint32_t base, std::uint8_t dividerReg) {
    // Divider 0 divides by 8, 3 by 1.
    return base >> (3 - (dividerReg & kDividerMask));
}

std::uint32_t Times(std::uint32_t v, std::uint32_t factor) {
    const std::uint64_t product = static_cast<std::uint64_t>(v) * factor;
    return static_cast<std::uint32_t>(product > kMax ? kMax : product);
}

namespace {

// The clock multiplier's output for `input`, fed with `ext` as the external
// frequency: the internal oscillator or `ext` times 4, or `ext` times 2 for
// the "* 1" input; `half` gives the "/ 2" tap. Nothing for input 3.
std::optional<std::uint32_t> MultiplierOut(int input, bool half, std::uint32_t intOsc,
                                           std::uint32_t ext) {
    switch (input) {
        case kMulInternal:
            return Times(intOsc, half ? 2 : 4);
        case kMulExternalX2:
            return Times(ext, half ? 2 : 4);
        case kMulExternalX1:
            return half ? ext : Times(ext, 2);
        default:
            return std::nullopt;
    }
}

bool IsMultiplierSource(int source) { return source == kSrcMulHalf || source == kSrcMul; }

}  // namespace

std::optional<std::uint32_t> SysclkD(const OscRegs& r, const Clocks& c) {
    const std::uint32_t ext = ExtEff(r.oscxcn, c.extOsc);
    if (r.Source() == kSrcExternal) return ext;
    if (IsMultiplierSource(r.Source()))
        return MultiplierOut(r.Input(), r.Source() == kSrcMulHalf, c.intOsc, ext);
    return RecomputeA(r, c);
}

std::optional<std::uint32_t> RecomputeA(const OscRegs& r, const Clocks& c) {
    switch (r.Source()) {
        case kSrcInternal:
            return Divided(c.intOsc, r.oscicn);
        case kSrcLowFreq:
            return Divided(c.lfOsc, r.osclcn);
        case kSrcMulHalf:
        case kSrcMul:
            // The external frequency as typed, not halved by the mode.
            return MultiplierOut(r.Input(), r.Source() == kSrcMulHalf, c.intOsc, c.extOsc);
        default:
            return std::nullopt;  // the external source is the External page's
    }
}

std::optional<std::uint32_t> RecomputeB(const OscRegs& r, const Clocks& c) {
    if (r.Source() == kSrcExternal) return ExtEff(r.oscxcn, c.extOsc);
    // Only the multiplier fed from the external oscillator follows the edit.
    if (!IsMultiplierSource(r.Source()) || r.Input() == kMulInternal) return std::nullopt;
    return MultiplierOut(r.Input(), r.Source() == kSrcMulHalf, c.intOsc, c.extOsc);
}

std::optional<std::uint32_t> RecomputeC(const OscRegs& r, const Clocks& c) {
    if (r.Input() == kMulInternal) {
        // IntOsc x 0.5, 1, 2, 4 for divider 0..3.
        const std::uint64_t v =
            (static_cast<std::uint64_t>(c.intOsc) * 4) >> (3 - (r.oscicn & kDividerMask));
        return static_cast<std::uint32_t>(v > kMax ? kMax : v);
    }
    return MultiplierOut(r.Input(), false, c.intOsc, c.extOsc);
}

std::optional<std::uint32_t> MultiplierHalfSpeed(const OscRegs& r, const Clocks& c) {
    return MultiplierOut(r.Input(), true, c.intOsc, ExtEff(r.oscxcn, c.extOsc));
}

std::optional<std::uint32_t> UsbMultiplier(const OscRegs& r, const Clocks& c) {
    return MultiplierOut(r.Input(), false, c.intOsc, c.extOsc);
}

std::optional<std::uint32_t> UsbClockSpeed(const OscRegs& r, const Clocks& c, std::uint32_t mul) {
    const std::uint32_t ext = ExtEffUsb(r.oscxcn, c.extOsc);
    switch (r.UsbSource()) {
        case 0x00:
            return mul;
        case 0x10:
            return Divided(c.intOsc, r.oscicn) / 2;
        case 0x20:
            return ext;
        case 0x30:
            return ext / 2;
        case 0x40:
            return ext / 3;
        case 0x50:
            return ext / 4;
        default:
            return std::nullopt;
    }
}

std::int64_t LeadingInteger(const std::string& text) {
    constexpr std::int64_t kLimit = std::int64_t{1} << 40;
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value < kLimit) value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit;
    return negative ? -value : value;
}

std::uint32_t FrequencyFromText(const std::string& text) {
    const std::int64_t v = LeadingInteger(text);
    if (v > static_cast<std::int64_t>(kMax)) return static_cast<std::uint32_t>(kMax);
    // Negative entries keep their 32-bit pattern.
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(v));
}

std::string Decimal(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%u", static_cast<unsigned>(v));
    return buf;
}

}  // namespace osc
