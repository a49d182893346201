#include <gtest/gtest.h>

#include <string>

#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"
#include "model/Ui.h"
#include "support/Bytes.h"

namespace {

using testing_bytes::Bytes;

Bytes Header(int minor) {
    Bytes b;
    b.u8(162).i32(1).i32(minor).u32(3000000).u32(12000000).u32(80000).u32(11059200).u32(77);
    return b;
}

std::unique_ptr<CQ7R2xDoc> Read(const Bytes& b, LoadStatus expect = LoadStatus::Loaded) {
    auto doc = CreateModelDocument(2);
    ScriptUi ui;
    EXPECT_EQ(doc->LoadProject(b.b, ui), expect);
    EXPECT_TRUE(ui.Shown.empty());
    return doc;
}

TEST(LegacyFile, Version1_50UsesTheCurrentLayout) {
    Bytes b = Header(50);
    b.str("Q7R20").i32(1).i32(1);
    b.i32(4).str("void SMBus_Init()\r\n{").str("SMBus_Init:\r\n").str("pc").str("pa").i32(1);
    b.i32(0).str("SMB0CF").str("a").str("b").str("c").str("d").u8(0x80).u8(0).i32(0).i32(1);
    b.str("}").str("    ret");
    const auto doc = Read(b);
    EXPECT_EQ(doc->DeviceData.CodeFormat, 1);
    EXPECT_EQ(doc->EciFrequency, 77u);
    const auto& r = doc->DeviceData.Peripherals.at(4);
    EXPECT_EQ(r.AsmPrologue, "pa");
    EXPECT_EQ(r.Registers[0].AsmPost, "d");
    EXPECT_EQ(r.Registers[0].ForceWrite, 1);
    EXPECT_EQ(doc->DeviceData.FileVersionMinor, 50);
}

TEST(LegacyFile, Version1_20HasOneByteStringsAndLongPrologues) {
    Bytes b = Header(20);
    b.short_str("Q7R20").i32(0).i32(1);
    b.i32(13).short_str("void Port_IO_Init()\r\n{").short_str("Port_IO_Init:\r\n");
    b.i32(12).str("    // comment");  // prologues: extra length, then a current-encoded text
    b.i32(300).str(std::string(300, ';'));
    b.i32(1);
    b.i32(0).short_str("XBR1").short_str("").short_str("").short_str("").short_str("");
    b.u8(0x40).u8(0).i32(0).i32(0);
    b.short_str("}").short_str("    ret");
    const auto doc = Read(b);
    const auto& r = doc->DeviceData.Peripherals.at(13);
    EXPECT_EQ(r.CHead, "void Port_IO_Init()\r\n{");
    EXPECT_EQ(r.CPrologue, "    // comment");
    EXPECT_EQ(r.AsmPrologue, std::string(300, ';'));
    EXPECT_EQ(r.Registers.at(0).Name, "XBR1");
    EXPECT_EQ(r.Registers.at(0).Value, 0x40);
    EXPECT_EQ(r.AsmFoot, "    ret");
    // Read back, it is written in the current layout.
    EXPECT_EQ(doc->SaveProject()[5], 60);
}

void Version3Record(Bytes& b, int id, const std::string& routine, int secondValue) {
    b.i32(id).long_str("void " + routine + "()\r\n{").long_str(routine + ":\r\n");
    b.long_str("").long_str("").i32(2);
    b.i32(0).long_str("VDM0CN").long_str("").long_str("").long_str("w\r\n").long_str("aw\r\n");
    b.u8(0x80).u8(0).i32(0).i32(0);
    b.i32(1).long_str("RSTSRC").long_str("").long_str("").long_str("").long_str("");
    b.u8(static_cast<unsigned>(secondValue)).u8(0).i32(0).i32(0);
    b.long_str("}").long_str("    ret");
}

TEST(LegacyFile, Version1_3ConvertsIdsAndSplitsTheResetSources) {
    Bytes b = Header(3);
    b.long_str("Q7R20").i32(1).i32(4);
    Version3Record(b, 10, "Reset_Sources_Init", 0x26);  // old id 10: reset sources
    Version3Record(b, 0, "PCA_Init", 0x01);             // old id 0: PCA
    Version3Record(b, 9, "Voltage_Regulator_Init", 1);  // old id 9 becomes 11
    Version3Record(b, 12, "Port_IO_Init", 1);           // old id 12 becomes 13
    const auto doc = Read(b);
    const auto& p = doc->DeviceData.Peripherals;
    EXPECT_EQ(doc->DeviceData.CodeFormat, 1);
    ASSERT_EQ(p.size(), 5u);

    const auto& reset = p.at(0);
    EXPECT_EQ(reset.Id, 0);
    EXPECT_EQ(reset.CHead, "void Reset_Sources_Init()\r\n{");
    EXPECT_EQ(reset.Registers[ResetSourcesReg::RSTSRC].Value, 0x06);  // bit 5 cleared
    EXPECT_EQ(reset.Registers[ResetSourcesReg::VDM0CN].CPost, "w\r\n");

    const auto& copy = p.at(10);
    EXPECT_EQ(copy.Id, 0);  // filed under 10 but keeps the reset-source Id
    EXPECT_EQ(copy.CHead, "void Comparator_Reset_Source_Init()\r\n{");
    EXPECT_EQ(copy.AsmLabel, "Comparator_Reset_Source_Init:\r\n");
    EXPECT_EQ(copy.Registers[ResetSourcesReg::RSTSRC].Value, 0x26);
    EXPECT_EQ(copy.Registers[ResetSourcesReg::VDM0CN].AsmPost, "aw\r\n");

    EXPECT_EQ(p.at(1).CHead, "void PCA_Init()\r\n{");
    EXPECT_EQ(p.at(1).Id, 1);
    EXPECT_EQ(p.at(11).CHead, "void Voltage_Regulator_Init()\r\n{");
    EXPECT_EQ(p.at(13).Id, 13);
}

void Version1Entry(Bytes& b, int index, const std::string& name, const std::string& cpre,
                   const std::string& cpost, unsigned value) {
    b.i32(index).long_str(name).long_str(cpre).long_str(cpost);
    b.u8(value).u8(0).i32(0).i32(0);
}

TEST(LegacyFile, Version1_1DerivesAssemblyTextsAndConvertsIds) {
    Bytes b = Header(1);
    const std::string name = "Q7R20.h";
    b.i32(static_cast<int>(name.size())).raw(name);  // no CodeFormat follows
    b.i32(3);

    // Old id 0 becomes the voltage regulator (11).
    b.i32(0).long_str("void Voltage_Regulator_Init()\r\n{").long_str("").i32(1);
    Version1Entry(b, 0, "REG0CN", "", "", 0x10);
    b.long_str("}");

    // Old id 1: PCA with the old watchdog texts.
    b.i32(1).long_str("void PCA_Init()\r\n{").long_str("    int i = 0;\r\n").i32(4);
    Version1Entry(b, 0, "PCA0MD", "    PCA0MD      &= ~0x04;\r\n", "    PCA0MD      |= 0x04;\r\n",
                  1);
    Version1Entry(b, 1, "PCA0L", "    PCA0MD    &= ~0x04;\r\n", "    PCA0MD    |= 0x04;\r\n", 2);
    Version1Entry(b, 2, "PCA0H", "    something;\r\n",
                  "    for (i = 0; i < 350; i++);  // Wait 100us for initialization\r\n", 3);
    Version1Entry(b, 3, "OSCXCN", "",
                  "    for (i = 0; i < 3000; i++);  // Wait 1ms for initialization\r\n"
                  "    while ((OSCXCN & 0x80) == 0);\r\n",
                  4);
    b.long_str("}");

    // Old id 3 becomes the reset sources (0).
    b.i32(3).long_str("void Reset_Sources_Init()\r\n{").long_str("").i32(1);
    Version1Entry(b, 0, "RSTSRC", "", "", 0x02);
    b.long_str("}");

    const auto doc = Read(b);
    EXPECT_EQ(doc->DeviceData.IncludeName, "Q7R20");
    EXPECT_EQ(doc->DeviceData.CodeFormat, 0);
    const auto& p = doc->DeviceData.Peripherals;
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p.at(11).CHead, "void Voltage_Regulator_Init()\r\n{");
    EXPECT_EQ(p.at(11).AsmLabel, "Voltage_Regulator_Init:\r\n");
    EXPECT_EQ(p.at(11).AsmFoot, "    ret");
    EXPECT_EQ(p.at(0).Id, 0);
    EXPECT_EQ(p.at(0).AsmLabel, "Reset_Sources_Init:\r\n");

