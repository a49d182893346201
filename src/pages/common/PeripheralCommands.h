#pragma once
// The Peripherals menu commands: each copies its records out of the document,
// runs its sheet, and stores the edited records on OK. The caller regenerates
// the code window afterwards, whatever the outcome.

class CDeviceDocument;

namespace pages {

// True when the command's pages exist (its menu item is enabled).
bool HasPeripheralCommand(int commandId);

// Runs the command on `doc`; returns true when its sheet ended with OK, false
// on Cancel or for a command without pages.
bool RunPeripheralCommand(CDeviceDocument& doc, int commandId);

}  // namespace pages
