#pragma once
// The pin list a schematic designer takes to the board: one row per crossbar
// pin of the model with the signal the crossbar puts on it, whether it is
// skipped and how it is driven; on large-package models the Port 4 pins
// follow. Computed from the registers (the stored pin-map comment may be
// missing or out of date).

#include <string>
#include <vector>

#include "model/PeripheralRecord.h"

namespace chip {
class Project;
}

namespace portio {

struct PinListRow {
    std::string Pin;     // "P0.4"
    std::string Signal;  // "TX0"; empty for an unassigned pin
    bool Skipped = false;
    bool Digital = true;    // PnMDIN: digital, else analog
    bool PushPull = false;  // PnMDOUT: push-pull, else open-drain
};

std::vector<PinListRow> PinListOf(const chip::Project& project);
// The same for a Port I/O record of a model group, with the SPI0 record that
// decides the wire mode.
std::vector<PinListRow> PinListOf(const PeripheralRecord& portIo, bool largePackage,
                                  const PeripheralRecord& spi0);

// "digital" / "analog", "push-pull" / "open-drain".
const char* InputText(const PinListRow& row);
const char* OutputText(const PinListRow& row);

// "pin,signal,skipped,input,output" and one line per row
// ("P0.4,TX0,no,digital,push-pull"), each ended by a line feed.
std::string PinListCsv(const std::vector<PinListRow>& rows);

}  // namespace portio
