// The Reset Sources sheet as a user drives it: the comparator 0 source kept
// in record 0 while the sheet is open and moved into record 9 on OK, the VDD
// monitor page, Reset, and the nested Comparator sheet.

#include <gtest/gtest.h>

#include "devices/Registers.h"
#include "pages/system/ResetSourcesPages.h"
#include "support/PageTest.h"

namespace {

using Sources = CResetSourcesPropPage;
using VddMon = CResetVDDMonPropPage;
using namespace testing_pages;

class ResetSourcesPages : public SheetTest {
protected:
    bool Run() { return RunSheet(*doc_, ResetSourcesSheet()); }
    // RSTSRC of record 0 or 9 (the same position in both).
    std::uint8_t Rstsrc(PeripheralId id) { return StoredValue(id, ResetSourcesReg::RSTSRC); }
};

}  // namespace

TEST_F(ResetSourcesPages, Comparator0SourceIsMovedOnOkAndShownAgainOnReopening) {
    Then([](CDeviceDlg& s) {
        EXPECT_EQ(s.windowTitle().toStdString(), "Reset Sources");
        ASSERT_EQ(s.PageCount(), 2);
        EXPECT_EQ(s.Page(0)->Caption(), "Reset Sources");
        EXPECT_EQ(s.Page(1)->Caption(), "Power-Fail Reset/VDD Monitor");
        QWidget* p = s.Page(0);
        EXPECT_EQ(Text(p, Sources::kComparator0StatusId), "Comparator0 is Disabled");
        EXPECT_FALSE(Enabled(p, Sources::kVddMonitorSourceId));
        Click(p, {Sources::kComparator0SourceId, Sources::kMissingClockId});
        EXPECT_EQ(Text(p, 11110), "    RSTSRC    = 0x24;\n");
        s.PressOk();
    });
    EXPECT_TRUE(Run());
    EXPECT_EQ(Rstsrc(Pid::ResetSources), 0x04);
    EXPECT_EQ(Rstsrc(Pid::ComparatorResetSource), 0x24);

    // Reopened: the box is ticked and record 0 holds the source again; a
    // Cancel leaves the project as it was.
    Then([](CDeviceDlg& s) {
        QWidget* p = s.Page(0);
        EXPECT_TRUE(Checked(p, Sources::kComparator0SourceId));
        EXPECT_TRUE(Checked(p, Sources::kMissingClockId));
        EXPECT_EQ(Text(p, 11110), "    RSTSRC    = 0x24;\n");
        s.Finish(false);
    });
    EXPECT_FALSE(Run());
    EXPECT_EQ(Rstsrc(Pid::ResetSources), 0x04);

    // Unticked and confirmed from the other tab: the OK step still runs.
    Then([](CDeviceDlg& s) {
        ASSERT_EQ(driver::Click(s.Page(0), Sources::kComparator0SourceId), "");
        s.SetActivePage(1);
        s.PressOk();
    });
    EXPECT_TRUE(Run());
    EXPECT_EQ(Rstsrc(Pid::ResetSources), 0x04);
    EXPECT_EQ(Rstsrc(Pid::ComparatorResetSource), 0x00);
    EXPECT_EQ(doc_->GenerateSource().find("Comparator_Reset_Source_Init"), std::string::npos);
}

TEST_F(ResetSourcesPages, OkStepRunsWhenTheVddMonitorTabIsActive) {
    Then([](CDeviceDlg& s) {
        ASSERT_EQ(driver::Click(s.Page(0), Sources::kComparator0SourceId), "");
        s.SetActivePage(1);
        s.PressOk();
    });
    EXPECT_TRUE(Run());
    EXPECT_EQ(Rstsrc(Pid::ResetSources), 0x00);
    EXPECT_EQ(Rstsrc(Pid::ComparatorResetSource), 0x20);
}

