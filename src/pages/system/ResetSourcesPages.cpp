#include "pages/system/ResetSourcesPages.h"

#include <QLabel>

#include "chip/ResetSources.h"
#include "devices/Registers.h"

using namespace resetsrc;

CResetSourcesPropPage::CResetSourcesPropPage(PageContext& context)
    : CPropPage(context, "Reset Sources"),
      rec9_(&context.Record(Pid::ComparatorResetSource)),
      rec8_(&context.Record(Pid::Comparators)) {
    PageBuilder b = Builder();
    b.Group("Comparator");
    b.Check(kComparator0SourceId, "Enable Comparator 0 as an Active-Low Reset Source");
    b.BeginRow();
    b.Button(kConfigureComparator0Id, "Configure Comparator0");
    b.Status(kComparator0StatusId);
    b.EndRow();
    b.NextColumn();
    b.Group("VDD Monitor");
    b.Check(kVddMonitorSourceId, "Enable VDD Monitor as a Reset Source")
        .Bit(ResetSourcesReg::RSTSRC, kVddMonitorSource);
    b.Group("Missing Clock Detector");
    b.Check(kMissingClockId, "Enable Missing Clock Detector")
        .Bit(ResetSourcesReg::RSTSRC, kMissingClockSource);
    b.Group("USB Resets");
    b.Check(kUsbId, "Enable USB Resets").Bit(ResetSourcesReg::RSTSRC, kUsbSource);
    b.Stretch();
    b.Preview();
}

void CResetSourcesPropPage::Refresh() {
    Check(kComparator0SourceId, MirrorComparator0Source(*Record(), *rec9_));
    RefreshBound();
    // The VDD monitor can be a reset source only while it is on; the box
    // still shows the bit when it is off.
    Enable(kVddMonitorSourceId, TestBits(ResetSourcesReg::VDM0CN, kVddMonitorOn));
    SetText(kComparator0StatusId, Comparator0StatusText(*rec8_));
}

void CResetSourcesPropPage::OnOK() {
    ConfirmSources(*Record(), *rec9_);
}

void CResetSourcesPropPage::ResetRegisters() {
    ResetSourceRegisters(*Record(), *rec9_);
}

void CResetSourcesPropPage::OnCommand(int id) {
    switch (id) {
        case kComparator0SourceId:
            SetComparator0Source(*Record(), *rec9_, IsChecked(id));
            RefreshPreview();
            break;
        case kConfigureComparator0Id:
            if (Ctx().OpenSheet(SheetId::Comparator0))
                SetText(kComparator0StatusId, Comparator0StatusText(*rec8_));
            break;
        default:
            CPropPage::OnCommand(id);
    }
}

CResetVDDMonPropPage::CResetVDDMonPropPage(PageContext& context)
    : CPropPage(context, "Power-Fail Reset/VDD Monitor"),
      rec9_(&context.Record(Pid::ComparatorResetSource)) {
    PageBuilder b = Builder();
    b.Group("VDD Monitor");
    b.Check(kVddMonitorId, "Enable VDD Monitor");
    b.Stretch();
    b.Preview();
}

void CResetVDDMonPropPage::Refresh() {
    Check(kVddMonitorId, TestBits(ResetSourcesReg::VDM0CN, kVddMonitorOn));
}

void CResetVDDMonPropPage::ResetRegisters() {
    ResetSourceRegisters(*Record(), *rec9_);
}

void CResetVDDMonPropPage::OnCommand(int id) {
    if (id != kVddMonitorId) return CPropPage::OnCommand(id);
    SetVddMonitor(*Record(), IsChecked(id));
    RefreshPreview();
}

SheetPlan ResetSourcesSheet() {
    return {.caption = "Reset Sources",
            .stored = {Pid::ResetSources, Pid::ComparatorResetSource},
            .pages = {MakePage<CResetSourcesPropPage>(), MakePage<CResetVDDMonPropPage>()},
            .copied = {Pid::Comparators}};
}
