#pragma once
// The Comparators command's sheet and the nested "Comparator" sheet that the
// reset sources page opens for comparator 0.

#include "pages/common/SheetPlan.h"

// "Comparator": the Comparator0 and Comparator1 pages on the comparator
// record, with copies of the Port I/O and interrupt records; stores record 8.
SheetPlan ComparatorsSheet();

// "Comparator" with the Comparator0 page alone, on the opening page's copy
// of the comparator record and fresh copies of the Port I/O and interrupt
// records; stores record 8 on OK.
SheetPlan Comparator0Sheet();
