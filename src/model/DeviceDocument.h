#pragma once
// One open project: the model's device code, the five clock words and the
// peripheral records, with the project-file reader and writer.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/DeviceData.h"

class Ui;

// How reading a project file ended.
enum class LoadStatus {
    Loaded,   // the configuration was read
    Refused,  // a newer file version: the message was shown, nothing was read
    Corrupt,  // the bytes are not a readable project file
};

inline constexpr const char* kNewerVersionMessage =
    "Error: This file is not supported under this DLL version";

class CDeviceDocument {
public:
    CDeviceDocument() = default;
    virtual ~CDeviceDocument() = default;
    CDeviceDocument(const CDeviceDocument&) = delete;
    CDeviceDocument& operator=(const CDeviceDocument&) = delete;

    virtual const char* GetRuntimeClass() const { return "CDeviceDocument"; }
    // Sets up a new project; the base has nothing to add.
    virtual bool OnNewDocument() { return true; }
    // Empties the map, sets the clock words and builds the default records.
    virtual void InitializePeripherals() {}

    // Copies the record filed under `id` into `record`; an absent key first
    // gets an empty record whose Id is the key.
    void GetPeripheral(PeripheralRecord& record, PeripheralId id);
    // Stores a copy of `record` under `id`, replacing what was there.
    void SetPeripheral(const PeripheralRecord& record, PeripheralId id);

    std::string GenerateSource() const { return DeviceData.Generated(); }

    // The project file in the current layout (version 1.60).
    std::vector<std::uint8_t> SaveProject() const;
    // Reads a project file of any supported version into this document,
    // whose map is expected to be empty. A newer version shows the refusal
    // through `ui`. On Corrupt the document is left as it was.
    LoadStatus LoadProject(std::span<const std::uint8_t> bytes, Ui& ui);

    std::uint8_t DeviceCode = 0;
    std::uint32_t SysclkFrequency = 1500000;
    std::uint32_t IntOscFrequency = 12000000;
    std::uint32_t LfOscFrequency = 80000;
    std::uint32_t ExtOscFrequency = 0;
    std::uint32_t EciFrequency = 0;
    CDeviceData DeviceData;
};
