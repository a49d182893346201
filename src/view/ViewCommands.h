#pragma once
// The code window's commands: their ids and their registration. Each acts on
// the active project's code window.

class CCommandRegistry;

namespace viewcmd {
inline constexpr int SaveSource = 43005;
inline constexpr int Help = 43017;
inline constexpr int CodeFormatC = 43018;
inline constexpr int CodeFormatAsm = 43019;
// File > Export PDF..., an addition of this program.
inline constexpr int ExportPdf = 43020;
inline constexpr int ResetAll = 43015;
}  // namespace viewcmd

// File > Save Source As, Export PDF and Print; Options > Code Format > C and
// Asm; Peripherals > Reset All; Help > Help (F1, which opens the user guide
// also while no project is open). The Options popup is declared here.
void RegisterViewCommands(CCommandRegistry& registry);
