#pragma once
// A three-way merge of two changed copies of one project, field by field,
// as `zorvant merge` does it for git.
//
// The models must match. Clock words, header name and code format merge as
// values. Registers merge field by field (Registers.h names the fields); a
// register's flags and code texts, and a record's own texts, merge as values.
// A value changed on one side takes that side; changed on both to different
// values is a conflict. Some things only make sense together and merge as
// one unit: the watchdog group of the PCA record, the oscillator record with
// SysclkFrequency and ExtOscFrequency, the comparators' enable bits with
// their start-up texts and shared prologue, and the RSTSRC entries of both
// reset-source records. The Port I/O pin-map comment is rebuilt, not merged:
// a Port I/O record changed on one side is taken whole; changed on both, its
// registers merge and the comment is written as the crossbar page writes it
// for the merged registers and SPI0 wire mode. An SPI0 wire-mode change on
// one side against a Port I/O change on the other is a conflict.

#include <string>
#include <vector>

class CDeviceDocument;

namespace projectmerge {

// Merges into `result`, which holds OURS when called. Returns the conflicts,
// one line each ("Timer_Init TMOD: base 0x00 ours 0x21 theirs 0x12"); when
// there are any, `result` is not to be used.
std::vector<std::string> Merge(const CDeviceDocument& base, const CDeviceDocument& ours,
                               const CDeviceDocument& theirs, CDeviceDocument& result);

}  // namespace projectmerge
