#pragma once
// The one-page sheets of the system control pages.

#include "pages/common/SheetSpec.h"

SheetSpec VoltageRegulatorSheet();
SheetSpec PrefetchSheet();
SheetSpec EmiSheet();
// "Voltage Reference", with a copy of the Port I/O record for the VREF pin.
SheetSpec VoltageReferenceSheet();
