#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"

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
        EXPECT_EQ(doc->GenerateSource(), reference->GenerateSource());
    }
}

TEST(Defaults, ResetAllKeepsModelAndFormat) {
    auto doc = NewProject(6);
    doc->DeviceData.CodeFormat = 1;
    doc->SysclkFrequency = 24000000;
    doc->ExtOscFrequency = 32768;
    doc->EciFrequency = 5;
    doc->DeviceData.Peripherals[4].Registers[0].Value = 0x80;
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

TEST(Models, NamesAndGroups) {
    EXPECT_EQ(models::ModelFromName("q7r22"), 2);
    EXPECT_EQ(models::ModelFromName("Q7R27"), 7);
    EXPECT_FALSE(models::ModelFromName("Q7R28"));
    EXPECT_FALSE(models::ModelFromName("Q7R2"));
    EXPECT_FALSE(models::ModelFromName("Q7R200"));
    EXPECT_EQ(models::NameOf(165), "Q7R25");
    EXPECT_EQ(models::NameOf(168), "");
    int large = 0;
    for (int code = 160; code <= 167; ++code) {
        EXPECT_NE(models::IsLargePackage(code), models::IsSmallPackage(code));
        large += models::LargePackageFlag(code);
    }
    EXPECT_EQ(large, 4);
    EXPECT_TRUE(models::IsLargePackage(164));
    EXPECT_TRUE(models::IsSmallPackage(163));
    EXPECT_TRUE(models::HasNoLfOscillator(166));
    EXPECT_FALSE(models::HasNoLfOscillator(165));
    EXPECT_TRUE(models::IsUpperFour(164));
    EXPECT_FALSE(models::IsUpperFour(163));
    EXPECT_EQ(models::TemplateIdOf(6), 11007);
    EXPECT_EQ(models::TemplateIdOf(7), 11009);
}

}  // namespace
