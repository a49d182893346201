// The Reset Sources sheet as a user drives it. The comparator 0 source moved
// into record 9 on OK and shown again on reopening, the VDD monitor's source
// box and the nested Comparator sheet: reset_sources_comparator.zvs.

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

// The OK step runs with either tab active, and takes the source out again.
TEST_F(ResetSourcesPages, Comparator0SourceIsMovedOnOkFromEitherTab) {
    for (std::uint8_t expected : {0x20, 0x00}) {
        Then([](CDeviceDlg& s) {
            ASSERT_EQ(driver::Click(s.Page(0), Sources::kComparator0SourceId), "");
            s.SetActivePage(1);
            s.PressOk();
        });
        EXPECT_TRUE(Run());
        EXPECT_EQ(Rstsrc(Pid::ResetSources), 0x00);
        EXPECT_EQ(Rstsrc(Pid::ComparatorResetSource), expected);
    }
    EXPECT_EQ(doc_->GenerateSource().find("Comparator_Reset_Source_Init"), std::string::npos);
}

TEST_F(ResetSourcesPages, VddMonitorOffTakesItsSourceAndResetClearsBothRecords) {
    Then([](CDeviceDlg& s) {
        QWidget* src = s.Page(0);
        QWidget* vdd = s.Page(1);
        s.SetActivePage(1);
        ASSERT_EQ(driver::Click(vdd, VddMon::kVddMonitorId), "");
        s.SetActivePage(0);
        ASSERT_EQ(driver::Click(src, Sources::kVddMonitorSourceId), "");
        // Off again: the source goes with it; the box shows that, disabled.
        s.SetActivePage(1);
        ASSERT_EQ(driver::Click(vdd, VddMon::kVddMonitorId), "");
        EXPECT_EQ(Text(vdd, 11110), "");
        s.SetActivePage(0);
        EXPECT_FALSE(Checked(src, Sources::kVddMonitorSourceId));
        EXPECT_FALSE(Enabled(src, Sources::kVddMonitorSourceId));
        s.SetActivePage(1);
        ASSERT_EQ(driver::Click(vdd, VddMon::kVddMonitorId), "");
        s.PressOk();
    });
    EXPECT_TRUE(Run());
    EXPECT_EQ(StoredValue(Pid::ResetSources, ResetSourcesReg::VDM0CN), 0x80);
    EXPECT_EQ(Rstsrc(Pid::ResetSources), 0x00);

    // Reset on the VDD page clears the registers of both records, not the counter.
    Then([](CDeviceDlg& s) {
        Click(s.Page(0), {Sources::kComparator0SourceId, Sources::kUsbId});
        s.SetActivePage(1);
        s.PressReset();
        EXPECT_FALSE(Checked(s.Page(1), VddMon::kVddMonitorId));
        s.PressOk();
    });
    EXPECT_TRUE(Run());
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
        ASSERT_EQ(nested.PageCount(), 1);
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
    EXPECT_EQ(StoredValue(Pid::Comparators, ComparatorsReg::CPT0CN), 0x8C);
}
