#pragma once
// The Timers sheets: the Timers command's, and the one-page "Timers" sheet
// that the UART0 and SMBus pages open on their own copies.

#include "pages/common/SheetPlan.h"

// "Timers": the Timer 0 to Timer 3 pages on the timer record, with copies of
// the interrupt and Port I/O records; stores the timer record on OK.
SheetPlan TimersSheet();

// "Timers" with the page of `timer` (0..3) alone, on the opening page's
// copies of the timer, interrupt and (Timers 0 and 1) Port I/O records.
SheetPlan TimerSheet(int timer);
