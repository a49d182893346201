#pragma once
// The Comparators command and the nested "Comparator" sheet that the reset
// sources page opens for comparator 0.

#include "pages/common/CommandTable.h"

// "Comparator": the Comparator0 and Comparator1 pages on the comparator
// record, with copies of the Port I/O and interrupt records; stores record 8.
CommandRow ComparatorsCommand();

// "Comparator" with the Comparator0 page alone, on the caller's copy of the
// comparator record and fresh copies of the Port I/O and interrupt records.
// On OK record 8 is stored into the document at once. True on OK.
bool RunComparator0Sheet(CDeviceDocument& doc, PeripheralRecord& comparators);
