#pragma once
// The "Programmable Counter Array" sheet: the PCA0 page and the five module pages.

#include "pages/common/SheetPlan.h"

SheetPlan PcaSheet();
