#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "devices/Q7R2xDoc.h"
#include "model/Ui.h"
#include "support/Bytes.h"
#include "support/DefaultRecords.h"

namespace {

using testing_bytes::Bytes;

std::vector<std::uint8_t> ExpectedNewProject(int model) {
    const std::string wait = "    for (i = 0; i < 350; i++);  // Wait 100us for initialization\r\n";
    const std::string asmWait =
        "    clr  A                     ; Wait 100us for initialization\r\n"
        "    djnz ACC,       $\r\n";
    Bytes b;
    b.u8(160 + model).i32(1).i32(60);
    b.u32(1500000).u32(12000000).u32(80000).u32(0).u32(0);
    b.str("Q7R20").i32(0).i32(16);
    for (const auto& [id, routine] : DefaultRoutines()) {
        std::vector<DefaultRegister> regs;
        for (const DefaultRegister& r : DefaultRegisters())
            if (r.record == id) regs.push_back(r);
        b.i32(id).str(std::string("void ") + routine + "()\r\n{");
        b.str(std::string(routine) + ":\r\n").str("").str("");
        b.i32(static_cast<int>(regs.size()));
        for (int i = 0; i < static_cast<int>(regs.size()); ++i) {
            std::string cpre, apre, cpost, apost;
            if (id == Pid::Pca && i == PcaReg::PCA0MD) {
                cpre = "    PCA0MD    &= ~0x40;\r\n";
                apre = "    anl  PCA0MD,    #0BFh\r\n";
            }
            if (id == Pid::Pca && i == PcaReg::PCA0CPL4) {
                cpost = "    PCA0MD    |= 0x40;\r\n";
                apost = "    orl  PCA0MD,    #040h\r\n";
            }
            if ((id == Pid::ResetSources || id == Pid::ComparatorResetSource) && i == 0) {
                cpost = wait;
                apost = asmWait;
            }
            const DefaultRegister& r = regs[static_cast<std::size_t>(i)];
            b.i32(id == Pid::ComparatorResetSource && i == 2 ? 1 : i);
            b.str(r.name).str(cpre).str(apre).str(cpost).str(apost).u8(r.reset).u8(r.reset);
            b.i32(id == Pid::Oscillator && i == OscillatorReg::OSCLCN ? 1 : 0).i32(0);
        }
        b.str("}").str("    ret");
    }
    return b.b;
}

// A new project's bytes of `model` under another header.
std::vector<std::uint8_t> Reheaded(int model, int code, int major, int minor) {
    auto bytes = NewProject(model)->SaveProject();
    Bytes header;
    header.u8(static_cast<unsigned>(code)).i32(major).i32(minor);
    std::copy(header.b.begin(), header.b.end(), bytes.begin());
    return bytes;
}

TEST(ProjectFile, NewProjectOfEveryModelIsWrittenExactly) {
    for (int m = 0; m < 8; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(NewProject(m)->SaveProject(), ExpectedNewProject(m));
    }
}

// A document whose every field differs from the defaults, with texts in all
// three length encodings.
std::unique_ptr<CQ7R2xDoc> BusyDocument() {
    auto doc = NewProject(5);
    doc->SysclkFrequency = 48000000;
    doc->IntOscFrequency = 0xFFFFFFFF;
    doc->LfOscFrequency = 1;
    doc->ExtOscFrequency = 32768;
    doc->EciFrequency = 1234567;
    doc->DeviceData.CodeFormat = 1;
    auto& port = doc->DeviceData.Peripherals[13];
    port.CPrologue = std::string(254, 'a');
    port.AsmPrologue = std::string(255, 'b');
    auto& e = port.Registers[PortIOReg::P3MDIN];
    e.CPre = std::string(65533, 'c');
    e.AsmPre = std::string(65534, 'd');
    e.CPost = std::string(70000, 'e');
    e.AsmPost = "\r\n\xff\x01";
    e.Value = 0x5A;
    e.ResetValue = 0xA5;
    e.OrWrite = 1;
    e.ForceWrite = 1;
    e.Index = -7;
    PeripheralRecord extra;
    extra.Id = 40;
    extra.CHead = "void Extra()\r\n{";
    doc->DeviceData.Peripherals[40] = extra;
    return doc;
}

TEST(ProjectFile, SaveLoadSaveKeepsEveryFieldAndEveryByte) {
    const auto doc = BusyDocument();
    const auto bytes = doc->SaveProject();
    // The longest form of the text encoding: 0xFF, 0xFFFF, then a 32-bit length.
    const std::vector<std::uint8_t> longForm = {255, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0, 'd'};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), longForm.begin(), longForm.end()),
              bytes.end());

    auto loaded = CreateModelDocument(0);  // the first byte decides nothing here
    ScriptUi ui;
    ASSERT_EQ(loaded->LoadProject(bytes, ui), LoadStatus::Loaded);
    EXPECT_TRUE(ui.Shown.empty());
    EXPECT_EQ(loaded->DeviceCode, 165);
    // The clock words and every record field, file version included.
    EXPECT_TRUE(loaded->State() == doc->State());
    EXPECT_EQ(loaded->SaveProject(), bytes);
}

