#pragma once
// The Interrupts command and the two nested Interrupts sheets that other
// pages open on their own copy of the interrupt record.

#include "pages/common/CommandTable.h"

CommandRow InterruptsCommand();

// "Interrupts" with the enable and priority pages; stores record 15 on OK.
bool RunInterruptsSheet(CDeviceDocument& doc, PeripheralRecord& interrupts);
// "Interrupts" with the /INT0 and /INT1 page only; stores record 15 on OK.
bool RunExternalInterruptsSheet(CDeviceDocument& doc, PeripheralRecord& interrupts);
