#pragma once
// Texts of the oscillator pages, without Qt: the frequency-control button
// labels per external mode, the start-up code lines the oscillator record
// carries, and the XTAL pin status texts.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/PeripheralRecord.h"

namespace osc {

// Label sets of the eight frequency-control buttons (bits 000 .. 111).
enum class LabelSet { Crystal = 0, Rc = 1, Capacitor = 2, Unused = 3 };
LabelSet LabelSetFor(std::uint8_t oscxcn);
// The captions of the eight buttons; the unused set names only the fourth.
const std::array<const char*, 8>& FrequencyLabels(LabelSet set);

// The wait loops' counter, declared in the record's C prologue.
inline constexpr const char* kLoopCounter = "    int i = 0;\r\n";

// The external oscillator's start-up lines after the OSCXCN write: set for the
// crystal modes; otherwise emptied, and the prologue with them unless the
// clock multiplier still needs it.
void ApplyExternalModeCode(PeripheralRecord& osc);
// The clock multiplier's start-up lines after the CLKMUL write: set when it
// is enabled; when disabled emptied, and the prologue with them unless a
// crystal mode still needs it.
void ApplyMultiplierCode(PeripheralRecord& osc, bool enabled);

// The frequency range a button label names, in hertz: "32kHz   < f <= 84kHz"
// is (32000, 84000], "f <= 32kHz" is (0, 32000]; kHz is 1,000 Hz and MHz
// 1,000,000 Hz. Nothing for a label that names no range ("K Factor = 2.6").
struct FrequencyRange {
    double Above = 0;   // exclusive
    double AtMost = 0;  // inclusive
    bool Contains(double f) const { return f > Above && f <= AtMost; }
};
std::optional<FrequencyRange> RangeOfLabel(const std::string& label);
// The frequency-control bits (0 .. 7) whose label's range holds `frequency`;
// nothing when no label of the set names a range that holds it.
std::optional<int> FittingFrequencyBits(LabelSet set, std::uint32_t frequency);

// The XTAL pins of an external mode: XTAL1 and XTAL2 are P0.2 and P0.3 on the
// small-package models, P0.6 and P0.7 on the others; each must be analog,
// digital or is not used in that mode. Both must be skipped when used.
enum class PinNeed { None, Analog, Digital };
struct XtalPin {
    int Bit;           // of port 0
    const char* Role;  // "XTAL1", "XTAL2"
    PinNeed Need;
};
std::array<XtalPin, 2> XtalPins(std::uint8_t oscxcn, bool smallPackage);
// Whether a used pin is set up as its mode needs it.
constexpr bool IsXtalPinProper(PinNeed need, bool analog, bool skipped) {
    return skipped && analog == (need == PinNeed::Analog);
}
// "P0.6 for XTAL1 is Digital and Not Skipped: NOT Configured Properly"; empty
// for a pin the mode does not use.
std::string XtalPinText(const XtalPin& pin, std::uint8_t p0mdin, std::uint8_t p0skip);

// The status texts of XTAL1 and XTAL2 for an external mode.
struct XtalTexts {
    std::string xtal1;
    std::string xtal2;
};
XtalTexts XtalPinTexts(std::uint8_t oscxcn, bool smallPackage, std::uint8_t p0mdin,
                       std::uint8_t p0skip);

inline constexpr const char* kEnableMultiplierQuestion =
    "Do you want to enable the Clock Multiplier?\nNote: system may be unstable if not enabled.";
inline constexpr const char* kInvalidFrequencyMessage =
    "Error: Invalid Frequency for SYSCLK.\n\nData was saved anyway, please open the\nOscillators "
    "dialog again from the Peripherals\nmenu to enter a valid frequency.";

}  // namespace osc
