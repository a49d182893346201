#pragma once
// The differences between two projects as a reviewer reads them: the model,
// the clock words, the header name and code format, then per routine each
// register whose value or written state differs ("    TMOD  0x20 -> 0x21")
// and each changed code text, line by line. The file version is not
// compared: a converted file configures the same chip as its original.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

class CDeviceDocument;

namespace projectdiff {

// One line per difference (each ending in "\n"); empty when the projects are
// equal. `nameA` / `nameB` name the projects in "only in" lines.
std::string Describe(const CDeviceDocument& a, const CDeviceDocument& b, const std::string& nameA,
                     const std::string& nameB);

// One field that differs, for machines (`zorvant diff --json`), in the order
// Describe lists them.
struct Change {
    int Record = -1;       // the PeripheralId; -1 for a word of the project
    std::string Register;  // the register's name; "" for a field of the record or project
    // Project: "model", "SysclkFrequency" ... "EciFrequency", "IncludeName",
    // "CodeFormat" ("c" / "asm"). Record: "record" (present), "CHead",
    // "AsmLabel", "CPrologue", "AsmPrologue", "CFoot", "AsmFoot". Register:
    // "register" (present), "Name" (another register at its place), "Value",
    // "ResetValue", "Written" (derived: the line is generated), "ForceWrite",
    // "OrWrite", "CPre", "AsmPre", "CPost", "AsmPost".
    std::string Field;
    using Value = std::variant<bool, std::int64_t, std::string>;
    Value A, B;
};
std::vector<Change> Changes(const CDeviceDocument& a, const CDeviceDocument& b);

}  // namespace projectdiff
