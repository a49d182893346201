#pragma once
// The Timers command, and the one-page "Timers" sheet that the UART, SMBus
// and PCA pages open on their own copies.

#include "model/DeviceDocument.h"
#include "pages/common/CommandTable.h"

// "Timers": the Timer 0 to Timer 3 pages on the timer record, each with a
// copy of the interrupt record (and Timers 0 and 1 with a copy of the Port
// I/O record); stores the timer record on OK.
CommandRow TimersCommand();

// Runs a sheet captioned "Timers" holding only the page of `timer` (0..3) on
// the given copies and the document's system clock. On OK the timer record
// is stored into the document at once (PeripheralId 2). `portIO` may be null
// (Timers 2 and 3 do not use it; Timers 0 and 1 then read a fresh copy from
// the document). True on OK.
bool RunTimerSheet(CDeviceDocument& doc, int timer, PeripheralRecord& timers,
                   PeripheralRecord& interrupts, PeripheralRecord* portIO);
