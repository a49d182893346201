#pragma once
// The "Oscillators" sheet, for its Peripherals command and nested (the
// calculators' "Change Clock Frequency"): six pages (five on the models
// without the L-F oscillator) on a fresh copy of the oscillator record, with
// a copy of the Port I/O record for the XTAL pins; OK stores the oscillator
// record, Cancel puts SysclkFrequency and ExtOscFrequency back.

#include "pages/common/SheetPlan.h"

SheetPlan OscillatorsSheet();
