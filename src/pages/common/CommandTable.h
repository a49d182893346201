#pragma once
// How each Peripherals command is hosted, described as data: the sheet's
// title, its pages with their conditions and inputs, and the records stored
// on OK. Page groups contribute their rows; the runner below is shared.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "devices/Q7R2xDoc.h"
#include "model/DeviceDocument.h"
#include "pages/common/CPropPage.h"

// The working copies and document words one command run hands to its pages.
class CommandInputs {
public:
    explicit CommandInputs(CDeviceDocument& doc) : doc_(doc) {}

    CDeviceDocument& Doc() const { return doc_; }
    // The working copy of record `id`, copied out of the document on first use.
    PeripheralRecord& Rec(PeripheralId id);
    // 1 for the large-package models, else 0.
    int LargePackage() const;

    std::uint32_t* Sysclk() const { return &doc_.SysclkFrequency; }
    std::uint32_t* ExtOsc() const { return &doc_.ExtOscFrequency; }
    std::uint32_t* Eci() const { return &doc_.EciFrequency; }
    std::uint32_t IntOsc() const { return doc_.IntOscFrequency; }
    std::uint32_t LfOsc() const { return doc_.LfOscFrequency; }

private:
    CDeviceDocument& doc_;
    std::map<PeripheralId, PeripheralRecord> copies_;
};

struct PageRow {
    // Builds the page and hands it its inputs. The main record defaults to
    // the command's first stored record when the factory sets none.
    std::function<std::unique_ptr<CPropPage>(CommandInputs&)> make;
    // Whether the page is added for a DeviceCode; empty means always.
    std::function<bool(int deviceCode)> when = {};
};

struct CommandRow {
    int commandId;
    std::string title;                 // the sheet's caption
    std::vector<PeripheralId> stored;  // edited records, stored on OK
    std::vector<PageRow> pages;
    // On Cancel, SysclkFrequency and ExtOscFrequency go back to their values
    // at the start (the oscillator pages change them in place).
    bool restoresClocks = false;
};

// Every command that has pages.
const std::vector<CommandRow>& CommandTable();
const CommandRow* FindCommand(int commandId);

// Runs a command row on the document: copy out, run, store on OK.
bool RunCommand(const CommandRow& row, CDeviceDocument& doc);

// A page factory for a page class whose main record is the command's first
// stored record and that needs nothing else.
template <class Page>
PageRow SimplePage() {
    return {[](CommandInputs&) { return std::unique_ptr<CPropPage>(new Page()); }};
}

// Runs a sheet opened from inside another one. Its pages edit `record` (the
// caller's working copy, or a fresh copy taken from the document); on OK the
// record is stored into the document at once under `id`, whatever the outer
// sheet does later. Returns true on OK.
bool RunNestedSheet(CDeviceDocument& doc, const std::string& title, PeripheralId id,
                    PeripheralRecord& record, std::vector<std::unique_ptr<CPropPage>> pages);

// "Change Clock Frequency" of the calculators: the full Oscillators sheet on a
// fresh copy of the oscillator record, run as the Oscillators command is:
// OK stores the record into the document at once, Cancel puts
// SysclkFrequency and ExtOscFrequency back. True on OK.
bool RunOscillatorsSheet(CDeviceDocument& doc);
