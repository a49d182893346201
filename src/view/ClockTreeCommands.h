#pragma once
// The clock tree's commands: View > Clock Tree, which switches the active
// project window between its code and its clock tree, and File > Export Clock
// Tree (SVG or PNG). Both act on the active project's code window.

class CCommandRegistry;

namespace clocktree {
inline constexpr int ViewClockTree = 43030;
inline constexpr int ExportClockTree = 43031;
}  // namespace clocktree

void RegisterClockTreeCommands(CCommandRegistry& registry);