TEST_F(ResetSourcesPages, VddMonitorSwitchesItsResetSource) {
    Then([](CDeviceDlg& s) {
        QWidget* src = s.Page(0);
        QWidget* vdd = s.Page(1);
        s.SetActivePage(1);
        EXPECT_FALSE(Checked(vdd, VddMon::kVddMonitorId));
        ASSERT_EQ(driver::Click(vdd, VddMon::kVddMonitorId), "");
        EXPECT_EQ(Text(vdd, 11110),
                  "    VDM0CN    = 0x80;\n    for (i = 0; i < 350; i++);  // Wait 100us for "
                  "initialization\n");
        s.SetActivePage(0);
        EXPECT_TRUE(Enabled(src, Sources::kVddMonitorSourceId));
        ASSERT_EQ(driver::Click(src, Sources::kVddMonitorSourceId), "");
        // Off again: the source goes with it; the box shows that, disabled.
        s.SetActivePage(1);
        ASSERT_EQ(driver::Click(vdd, VddMon::kVddMonitorId), "");
        EXPECT_EQ(Text(vdd, 11110), "");
        s.SetActivePage(0);
        EXPECT_FALSE(Checked(src, Sources::kVddMonitorSourceId));
        EXPECT_FALSE(Enabled(src, Sources::kVddMonitorSourceId));
        // On once more for the stored result.
        s.SetActivePage(1);
        ASSERT_EQ(driver::Click(vdd, VddMon::kVddMonitorId), "");
        s.PressOk();
    });
    EXPECT_TRUE(Run());
    const PeripheralRecord r = Stored(Pid::ResetSources);
    EXPECT_EQ(r.CPrologue, "    int i = 0;\r\n");
    EXPECT_EQ(r.Registers[ResetSourcesReg::VDM0CN].Value, 0x80);
    EXPECT_EQ(r.Registers[ResetSourcesReg::RSTSRC].Value, 0x00);
    EXPECT_NE(doc_->GenerateSource().find(
                  "void Reset_Sources_Init()\r\n{\r\n    int i = 0;\r\n    VDM0CN    = 0x80;\r\n"),
              std::string::npos);

    // Reopened: the monitor is on and its source box available; Reset on
    // the VDD page clears the registers of both records, not the counter.
    Then([](CDeviceDlg& s) {
        EXPECT_TRUE(Enabled(s.Page(0), Sources::kVddMonitorSourceId));
        Click(s.Page(0), {Sources::kComparator0SourceId, Sources::kUsbId});
        s.SetActivePage(1);
        EXPECT_TRUE(Checked(s.Page(1), VddMon::kVddMonitorId));
        s.PressReset();
        EXPECT_FALSE(Checked(s.Page(1), VddMon::kVddMonitorId));
        EXPECT_EQ(Text(s.Page(1), 11110), "");
        s.SetActivePage(0);
        EXPECT_FALSE(Checked(s.Page(0), Sources::kComparator0SourceId));
        EXPECT_FALSE(Checked(s.Page(0), Sources::kUsbId));
        s.PressOk();
    });
    EXPECT_TRUE(Run());
    EXPECT_EQ(ui_.Shown.back().Text, "Reset all registers to default for this peripheral?");
    const PeripheralRecord after = Stored(Pid::ResetSources);
    EXPECT_EQ(after.CPrologue, "    int i = 0;\r\n");
    EXPECT_EQ(after.Registers[ResetSourcesReg::VDM0CN].Value, 0x00);
    EXPECT_EQ(after.Registers[ResetSourcesReg::RSTSRC].Value, 0x00);
    EXPECT_EQ(Rstsrc(Pid::ComparatorResetSource), 0x00);
}

TEST_F(ResetSourcesPages, NestedComparatorSheetSurvivesACancelOfTheOuterSheet) {
    Then([](CDeviceDlg& s) {
        QWidget* p = s.Page(0);
        ASSERT_EQ(driver::Click(p, Sources::kMissingClockId), "");
        ASSERT_EQ(driver::Click(p, Sources::kConfigureComparator0Id), "");  // cancelled
        EXPECT_EQ(Text(p, Sources::kComparator0StatusId), "Comparator0 is Disabled");
        ASSERT_EQ(driver::Click(p, Sources::kConfigureComparator0Id), "");  // confirmed
        EXPECT_EQ(Text(p, Sources::kComparator0StatusId), "Comparator0 is Enabled");
        s.Finish(false);
    });
    Then([](CDeviceDlg& nested) {
        EXPECT_EQ(nested.windowTitle().toStdString(), "Comparator");
        ASSERT_EQ(nested.PageCount(), 1);
        EXPECT_EQ(nested.Page(0)->Caption(), "Comparator0");
        ASSERT_EQ(driver::Click(nested.Page(0), 11260), "");  // positive 20 mV
        nested.Finish(false);
    });
    Then([](CDeviceDlg& nested) {
        // The cancelled change is still in the caller's copy.
        EXPECT_TRUE(Checked(nested.Page(0), 11260));
        ASSERT_EQ(driver::Click(nested.Page(0), 11255), "");
        nested.PressOk();
    });
    EXPECT_FALSE(Run());
    const PeripheralRecord cmp = Stored(Pid::Comparators);
    EXPECT_EQ(cmp.Registers[ComparatorsReg::CPT0CN].Value, 0x8C);
    EXPECT_EQ(cmp.CPrologue, "    int i = 0;\r\n");
    EXPECT_EQ(cmp.Registers[ComparatorsReg::CPT0CN].CPost,
              "    for (i = 0; i < 35; i++);  // Wait 10us for initialization\r\n    CPT0CN    &= "
              "~0x30;\r\n");
    EXPECT_EQ(Rstsrc(Pid::ResetSources), 0x00);  // the outer sheet was cancelled
}
