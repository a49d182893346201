#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"

namespace {

std::vector<std::string> Names(const PeripheralRecord& r) {
    std::vector<std::string> names;
    for (const auto& e : r.Registers) names.push_back(e.Name);
    return names;
}

TEST(Defaults, EveryModelSetsUpTheSameSixteenRecords) {
    const auto reference = NewProject(0);
    for (int m = 0; m < models::kCount; ++m) {
        const auto doc = NewProject(m);
        SCOPED_TRACE(m);
        EXPECT_EQ(doc->DeviceCode, 160 + m);
        EXPECT_EQ(std::string(doc->GetRuntimeClass()), "CQ7R2" + std::to_string(m) + "Doc");
        EXPECT_EQ(doc->DeviceData.IncludeName, "Q7R20");
        EXPECT_EQ(doc->DeviceData.CodeFormat, 0);
        EXPECT_EQ(doc->SysclkFrequency, 1500000u);
        EXPECT_EQ(doc->IntOscFrequency, 12000000u);
        EXPECT_EQ(doc->LfOscFrequency, 80000u);
        EXPECT_EQ(doc->ExtOscFrequency, 0u);
        EXPECT_EQ(doc->EciFrequency, 0u);
        ASSERT_EQ(doc->DeviceData.Peripherals.size(), 16u);
        PeripheralId expected = 0;
        for (const auto& [key, rec] : doc->DeviceData.Peripherals) {
            EXPECT_EQ(key, expected++);
            EXPECT_EQ(rec.Id, key);
            EXPECT_FALSE(rec.IsWritten());
        }
        EXPECT_TRUE(doc->DeviceData == reference->DeviceData);
        EXPECT_EQ(doc->GenerateSource(), reference->GenerateSource());
    }
}

TEST(Defaults, RecordFramesAndRegisterLists) {
    const auto doc = NewProject(2);
    const auto& p = doc->DeviceData.Peripherals;
    const struct {
        PeripheralId id;
        const char* routine;
        std::vector<std::string> regs;
    } table[] = {
        {0, "Reset_Sources_Init", {"VDM0CN", "RSTSRC"}},
        {3, "UART_Init", {"SCON0", "SBRLL1", "SBRLH1", "SCON1", "SMOD1", "SBCON1"}},
        {4, "SMBus_Init", {"SMB0CF"}},
        {6, "ADC_Init", {"AMX0P", "AMX0N", "ADC0CF", "ADC0CN", "ADC0GTH", "ADC0GTL", "ADC0LTH", "ADC0LTL"}},
        {7, "EMI_Init", {"EMI0CF", "EMI0TC"}},
        {9, "Comparator_Reset_Source_Init", {"VDM0CN", "RSTSRC", "RSTSRC"}},
        {13, "Port_IO_Init", {"P0MDIN", "P1MDIN", "P2MDIN", "P3MDIN", "P4MDIN", "P0MDOUT",
                              "P1MDOUT", "P2MDOUT", "P3MDOUT", "P4MDOUT", "P0SKIP", "P1SKIP",
                              "P2SKIP", "P3SKIP", "XBR0", "XBR1", "XBR2"}},
        {14, "Oscillator_Init", {"OSCXCN", "OSCICN", "OSCLCN", "CLKMUL", "CLKSEL"}},
        {15, "Interrupts_Init", {"IP", "EIE1", "EIP1", "EIE2", "EIP2", "IT01CF", "IE"}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.routine);
        const auto& r = p.at(row.id);
        EXPECT_EQ(r.CHead, std::string("void ") + row.routine + "()\r\n{");
        EXPECT_EQ(r.AsmLabel, std::string(row.routine) + ":\r\n");
        EXPECT_EQ(r.CFoot, "}");
        EXPECT_EQ(r.AsmFoot, "    ret");
        EXPECT_TRUE(r.CPrologue.empty());
        EXPECT_TRUE(r.AsmPrologue.empty());
        EXPECT_EQ(Names(r), row.regs);
    }
    EXPECT_EQ(p.at(1).Registers.size(), 19u);
    EXPECT_EQ(p.at(2).Registers.size(), 17u);
    EXPECT_EQ(p.at(8).Registers.size(), 6u);
}

TEST(Defaults, ResetValuesFlagsAndSpecialTexts) {
    const auto doc = NewProject(0);
    const auto& p = doc->DeviceData.Peripherals;
    auto reset = [&](PeripheralId id, std::size_t pos) { return p.at(id).Registers.at(pos).ResetValue; };
    EXPECT_EQ(reset(3, 4), 0x0C);   // SMOD1
    EXPECT_EQ(reset(5, 1), 0x04);   // SPI0CN
    EXPECT_EQ(reset(6, 2), 0xF8);   // ADC0CF
    EXPECT_EQ(reset(6, 4), 0xFF);
    EXPECT_EQ(reset(7, 0), 0x03);
    EXPECT_EQ(reset(7, 1), 0xFF);
    EXPECT_EQ(reset(8, 2), 0x02);
    EXPECT_EQ(reset(8, 5), 0x02);
    EXPECT_EQ(reset(12, 0), 0x20);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(reset(13, i), 0xFF);
    EXPECT_EQ(reset(13, 5), 0x00);
    EXPECT_EQ(reset(14, 1), 0x80);
    EXPECT_EQ(reset(15, 5), 0x01);

    // Only OSCLCN is an OR write; nothing is forced; Index follows the position
    // except record 9's last entry, which repeats 1.
    for (const auto& [id, rec] : p) {
        for (std::size_t i = 0; i < rec.Registers.size(); ++i) {
            const auto& e = rec.Registers[i];
            EXPECT_EQ(e.OrWrite, id == 14 && i == 2 ? 1 : 0) << e.Name;
            EXPECT_EQ(e.ForceWrite, 0);
            EXPECT_EQ(e.Value, e.ResetValue);
            EXPECT_EQ(e.Index, id == 9 && i == 2 ? 1 : static_cast<int>(i));
        }
    }

    const auto& pcaMd = p.at(1).Registers[1];
    EXPECT_EQ(pcaMd.CPre, "    PCA0MD    &= ~0x40;\r\n");
    EXPECT_EQ(pcaMd.AsmPre, "    anl  PCA0MD,    #0BFh\r\n");
    const auto& cpl4 = p.at(1).Registers[13];
    EXPECT_EQ(cpl4.Name, "PCA0CPL4");
    EXPECT_EQ(cpl4.CPost, "    PCA0MD    |= 0x40;\r\n");
    EXPECT_EQ(cpl4.AsmPost, "    orl  PCA0MD,    #040h\r\n");

    const std::string wait = "    for (i = 0; i < 350; i++);  // Wait 100us for initialization\r\n";
    const std::string asmWait =
        "    clr  A                     ; Wait 100us for initialization\r\n    djnz ACC,       $\r\n";
    for (PeripheralId id : {0, 9}) {
        EXPECT_EQ(p.at(id).Registers[0].CPost, wait);
        EXPECT_EQ(p.at(id).Registers[0].AsmPost, asmWait);
        EXPECT_TRUE(p.at(id).Registers[1].CPost.empty());
    }
    EXPECT_TRUE(p.at(9).Registers[2].CPost.empty());
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
