#pragma once
// The Peripherals menu: one line per command, in menu order. The menu items,
// their handlers and IsPeripheralCommand all come from this table.

#include <string>

class CCommandRegistry;
class CDeviceDocument;

namespace plugin {

// Whether `id` is one of the Peripherals commands of the table (not Reset All).
bool IsPeripheralCommand(int id);

// Runs Peripherals command `id` on `doc` as its menu item does, and then the
// code window of the active project regenerates whatever the sheet did.
// Returns true when the sheet ended with OK.
bool RunPeripheral(CDeviceDocument& doc, int id);

// Adds the Peripherals popup and one command per line of the table.
void RegisterPeripheralCommands(CCommandRegistry& registry);

}  // namespace plugin
