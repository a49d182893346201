#pragma once
// The Peripherals commands in the command registry, one per line of the
// Peripherals table, and the way to run one as its menu item does.

#include <string>

class CCommandRegistry;
class CDeviceDocument;

namespace plugin {

// Runs Peripherals command `id` on `doc` as its menu item does (the sheet
// starting on the page captioned `startPage`, when one is named, as a click
// on its tab would select it); then the active code window regenerates,
// whatever the sheet did. Returns true when the sheet ended with OK.
bool RunPeripheral(CDeviceDocument& doc, int id, const std::string& startPage = {});

// Adds the Peripherals popup and one command per line of the table.
void RegisterPeripheralCommands(CCommandRegistry& registry);

}  // namespace plugin
