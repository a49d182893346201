#include "chip/ResetSources.h"

#include "devices/Registers.h"

#include <cstddef>

namespace resetsrc {

namespace {

// Positions outside the list (a damaged project) read as 0 and write nowhere.
RegisterEntry* Entry(PeripheralRecord& r, int position) {
    const auto i = static_cast<std::size_t>(position);
    return i < r.Registers.size() ? &r.Registers[i] : nullptr;
}

std::uint8_t Reg(const PeripheralRecord& r, int position) {
    const auto i = static_cast<std::size_t>(position);
    return i < r.Registers.size() ? r.Registers[i].Value : 0;
}

void SetBits(PeripheralRecord& r, int position, std::uint8_t mask, bool on) {
    if (RegisterEntry* e = Entry(r, position))
        e->Value = static_cast<std::uint8_t>(on ? (e->Value | mask) : (e->Value & ~mask));
}

}  // namespace

bool MirrorComparator0Source(PeripheralRecord& rec0, const PeripheralRecord& rec9) {
    const bool on = (Reg(rec9, ComparatorResetSourceReg::RSTSRC) & kComparator0Source) != 0;
    SetBits(rec0, ResetSourcesReg::RSTSRC, kComparator0Source, on);
    return on;
}

void SetComparator0Source(PeripheralRecord& rec0, PeripheralRecord& rec9, bool on) {
    SetBits(rec0, ResetSourcesReg::RSTSRC, kComparator0Source, on);
    SetBits(rec9, ComparatorResetSourceReg::RSTSRC, kComparator0Source, on);
}

void ConfirmSources(PeripheralRecord& rec0, PeripheralRecord& rec9) {
    RegisterEntry* source = Entry(rec0, ResetSourcesReg::RSTSRC);
    RegisterEntry* full = Entry(rec9, ComparatorResetSourceReg::RSTSRC);
    if (!source || !full) return;
    if (source->Value & kComparator0Source) {
        full->Value = source->Value;
        source->Value = static_cast<std::uint8_t>(source->Value & ~kComparator0Source);
    } else {
        full->Value = 0x00;
    }
}

void SetVddMonitor(PeripheralRecord& rec0, bool on) {
    rec0.CPrologue = on ? kLoopCounter : "";
    SetBits(rec0, ResetSourcesReg::VDM0CN, kVddMonitorOn, on);
    if (!on) SetBits(rec0, ResetSourcesReg::RSTSRC, kVddMonitorSource, false);
}

void ResetSourceRegisters(PeripheralRecord& rec0, PeripheralRecord& rec9) {
    for (RegisterEntry* e :
         {Entry(rec0, ResetSourcesReg::VDM0CN), Entry(rec0, ResetSourcesReg::RSTSRC),
          Entry(rec9, ComparatorResetSourceReg::RSTSRC)})
        if (e) e->Value = e->ResetValue;
}

std::string Comparator0StatusText(const PeripheralRecord& rec8) {
    return Reg(rec8, ComparatorsReg::CPT0CN) >= 0x80 ? "Comparator0 is Enabled"
                                                     : "Comparator0 is Disabled";
}

}  // namespace resetsrc
