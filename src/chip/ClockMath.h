#pragma once
// Clock arithmetic of the Oscillators sheet, without Qt: the effective
// external frequency, the divided internal oscillators and the system clock
// that each oscillator page derives from the oscillator registers.
//
// All frequencies are unsigned 32-bit hertz. Products that would not fit are
// held at 4294967295 rather than wrapping round. A recomputation that has no
// value for the registers it is given (a source or input no control
// produces) returns nothing, and the caller keeps the previous clock.

#include <cstdint>
#include <optional>
#include <string>

namespace osc {

inline constexpr std::uint32_t kDefaultSysclk = 1500000;

// OSCXCN external oscillator modes (the byte masked with 0x70).
inline constexpr std::uint8_t kModeMask = 0x70;
inline constexpr std::uint8_t kModeOff = 0x00;
inline constexpr std::uint8_t kModeCmos = 0x20;
inline constexpr std::uint8_t kModeCmosHalf = 0x30;
inline constexpr std::uint8_t kModeRc = 0x40;
inline constexpr std::uint8_t kModeCapacitor = 0x50;
inline constexpr std::uint8_t kModeCrystal = 0x60;
inline constexpr std::uint8_t kModeCrystalHalf = 0x70;

inline constexpr std::uint8_t kFreqControlMask = 0x07;   // OSCXCN bits 2..0
inline constexpr std::uint8_t kEnableBit = 0x80;         // OSCICN, OSCLCN, CLKMUL bit 7
inline constexpr std::uint8_t kDividerMask = 0x03;       // OSCICN, OSCLCN bits 1..0
inline constexpr std::uint8_t kMulInputMask = 0x03;      // CLKMUL bits 1..0
inline constexpr std::uint8_t kSysclkSourceMask = 0x07;  // CLKSEL bits 2..0
inline constexpr std::uint8_t kUsbSourceMask = 0x70;     // CLKSEL bits 6..4

// CLKSEL SYSCLK sources.
enum SysclkSource : int {
    kSrcInternal = 0,
    kSrcExternal = 1,
    kSrcMulHalf = 2,
    kSrcMul = 3,
    kSrcLowFreq = 4
};
// CLKMUL multiplier inputs.
enum MulInput : int { kMulInternal = 0, kMulExternalX2 = 1, kMulExternalX1 = 2 };

// The five oscillator registers, in record order.
struct OscRegs {
    std::uint8_t oscxcn = 0x00;
    std::uint8_t oscicn = 0x80;
    std::uint8_t osclcn = 0x00;
    std::uint8_t clkmul = 0x00;
    std::uint8_t clksel = 0x00;

    std::uint8_t Mode() const { return oscxcn & kModeMask; }
    int Source() const { return clksel & kSysclkSourceMask; }
    int Input() const { return clkmul & kMulInputMask; }
    std::uint8_t UsbSource() const { return clksel & kUsbSourceMask; }
};

// The fixed oscillators and the external frequency as typed.
struct Clocks {
    std::uint32_t intOsc = 12000000;
    std::uint32_t lfOsc = 80000;
    std::uint32_t extOsc = 0;
};

// 0x30, 0x40, 0x50 and 0x70 halve the external frequency.
bool IsHalvingMode(std::uint8_t oscxcn);
bool IsCrystalMode(std::uint8_t oscxcn);

// The external frequency after the mode's halving.
std::uint32_t ExtEff(std::uint8_t oscxcn, std::uint32_t extOsc);
// The USB page's own rule: it halves only for the two "/ 2" modes.
std::uint32_t ExtEffUsb(std::uint8_t oscxcn, std::uint32_t extOsc);
// `base` divided by 8, 4, 2 or 1 for divider bits 0, 1, 2, 3.
std::uint32_t Divided(std::uint32_t base, std::uint8_t dividerReg);
// v * factor, held at 4294967295 when it does not fit.
std::uint32_t Times(std::uint32_t v, std::uint32_t factor);

// The system clock the registers select (SYSCLK Select page; the multiplier
// rows use the effective external frequency).
std::optional<std::uint32_t> SysclkD(const OscRegs& r, const Clocks& c);
// Internal H-F and L-F pages: the multiplier rows use the external frequency
// as typed; the external source leaves the clock alone.
std::optional<std::uint32_t> RecomputeA(const OscRegs& r, const Clocks& c);
// External Oscillator page: only the external source and the multiplier fed
// from the external oscillator follow the typed frequency.
std::optional<std::uint32_t> RecomputeB(const OscRegs& r, const Clocks& c);
// Clock Multiplier page, under the two multiplier sources: four times the
// divided internal oscillator, or the typed external frequency times 4 or 2.
std::optional<std::uint32_t> RecomputeC(const OscRegs& r, const Clocks& c);

// "Clock Multiplier / 2 Speed"; nothing for an input no button selects.
std::optional<std::uint32_t> MultiplierHalfSpeed(const OscRegs& r, const Clocks& c);
// The USB page's "Clock Multiplier:" display; nothing for input 3.
std::optional<std::uint32_t> UsbMultiplier(const OscRegs& r, const Clocks& c);
// "USB Clock Speed" for the USB clock source, with `mul` the multiplier
// display; nothing for sources above 0x50.
std::optional<std::uint32_t> UsbClockSpeed(const OscRegs& r, const Clocks& c, std::uint32_t mul);

// The leading decimal integer of a typed text (leading blanks and a sign
// allowed; 0 when there is none), held within +-2^40.
std::int64_t LeadingInteger(const std::string& text);
// A typed frequency: the leading integer as an unsigned 32-bit value
// (negative entries wrap round, "-1" is 4294967295; larger ones are held at
// 4294967295).
std::uint32_t FrequencyFromText(const std::string& text);
// "%u".
std::string Decimal(std::uint32_t v);

}  // namespace osc
