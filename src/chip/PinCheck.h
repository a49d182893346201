#pragma once
// Whether an analog input's pin is set up for analog use: its PnMDIN bit
// clear (analog) and its PnSKIP bit set (skipped by the crossbar), read from
// a Port I/O record. Shared by the ADC0 and comparator pages.

#include <cstdint>
#include <string>

#include "model/PeripheralRecord.h"

namespace analog {

// A register position an input does not use: internal inputs have neither
// a mode nor a skip register, port 4 pins have no skip register.
inline constexpr std::uint8_t kNoRegister = 255;

// Where an input's mode and skip bits are in the Port I/O record.
struct PinBits {
    std::uint8_t ModeRegister = 0;  // PnMDIN position, or kNoRegister
    std::uint8_t ModeMask = 0;
    std::uint8_t SkipRegister = 0;  // PnSKIP position, or kNoRegister
    std::uint8_t SkipMask = 0;
};

// Pn.b: PnMDIN and PnSKIP of port n, both masks 1 << b; port 4
// is not on the crossbar and has no skip register.
PinBits PortPinBits(int port, int bit);

enum class PinState { AnalogSkipped, AnalogNotSkipped, DigitalSkipped, DigitalNotSkipped };

// Analog unless the mode bit is set, skipped when the skip bit is set; an
// input without a mode (skip) register counts as analog (skipped). A
// register the record lacks reads as 0.
PinState StateOf(const PinBits& pin, const PeripheralRecord& portIo);

constexpr bool IsConfiguredProperly(PinState s) {
    return s == PinState::AnalogSkipped;
}

// "Pin is Analog and Skipped: Configured Properly" and its three siblings.
std::string PinStatusText(PinState s);

}  // namespace analog
