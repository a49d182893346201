#pragma once
// Command ids of the code window's own menu items. The Peripherals commands
// (43000 to 43016) are listed with the pages.

#include "pages/common/CommandIds.h"

namespace viewcmd {
inline constexpr int SaveSource = 43005;
inline constexpr int Help = 43017;
inline constexpr int CodeFormatC = 43018;
inline constexpr int CodeFormatAsm = 43019;
// File > Export PDF..., an addition of this program.
inline constexpr int ExportPdf = 43020;

inline constexpr int PeripheralsFirst = 43000;
inline constexpr int PeripheralsLast = 43016;
inline constexpr int ResetAll = cmd::ResetAll;

// True for the fifteen peripheral commands (43000 to 43016 less Save Source
// As and Reset All).
constexpr bool IsPeripheralCommand(int id) {
    return id >= PeripheralsFirst && id <= PeripheralsLast && id != SaveSource && id != ResetAll;
}
}  // namespace viewcmd
