#pragma once
// The one-page sheets of the system control pages.

#include "pages/common/SheetPlan.h"

SheetPlan VoltageRegulatorSheet();
SheetPlan PrefetchSheet();
SheetPlan EmiSheet();
// "Voltage Reference", with a copy of the Port I/O record for the VREF pin.
SheetPlan VoltageReferenceSheet();
