#pragma once
// The configuration proper of one project: header name, output format and the
// ordered map of peripheral records.

#include <cstdint>
#include <map>
#include <string>

#include "model/PeripheralRecord.h"

class CDeviceData {
public:
    std::int32_t FileVersionMajor = 1;
    std::int32_t FileVersionMinor = 60;
    std::string IncludeName;
    std::int32_t CodeFormat = 0;  // 0: C, anything else: assembly
    std::map<PeripheralId, PeripheralRecord> Peripherals;

    // Files a copy of the record under the key unless the key is taken; the
    // first record stored under a key stays. Returns whether it was inserted.
    bool Insert(PeripheralId key, const PeripheralRecord& record);

    // Fills `text` (expected empty) with the whole generated source file in
    // the current CodeFormat. Changes nothing.
    void GenerateSource(std::string& text) const;

    // Convenience form of GenerateSource.
    std::string Generated() const {
        std::string text;
        GenerateSource(text);
        return text;
    }

    bool operator==(const CDeviceData&) const = default;
};
