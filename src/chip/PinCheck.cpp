#include "chip/PinCheck.h"

#include "devices/Registers.h"

#include <cstddef>

namespace analog {

namespace {

bool PortBit(const PeripheralRecord& portIo, std::uint8_t position, std::uint8_t mask) {
    if (position >= portIo.Registers.size()) return false;
    return (portIo.Registers[position].Value & mask) != 0;
}

}  // namespace

PinBits PortPinBits(int port, int bit) {
    PinBits p;
    p.ModeRegister = static_cast<std::uint8_t>(PortIOReg::P0MDIN + port);
    p.ModeMask = static_cast<std::uint8_t>(1u << (bit & 7));
    if (port >= 4) {
        p.SkipRegister = kNoRegister;
    } else {
        p.SkipRegister = static_cast<std::uint8_t>(PortIOReg::P0SKIP + port);
        p.SkipMask = p.ModeMask;
    }
    return p;
}

PinState StateOf(const PinBits& pin, const PeripheralRecord& portIo) {
    const bool analog =
        pin.ModeRegister == kNoRegister || !PortBit(portIo, pin.ModeRegister, pin.ModeMask);
    const bool skipped =
        pin.SkipRegister == kNoRegister || PortBit(portIo, pin.SkipRegister, pin.SkipMask);
    if (analog) return skipped ? PinState::AnalogSkipped : PinState::AnalogNotSkipped;
    return skipped ? PinState::DigitalSkipped : PinState::DigitalNotSkipped;
}

std::string PinStatusText(PinState s) {
    switch (s) {
        case PinState::AnalogSkipped:
            return "Pin is Analog and Skipped: Configured Properly";
        case PinState::AnalogNotSkipped:
            return "Pin is Analog and Not Skipped: NOT Configured Properly";
        case PinState::DigitalSkipped:
            return "Pin is Digital and Skipped: NOT Configured Properly";
        case PinState::DigitalNotSkipped:
            return "Pin is Digital and Not Skipped: NOT Configured Properly";
    }
    return {};
}

}  // namespace analog
