#pragma once
// The Interrupts sheets: the Interrupts command's, and the two that other
// pages open on their own copy of the interrupt record.

#include "pages/common/SheetPlan.h"

// "Interrupts": the enable, priority and /INT0 and /INT1 pages; stores record 15.
SheetPlan InterruptsSheet();
// "Interrupts" with the enable and priority pages; stores record 15 on OK.
SheetPlan InterruptEnableSheet();
// "Interrupts" with the /INT0 and /INT1 page only; stores record 15 on OK.
SheetPlan ExternalInterruptsSheet();
