#pragma once
// The reset sources without widgets. The reset-source register is written
// twice by the generated code: early in Reset_Sources_Init (record 0) with
// every source but comparator 0, and again in Comparator_Reset_Source_Init
// (record 9), after the comparators are set up, with the complete value.
// While the sheet is open the comparator 0 source lives in record 0 (and is
// mirrored into record 9); confirming the sheet moves it into record 9.
// Of record 9 only RSTSRC is used.

#include <cstdint>
#include <string>

#include "model/PeripheralRecord.h"

namespace resetsrc {

inline constexpr std::uint8_t kVddMonitorOn = 0x80;      // VDM0CN
inline constexpr std::uint8_t kVddMonitorSource = 0x02;  // RSTSRC
inline constexpr std::uint8_t kMissingClockSource = 0x04;
inline constexpr std::uint8_t kComparator0Source = 0x20;
inline constexpr std::uint8_t kUsbSource = 0x80;

// The counter of the wait loop that follows the VDM0CN write.
inline constexpr const char* kLoopCounter = "    int i = 0;\r\n";

// Brings record 9's comparator 0 source back into record 0 (the sheet shows
// it there); returns whether it is on.
bool MirrorComparator0Source(PeripheralRecord& rec0, const PeripheralRecord& rec9);
// The comparator 0 box: the bit in both records.
void SetComparator0Source(PeripheralRecord& rec0, PeripheralRecord& rec9, bool on);
// Confirming the sheet: with comparator 0 as a source, record 9 takes the
// complete value and record 0 keeps the rest; without it record 9 is cleared.
void ConfirmSources(PeripheralRecord& rec0, PeripheralRecord& rec9);
// The VDD monitor switch: on declares the loop counter of its wait; off also
// drops the monitor as a reset source.
void SetVddMonitor(PeripheralRecord& rec0, bool on);
// Reset of either page: VDM0CN and both RSTSRC back to their reset values.
void ResetSourceRegisters(PeripheralRecord& rec0, PeripheralRecord& rec9);
// "Comparator0 is Enabled" / "Comparator0 is Disabled" from record 8.
std::string Comparator0StatusText(const PeripheralRecord& rec8);

}  // namespace resetsrc
