#pragma once
// The two pages of the "Reset Sources" sheet. Both edit record 0 (VDM0CN,
// RSTSRC) as their main record and record 9, whose RSTSRC receives the
// complete reset-source value when comparator 0 is one of the sources.

#include "pages/common/CPropPage.h"
#include "pages/common/SheetPlan.h"

// Which events reset the chip: comparator 0, the VDD monitor, the missing
// clock detector and USB.
class CResetSourcesPropPage : public CPropPage {
    Q_OBJECT
public:
    // Control ids.
    enum : int {
        kComparator0SourceId = 11228, kMissingClockId = 11230, kVddMonitorSourceId, kUsbId = 11233,
        kConfigureComparator0Id = 11269, kComparator0StatusId,
    };

    // Reads the sheet's copies of record 9 and of the comparator record
    // (which the nested Comparator sheet edits).
    explicit CResetSourcesPropPage(PageContext& context);

    // Moves the comparator 0 source into record 9 when the sheet is confirmed.
    void OnOK() override;
    void Refresh() override;
    void ResetRegisters() override;
    void OnCommand(int id) override;

private:
    PeripheralRecord* rec9_;
    PeripheralRecord* rec8_;
};

// The VDD monitor switch.
class CResetVDDMonPropPage : public CPropPage {
    Q_OBJECT
public:
    static constexpr int kVddMonitorId = 11232;

    explicit CResetVDDMonPropPage(PageContext& context);

    void Refresh() override;
    void ResetRegisters() override;
    void OnCommand(int id) override;

private:
    PeripheralRecord* rec9_;
};

// "Reset Sources": both pages on records 0 and 9 (the first page also on
// record 8); stores records 0 and 9.
SheetPlan ResetSourcesSheet();
