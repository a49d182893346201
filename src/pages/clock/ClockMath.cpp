#include "pages/clock/ClockMath.h"

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

std::optional<std::uint32_t> SysclkD(const OscRegs& r, const Clocks& c) {
    const std::uint32_t ext = ExtEff(r.oscxcn, c.extOsc);
    switch (r.Source()) {
        case kSrcInternal:
            return Divided(c.intOsc, r.oscicn);
        case kSrcExternal:
            return ext;
        case kSrcLowFreq:
            return Divided(c.lfOsc, r.osclcn);
        case kSrcMulHalf:
            switch (r.Input()) {
                case kMulInternal:
                    return Times(c.intOsc, 2);
                case kMulExternalX2:
                    return Times(ext, 2);
                case kMulExternalX1:
                    return ext;
                default:
                    return std::nullopt;
            }
        case kSrcMul:
            switch (r.Input()) {
                case kMulInternal:
                    return Times(c.intOsc, 4);
                case kMulExternalX2:
                    return Times(ext, 4);
                case kMulExternalX1:
                    return Times(ext, 2);
                default:
                    return std::nullopt;
            }
        default:
            return std::nullopt;
    }
}

std::optional<std::uint32_t> RecomputeA(const OscRegs& r, const Clocks& c) {
    switch (r.Source()) {
        case kSrcInternal:
            return Divided(c.intOsc, r.oscicn);
        case kSrcLowFreq:
            return Divided(c.lfOsc, r.osclcn);
        case kSrcMulHalf:
            switch (r.Input()) {
                case kMulInternal:
                    return Times(c.intOsc, 2);
                case kMulExternalX2:
                    return Times(c.extOsc, 2);
                case kMulExternalX1:
                    return c.extOsc;
                default:
                    return std::nullopt;
            }
        case kSrcMul:
            switch (r.Input()) {
                case kMulInternal:
                    return Times(c.intOsc, 4);
                case kMulExternalX2:
                    return Times(c.extOsc, 4);
                case kMulExternalX1:
                    return Times(c.extOsc, 2);
                default:
                    return std::nullopt;
            }
        default:
            return std::nullopt;  // the external source is the External page's
    }
}

std::optional<std::uint32_t> RecomputeB(const OscRegs& r, const Clocks& c) {
    switch (r.Source()) {
        case kSrcExternal:
            return ExtEff(r.oscxcn, c.extOsc);
        case kSrcMulHalf:
            switch (r.Input()) {
                case kMulExternalX2:
                    return Times(c.extOsc, 2);
                case kMulExternalX1:
                    return c.extOsc;
                default:
                    return std::nullopt;  // the internal input does not follow the edit
            }
        case kSrcMul:
            switch (r.Input()) {
                case kMulExternalX2:
                    return Times(c.extOsc, 4);
                case kMulExternalX1:
                    return Times(c.extOsc, 2);
                default:
                    return std::nullopt;
            }
        default:
            return std::nullopt;
    }
}

std::optional<std::uint32_t> RecomputeC(const OscRegs& r, const Clocks& c) {
    switch (r.Input()) {
        case kMulInternal:
            // IntOsc x 0.5, 1, 2, 4 for divider 0..3: four times the divided oscillator.
            return static_cast<std::uint32_t>((static_cast<std::uint64_t>(c.intOsc) * 4) >>
                                              (3 - (r.oscicn & kDividerMask)));
        case kMulExternalX2:
            return Times(c.extOsc, 4);
        case kMulExternalX1:
            return Times(c.extOsc, 2);
        default:
            return std::nullopt;
    }
}

std::optional<std::uint32_t> MultiplierHalfSpeed(const OscRegs& r, const Clocks& c) {
    const std::uint32_t ext = ExtEff(r.oscxcn, c.extOsc);
    switch (r.Input()) {
        case kMulInternal:
            return Times(c.intOsc, 2);
        case kMulExternalX2:
            return Times(ext, 2);
        case kMulExternalX1:
            return ext;
        default:
            return std::nullopt;
    }
}

std::optional<std::uint32_t> UsbMultiplier(const OscRegs& r, const Clocks& c) {
    switch (r.Input()) {
        case kMulInternal:
            return Times(c.intOsc, 4);
        case kMulExternalX2:
            return Times(c.extOsc, 4);
        case kMulExternalX1:
            return Times(c.extOsc, 2);
        default:
            return std::nullopt;
    }
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
