#include <gtest/gtest.h>

#include <map>
#include <string>

#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"
#include "support/DefaultRecords.h"

namespace {

// Every field of every default record (routines, register names, reset
// values, flags and the special texts) is compared byte for byte by
// ProjectFile.NewProjectOfEveryModelIsWrittenExactly; here what the file does
// not hold.
TEST(Defaults, EveryModelSetsUpTheSameRecordsUnderItsOwnClass) {
    const auto reference = NewProject(0);
    for (int m = 0; m < models::kCount; ++m) {
        const auto doc = NewProject(m);
        SCOPED_TRACE(m);
        EXPECT_EQ(std::string(doc->GetRuntimeClass()), "CQ7R2" + std::to_string(m) + "Doc");
        for (const auto& [key, rec] : doc->DeviceData.Peripherals) {
            EXPECT_EQ(rec.Id, key);
            EXPECT_FALSE(rec.IsWritten());
        }
        EXPECT_TRUE(doc->DeviceData == reference->DeviceData);
    }
}

TEST(Defaults, ResetAllKeepsModelAndFormat) {
    auto doc = NewProject(6);
    doc->DeviceData.CodeFormat = 1;
    doc->SysclkFrequency = 24000000;
    doc->ExtOscFrequency = 32768;
    doc->EciFrequency = 5;
    doc->DeviceData.Peripherals[4].Registers[SmbusReg::SMB0CF].Value = 0x80;
    doc->DeviceData.Peripherals.erase(7);
    doc->DeviceData.Peripherals[42] = PeripheralRecord{};

    doc->InitializePeripherals();
    EXPECT_EQ(doc->DeviceCode, 166);
    EXPECT_EQ(doc->DeviceData.CodeFormat, 1);
    EXPECT_EQ(doc->SysclkFrequency, 1500000u);
    EXPECT_EQ(doc->ExtOscFrequency, 0u);
    EXPECT_EQ(doc->EciFrequency, 0u);
    EXPECT_TRUE(doc->DeviceData.Peripherals == NewProject(6)->DeviceData.Peripherals);
}

// Every name of the register map against the register at its position in the
// record, every position named, and the Count of the records that code sizes
// by (Port I/O's: PortIOPages).
TEST(Defaults, RegisterMapNamesEveryPositionOfEveryRecord) {
    // Every model holds the same records (the test above).
    const auto doc = NewProject(0);
    const auto& records = doc->DeviceData.Peripherals;
    std::map<PeripheralId, int> named;
    for (const DefaultRegister& n : DefaultRegisters()) {
        SCOPED_TRACE(std::string(n.name) + " in record " + std::to_string(n.record));
        const auto& regs = records.at(n.record).Registers;
        ASSERT_LT(static_cast<std::size_t>(n.position), regs.size());
        EXPECT_EQ(regs[static_cast<std::size_t>(n.position)].Name, n.name);
        ++named[n.record];
    }
    for (const auto& [id, rec] : records)
        EXPECT_EQ(named[id], static_cast<int>(rec.Registers.size())) << "record " << id;
    EXPECT_EQ(records.at(Pid::Pca).Registers.size(), std::size_t{PcaReg::Count});
    EXPECT_EQ(records.at(Pid::Timers).Registers.size(), std::size_t{TimersReg::Count});
    EXPECT_EQ(records.at(Pid::Uart).Registers.size(), std::size_t{UartReg::Count});
}

// The names and groups themselves are the family's data; here the rules on them.
TEST(Models, NamesAndGroups) {
    EXPECT_EQ(models::ModelFromName("q7r22"), 2);
    for (const char* bad : {"Q7R28", "Q7R2", "Q7R200"})
        EXPECT_FALSE(models::ModelFromName(bad)) << bad;
    EXPECT_EQ(models::NameOf(168), "");
    int large = 0;
    for (int code = 160; code <= 167; ++code) {
        EXPECT_EQ(models::ModelFromName(models::NameOf(code)), code - 160);
        EXPECT_NE(models::IsLargePackage(code), models::IsSmallPackage(code));
        large += models::LargePackageFlag(code);
    }
    EXPECT_EQ(large, 4);
}

}  // namespace