TEST(ProjectFile, NewerVersionsAreRefusedWithTheMessage) {
    for (auto [major, minor] :
         {std::pair{1, 61}, std::pair{2, 0}, std::pair{2, 60}, std::pair{1, 1000}}) {
        SCOPED_TRACE(std::to_string(major) + "." + std::to_string(minor));
        auto doc = CreateModelDocument(0);
        ScriptUi ui;
        EXPECT_EQ(doc->LoadProject(Reheaded(0, 160, major, minor), ui), LoadStatus::Refused);
        ASSERT_EQ(ui.Shown.size(), 1u);
        EXPECT_EQ(ui.Shown[0].Text, "Error: This file is not supported under this DLL version");
        EXPECT_EQ(ui.Shown[0].Buttons, MsgButtons::Ok);
        EXPECT_EQ(ui.Shown[0].Icon, MsgIcon::Exclamation);
        EXPECT_TRUE(doc->DeviceData.Peripherals.empty());
    }
}

TEST(ProjectFile, OlderMajorVersionsUseTheCurrentLayout) {
    auto doc = CreateModelDocument(1);
    ScriptUi ui;
    ASSERT_EQ(doc->LoadProject(Reheaded(1, 161, 0, 5), ui), LoadStatus::Loaded);
    EXPECT_EQ(doc->DeviceData.Peripherals.size(), 16u);
    EXPECT_EQ(doc->DeviceData.FileVersionMajor, 0);
}

TEST(ProjectFile, FirstRecordOfADuplicateIdWinsAndOtherModelsAreRead) {
    Bytes b;
    b.u8(163).i32(1).i32(60).u32(1).u32(2).u32(3).u32(4).u32(5).str("Q7R20").i32(0).i32(2);
    for (const char* head : {"void First()\r\n{", "void Second()\r\n{"}) {
        b.i32(4).str(head).str("L:\r\n").str("").str("").i32(1);
        b.i32(0).str("SMB0CF").str("").str("").str("").str("").u8(0x80).u8(0).i32(0).i32(0);
        b.str("}").str("    ret");
    }
    auto doc = CreateModelDocument(0);  // a Q7R20 document reading a Q7R23 file
    ScriptUi ui;
    ASSERT_EQ(doc->LoadProject(b.b, ui), LoadStatus::Loaded);
    EXPECT_EQ(doc->DeviceCode, 163);
    ASSERT_EQ(doc->DeviceData.Peripherals.size(), 1u);
    EXPECT_EQ(doc->DeviceData.Peripherals.at(4).CHead, "void First()\r\n{");
    EXPECT_EQ(doc->EciFrequency, 5u);
}

TEST(ProjectFile, EveryTruncationFailsCleanly) {
    const auto full = BusyDocument()->SaveProject();
    // Cut points: all of the first kilobyte, then a sparse sweep of the rest.
    for (std::size_t cut = 0; cut < full.size(); cut += cut < 1024 ? 1 : 997) {
        std::vector<std::uint8_t> part(full.begin(), full.begin() + static_cast<long>(cut));
        auto doc = CreateModelDocument(0);
        ScriptUi ui;
        ASSERT_EQ(doc->LoadProject(part, ui), LoadStatus::Corrupt) << cut;
        EXPECT_TRUE(doc->DeviceData.Peripherals.empty());
        EXPECT_EQ(doc->DeviceCode, 0);
    }
}

TEST(ProjectFile, ImpossibleLengthsAndCountsFailAtOnce) {
    auto header = [] {
        Bytes b;
        b.u8(160).i32(1).i32(60).u32(0).u32(0).u32(0).u32(0).u32(0);
        return b;
    };
    // A file of one record, up to its entry count.
    auto oneRecord = [&header] {
        Bytes b = header().str("Q7R20").i32(0).i32(1);
        return b.i32(0).str("").str("").str("").str("");
    };
    std::vector<Bytes> cases;
    cases.push_back(header().u8(255).u16(0xFFFF).u32(0xFFFFFFF0u));  // huge include name
    cases.push_back(header().u8(255).u16(0xFFFE).raw("xx"));         // no such length form
    cases.push_back(header().u8(255).u16(60000).raw("short"));       // longer than the file
    cases.push_back(header().str("Q7R20").i32(0).i32(-1));           // negative record count
    cases.push_back(header().str("Q7R20").i32(0).i32(0x7FFFFFFF));   // huge record count
    cases.push_back(oneRecord().i32(-5));                            // negative entry count
    cases.push_back(oneRecord().i32(100000000));                     // huge entry count
    Bytes legacy;
    legacy.u8(160).i32(1).i32(1).u32(0).u32(0).u32(0).u32(0).u32(0).i32(-3);
    cases.push_back(legacy);  // negative name length
    for (std::size_t i = 0; i < cases.size(); ++i) {
        auto doc = CreateModelDocument(0);
        ScriptUi ui;
        EXPECT_EQ(doc->LoadProject(cases[i].b, ui), LoadStatus::Corrupt) << i;
        EXPECT_TRUE(ui.Shown.empty());
    }
}

}  // namespace
