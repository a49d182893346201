#pragma once
// Texts of the oscillator pages, without Qt: the frequency-control button
// labels per external mode, the start-up code lines the oscillator record
// carries, and the XTAL pin status texts.

#include <array>
#include <cstdint>
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

// The status texts of XTAL1 and XTAL2 for an external mode: the pins are P0.2
// and P0.3 on the small-package models, P0.6 and P0.7 on the others; each
// must be analog, digital or is not used (empty text) in that mode.
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
