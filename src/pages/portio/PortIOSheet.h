#pragma once
// The "Port I/O" sheet, for its Peripherals command and for the "Configure
// Port I/O" buttons of other pages: the crossbar page (with a copy of the
// SPI0 record) and, on large-package models, the port 4 page; stores the
// Port I/O record on OK. Nested, it works on the opening page's copies of
// the Port I/O and SPI0 records when that page's sheet has them (the SPI
// page's own, whose wire mode decides the pins).

#include "pages/common/SheetPlan.h"

SheetPlan PortIOSheet();
