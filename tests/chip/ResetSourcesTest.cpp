#include <gtest/gtest.h>

#include "chip/ResetSources.h"
#include "support/ChipFixture.h"

using namespace resetsrc;

namespace {

struct Project {
    Project() : doc(NewProject(0)) {
        doc->GetPeripheral(rec0, Pid::ResetSources);
        doc->GetPeripheral(rec9, Pid::ComparatorResetSource);
    }
    std::uint8_t& Rstsrc0() { return rec0.Registers.at(ResetSourcesReg::RSTSRC).Value; }
    std::uint8_t& Rstsrc9() { return rec9.Registers.at(ComparatorResetSourceReg::RSTSRC).Value; }
    // The sheet confirmed: the OK step, then both records stored; the C text.
    std::string Confirm() {
        ConfirmSources(rec0, rec9);
        doc->SetPeripheral(rec0, Pid::ResetSources);
        doc->SetPeripheral(rec9, Pid::ComparatorResetSource);
        return Code(0);
    }
    std::string Code(int format) {
        doc->DeviceData.CodeFormat = format;
        return doc->GenerateSource();
    }

    std::unique_ptr<CQ7R2xDoc> doc;
    PeripheralRecord rec0, rec9;
};

bool Has(const std::string& code, const std::string& text) {
    return code.find(text) != std::string::npos;
}

}  // namespace

TEST(ResetSources, MissingClockAloneIsWrittenOnceEarly) {
    Project p;
    p.Rstsrc0() |= kMissingClockSource;
    const std::string c = p.Confirm();
    EXPECT_TRUE(Has(c, "void Reset_Sources_Init()\r\n{\r\n    RSTSRC    = 0x04;\r\n}\r\n"));
    EXPECT_FALSE(Has(c, "Comparator_Reset_Source_Init"));
    EXPECT_EQ(p.Rstsrc9(), 0x00);
    EXPECT_FALSE(Has(p.Code(1), "Comparator_Reset_Source_Init"));
}

TEST(ResetSources, Comparator0SourceMovesIntoTheSecondWrite) {
    Project p;
    p.Rstsrc0() |= kMissingClockSource;
    SetComparator0Source(p.rec0, p.rec9, true);
    EXPECT_EQ(p.Rstsrc0(), 0x24);  // both records hold it while the sheet is open
    EXPECT_EQ(p.Rstsrc9(), 0x20);
    // Both writes in C and assembly, the second after Comparator_Init:
    // reset_sources_comparator.zvs compares the generated files.
    p.Confirm();
    EXPECT_EQ(p.Rstsrc0(), 0x04);
    EXPECT_EQ(p.Rstsrc9(), 0x24);
    // Reopening: record 9 brings the source back into record 0 (the box is ticked).
    PeripheralRecord rec0, rec9;
    p.doc->GetPeripheral(rec0, Pid::ResetSources);
    p.doc->GetPeripheral(rec9, Pid::ComparatorResetSource);
    EXPECT_TRUE(MirrorComparator0Source(rec0, rec9));
    EXPECT_EQ(rec0.Registers[ResetSourcesReg::RSTSRC].Value, 0x24);
}

TEST(ResetSources, UntickingComparator0LeavesRecord9Clear) {
    Project p;
    p.Rstsrc9() = 0x24;  // a project confirmed before with comparator 0 as source
    p.Rstsrc0() = 0x04;
    EXPECT_TRUE(MirrorComparator0Source(p.rec0, p.rec9));
    SetComparator0Source(p.rec0, p.rec9, false);
    const std::string c = p.Confirm();
    EXPECT_EQ(p.Rstsrc9(), 0x00);
    EXPECT_EQ(p.Rstsrc0(), 0x04);
    EXPECT_FALSE(Has(c, "Comparator_Reset_Source_Init"));

    // A source changed after reopening reaches the second write as well.
    Project q;
    q.Rstsrc9() = 0x24;
    q.Rstsrc0() = 0x04;
    MirrorComparator0Source(q.rec0, q.rec9);
    q.Rstsrc0() &= static_cast<std::uint8_t>(~kMissingClockSource);
    q.Confirm();
    EXPECT_EQ(q.Rstsrc9(), 0x20);
    EXPECT_EQ(q.Rstsrc0(), 0x00);

    // Without a source in record 9 the mirror clears a stale bit in record 0.
    Project r;
    r.Rstsrc0() = 0x24;
    EXPECT_FALSE(MirrorComparator0Source(r.rec0, r.rec9));
    EXPECT_EQ(r.Rstsrc0(), 0x04);
}

TEST(ResetSources, SwitchingTheVddMonitorOffDropsItAsASource) {
    Project p;
    SetVddMonitor(p.rec0, true);
    p.Rstsrc0() |= kVddMonitorSource | kMissingClockSource;
    SetVddMonitor(p.rec0, false);
    EXPECT_TRUE(
        Has(p.Confirm(), "void Reset_Sources_Init()\r\n{\r\n    RSTSRC    = 0x04;\r\n}\r\n"));
}

// Reset clears both records and keeps the counter: ResetSourcesPages; the
// third entry of record 9 is not the pages' business and stays.
TEST(ResetSources, ResetLeavesTheRepeatedEntry) {
    Project p;
    p.Rstsrc9() = 0x20;
    Reg(p.rec9, ComparatorResetSourceReg::RSTSRC_REPEAT) = 0x55;
    ResetSourceRegisters(p.rec0, p.rec9);
    EXPECT_EQ(p.Rstsrc9(), 0x00);
    EXPECT_EQ(Reg(p.rec9, ComparatorResetSourceReg::RSTSRC_REPEAT), 0x55);
}

TEST(ResetSources, Comparator0StatusFromTheEnableBit) {
    // Off and on through the nested sheet: ResetSourcesPages; only bit 7 counts.
    PeripheralRecord rec8 = NewRecord(2, Pid::Comparators);
    Reg(rec8, ComparatorsReg::CPT0CN) = 0x7F;
    EXPECT_EQ(Comparator0StatusText(rec8), "Comparator0 is Disabled");
    PeripheralRecord empty;
    EXPECT_EQ(Comparator0StatusText(empty), "Comparator0 is Disabled");
}
