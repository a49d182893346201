#pragma once
// One open project: the model's device code, the five clock words and the
// peripheral records, with the project-file reader and writer.

#include <array>
#include <cstdint>
#include <functional>
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

// What the user's commands change in a project: the records, the code format
// and the five clock words (SysclkFrequency, IntOscFrequency, LfOscFrequency,
// ExtOscFrequency, EciFrequency). DeviceCode never changes.
struct DocumentState {
    CDeviceData Data;
    std::array<std::uint32_t, 5> Clocks{};
    bool operator==(const DocumentState&) const = default;
};

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

    DocumentState State() const;
    void RestoreState(const DocumentState& state);

    // Told of every finished step (see DocumentStep) that changed the
    // document: its caption and the state before and after. Undo and the
    // modified mark are built on it; unset, steps cost nothing.
    std::function<void(const std::string& caption, const DocumentState& before,
                       const DocumentState& after)>
        OnStep;

    std::uint8_t DeviceCode = 0;
    std::uint32_t SysclkFrequency = 1500000;
    std::uint32_t IntOscFrequency = 12000000;
    std::uint32_t LfOscFrequency = 80000;
    std::uint32_t ExtOscFrequency = 0;
    std::uint32_t EciFrequency = 0;
    CDeviceData DeviceData;

private:
    friend class DocumentStep;
    int stepDepth_ = 0;
    std::string nestedCaption_;  // the first confirmed inner step's caption
};

// One user action on a document: a Peripherals command, a nested sheet, Reset
// All, a code-format switch. Created before the action touches the document,
// confirmed when the user confirms it (OK, Yes), ended by going out of scope.
// Steps may nest (a sheet opened from a page of another sheet): only the
// outermost one is reported, as one step holding everything that happened
// inside it, under its own caption when it was confirmed, else under the
// caption of the first confirmed inner step. A step that leaves the document
// as it found it is not reported.
class DocumentStep {
public:
    DocumentStep(CDeviceDocument& doc, std::string caption);
    ~DocumentStep();
    DocumentStep(const DocumentStep&) = delete;
    DocumentStep& operator=(const DocumentStep&) = delete;

    void Confirm();

private:
    CDeviceDocument& doc_;
    std::string caption_;
    bool outermost_;
    bool confirmed_ = false;
    DocumentState before_;
};
