#pragma once
// The eight models of the family and the groups that pages test by DeviceCode.

#include <cstdint>
#include <optional>
#include <string>

namespace models {

inline constexpr int kCount = 8;
inline constexpr std::uint8_t kFirstCode = 160;

// DeviceCode of model n (0 for Q7R20 ... 7 for Q7R27).
constexpr std::uint8_t CodeOf(int model) { return static_cast<std::uint8_t>(kFirstCode + model); }
constexpr bool IsModelCode(int code) { return code >= kFirstCode && code < kFirstCode + kCount; }

// "Q7R20" ... "Q7R27"; empty for a code outside the family.
std::string NameOf(int deviceCode);
// The model number of a name in any case ("q7r22" gives 2).
std::optional<int> ModelFromName(const std::string& name);

// Q7R20, Q7R21, Q7R24, Q7R25: 32 crossbar pins, Port 4, UART1, EMI.
constexpr bool IsLargePackage(int code) {
    return code == 160 || code == 161 || code == 164 || code == 165;
}
// Q7R22, Q7R23, Q7R26, Q7R27.
constexpr bool IsSmallPackage(int code) {
    return code == 162 || code == 163 || code == 166 || code == 167;
}
// Q7R26 and Q7R27 have no internal low-frequency oscillator.
constexpr bool HasNoLfOscillator(int code) { return code == 166 || code == 167; }
// Q7R24 to Q7R27: no clock multiplier as SYSCLK.
constexpr bool IsUpperFour(int code) { return code >= 164 && code <= 167; }

// The large-package flag that commands hand to pages.
constexpr int LargePackageFlag(int code) { return IsLargePackage(code) ? 1 : 0; }

// Resource id of model n's template and menu: 11000 ... 11005, 11007, 11009.
constexpr int TemplateIdOf(int model) {
    constexpr int ids[kCount] = {11000, 11001, 11002, 11003, 11004, 11005, 11007, 11009};
    return ids[model];
}

}  // namespace models