    const auto& pca = p.at(1);
    EXPECT_EQ(pca.CPrologue, "    int i = 0;\r\n");
    EXPECT_EQ(pca.AsmPrologue, "");
    // Six spaces: the C text moves to the current bit, no assembly text.
    EXPECT_EQ(pca.Registers[0].CPre, "    PCA0MD    &= ~0x40;\r\n");
    EXPECT_EQ(pca.Registers[0].AsmPre, "");
    EXPECT_EQ(pca.Registers[0].CPost, "    PCA0MD    |= 0x40;\r\n");
    EXPECT_EQ(pca.Registers[0].AsmPost, "");
    // Four spaces: the C text stays, the assembly text is the current one.
    EXPECT_EQ(pca.Registers[1].CPre, "    PCA0MD    &= ~0x04;\r\n");
    EXPECT_EQ(pca.Registers[1].AsmPre, "    anl  PCA0MD,    #0BFh\r\n");
    EXPECT_EQ(pca.Registers[1].AsmPost, "    orl  PCA0MD,    #040h\r\n");
    // Wait loops.
    EXPECT_EQ(pca.Registers[2].AsmPre, "");
    EXPECT_EQ(pca.Registers[2].AsmPost,
              "    clr  A                     ; Wait 100us for initialization\r\n"
              "    djnz ACC,       $\r\n");
    EXPECT_EQ(pca.Registers[3].AsmPost,
              "    clr  A                     ; Wait 1ms for initialization\r\n"
              "    djnz ACC,       $\r\n"
              "    djnz ACC,       $\r\n"
              "Osc_Wait:\r\n"
              "    mov  A,         OSCXCN\r\n"
              "    jnb  ACC.7,     Osc_Wait\r\n");
}

TEST(LegacyFile, TruncatedLegacyFilesFailCleanly) {
    Bytes b = Header(3);
    b.long_str("Q7R20").i32(1).i32(1);
    Version3Record(b, 10, "Reset_Sources_Init", 0x26);
    for (std::size_t cut = 0; cut < b.b.size(); ++cut) {
        Bytes part;
        part.b.assign(b.b.begin(), b.b.begin() + static_cast<long>(cut));
        auto doc = CreateModelDocument(2);
        ScriptUi ui;
        ASSERT_EQ(doc->LoadProject(part.b, ui), LoadStatus::Corrupt) << cut;
    }
}

}  // namespace
