#pragma once
// The Peripherals menu as one table, assembled here from the sheet plans
// that the page groups export (the plug-in is the only place that knows
// every group). One line per command, in menu order: its id, caption and
// sheet, and on which models it has a menu item. The menu, its handlers and
// IsPeripheralCommand are all derived from it.

#include <functional>
#include <string>
#include <vector>

#include "pages/common/SheetPlan.h"

namespace plugin {

struct PeripheralCommand {
    int id;
    std::string caption;  // the menu item
    SheetPlan sheet;
    // Whether a project of this DeviceCode shows the menu item (the command
    // runs for every model); unset means all.
    std::function<bool(int deviceCode)> inMenu = {};
};

const std::vector<PeripheralCommand>& PeripheralTable();
// The line of command `id`, or nullptr.
const PeripheralCommand* FindPeripheral(int id);
// Whether `id` is one of the Peripherals commands of the table (not Reset All).
bool IsPeripheralCommand(int id);

// Makes the groups' nested sheets reachable by their SheetId, so that pages
// open them through their context. Done when the module is registered.
void InstallSheets();

}  // namespace plugin
