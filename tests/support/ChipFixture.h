#pragma once
// New projects' records as the chip tests poke them, and generated routines.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"
#include "support/Models.h"

// Record `id` of a new project of `model`, as a sheet gets it.
inline PeripheralRecord NewRecord(int model, PeripheralId id) {
    PeripheralRecord r;
    NewProject(model)->GetPeripheral(r, id);
    return r;
}

inline std::uint8_t& Reg(PeripheralRecord& r, int position) {
    return r.Registers.at(static_cast<std::size_t>(position)).Value;
}

inline std::uint8_t& Reg(CDeviceDocument& d, PeripheralId id, int position) {
    return Reg(d.DeviceData.Peripherals.at(id), position);
}

// A generated file's text from `head` to the end of the first `foot` after it;
// "" when `head` is missing.
inline std::string Routine(const std::string& code, const std::string& head,
                           const std::string& foot) {
    const auto at = code.find(head);
    if (at == std::string::npos) return {};
    return code.substr(at, code.find(foot, at) + foot.size() - at);
}

// The lines, each ended by CR LF.
inline std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}
