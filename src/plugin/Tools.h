#pragma once
// The Tools menu: views of the whole project that are no peripheral's sheet.

class CCommandRegistry;

namespace tools {
inline constexpr int PinPlanner = 43040;
}  // namespace tools

namespace plugin {

// Adds the Tools popup with Pin Planner... (on the active project).
void RegisterToolCommands(CCommandRegistry& registry);

}  // namespace plugin
