#pragma once
// One project as the whole-project reports read it (the problem checks, the
// clock tree, the pin planner and the command line that prints them): the
// model, the five clock words and every record, each completed to the
// model's default length, with the crossbar placement the Port I/O pages
// show. A copy: a report never holds on to a document that changes under it.

#include <cstdint>
#include <map>

#include "chip/Crossbar.h"
#include "model/DeviceDocument.h"
#include "model/PeripheralRecord.h"

namespace chip {

class Project {
public:
    explicit Project(const CDeviceDocument& doc);

    int DeviceCode() const { return deviceCode_; }
    // The large-package group (the 32-pin crossbar and Port 4).
    bool LargePackage() const { return largePackage_; }
    int CodeFormat() const { return codeFormat_; }

    std::uint32_t Sysclk() const { return clocks_[0]; }
    std::uint32_t IntOsc() const { return clocks_[1]; }
    std::uint32_t LfOsc() const { return clocks_[2]; }
    std::uint32_t ExtOsc() const { return clocks_[3]; }
    std::uint32_t Eci() const { return clocks_[4]; }

    // The record filed under `id`; an absent one reads as the model's default.
    const PeripheralRecord& Record(PeripheralId id) const;

    // The crossbar engine for this model and SPI0 wire mode, and where each
    // routed signal lands by its placement (one entry per crossbar pin).
    const portio::CCrossbar& Crossbar() const { return crossbar_; }
    const portio::CrossbarDecode& Placement() const { return crossbar_.LastDecode(); }

private:
    int deviceCode_;
    bool largePackage_;
    int codeFormat_;
    std::uint32_t clocks_[5];
    std::map<PeripheralId, PeripheralRecord> records_;
    portio::CCrossbar crossbar_;
};

}  // namespace chip
