#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/Q7R2xDoc.h"
#include "model/DeviceData.h"

namespace {

std::string Generate(const CDeviceData& data, int format) {
    CDeviceData copy = data;
    copy.CodeFormat = format;
    std::string text;
    copy.GenerateSource(text);
    return text;
}

PeripheralRecord OneEntryRecord(const std::string& routine, RegisterEntry e) {
    PeripheralRecord r;
    r.CHead = "void " + routine + "()\r\n{";
    r.AsmLabel = routine + ":\r\n";
    r.CFoot = "}";
    r.AsmFoot = "    ret";
    r.Registers.push_back(e);
    return r;
}

RegisterEntry Entry(const std::string& name, int value, int reset = 0) {
    RegisterEntry e;
    e.Name = name;
    e.Value = static_cast<std::uint8_t>(value);
    e.ResetValue = static_cast<std::uint8_t>(reset);
    return e;
}

// The layout around the routines, their order and the texts around the writes
// are compared byte for byte by the scripts' expected files (tests/scripts).
TEST(Generator, EmptyConfigurationTexts) {
    auto doc = NewProject(3);
    EXPECT_EQ(Generate(doc->DeviceData, 0),
              "/////////////////////////////////////\r\n"
              "//  Generated Initialization File  //\r\n"
              "/////////////////////////////////////\r\n\r\n"
              "#include \"Q7R20.h\"\r\n\r\n"
              "// Initialization function for device,\r\n"
              "// Call Init_Device() from your main program\r\n"
              "void Init_Device(void)\r\n{\r\n}\r\n\r\n"
              "// Empty configuration\r\n\r\n"
              "// Open the \"Peripherals\" menu and\r\n"
              "// choose a peripheral to configure.\r\n");
    EXPECT_EQ(Generate(doc->DeviceData, 1),
              ";------------------------------------\r\n"
              ";-  Generated Initialization File  --\r\n"
              ";------------------------------------\r\n\r\n"
              "$include (Q7R20.inc)\r\n\r\n"
              "public  Init_Device\r\n\r\n"
              "INIT SEGMENT CODE\r\n    rseg INIT\r\n\r\n"
              "; Initialization function for device,\r\n"
              "; Call Init_Device from your main program\r\n"
              "Init_Device:\r\n    ret\r\n\r\nend\r\n\r\n"
              "; Empty configuration\r\n\r\n"
              "; Open the \"Peripherals\" menu and\r\n"
              "; choose a peripheral to configure.\r\n");
    // Any format value other than 0 means assembly.
    EXPECT_EQ(Generate(doc->DeviceData, 7), Generate(doc->DeviceData, 1));
}

TEST(Generator, WhichEntriesAndRecordsAreWritten) {
    CDeviceData data;
    data.IncludeName = "Q7R20";

    // Equal to the reset value but forced: written, with the equal value.
    RegisterEntry forced = Entry("TMOD", 0x11, 0x11);
    forced.ForceWrite = 1;
    data.Insert(2, OneEntryRecord("Timer_Init", forced));

    // Only texts differ on an unwritten entry: the record stays out, prologue too.
    RegisterEntry quiet = Entry("REF0CN", 0, 0);
    quiet.CPost = "    // after\r\n";
    PeripheralRecord r = OneEntryRecord("Voltage_Reference_Init", quiet);
    r.CPrologue = "    int i = 0;\r\n";
    r.AsmPrologue = "    ; prologue\r\n";
    data.Insert(10, r);

    const std::string c = Generate(data, 0);
    EXPECT_NE(c.find("void Timer_Init()\r\n{\r\n    TMOD      = 0x11;\r\n}\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(c.find("    Timer_Init();\r\n"), std::string::npos);
    EXPECT_EQ(c.find("Voltage_Reference"), std::string::npos);
    EXPECT_EQ(c.find("int i"), std::string::npos);
    EXPECT_EQ(c.find("Empty configuration"), std::string::npos);
    const std::string a = Generate(data, 1);
    EXPECT_NE(a.find("Timer_Init:\r\n    mov  TMOD,      #011h\r\n    ret\r\n"), std::string::npos);
    EXPECT_EQ(a.find("prologue"), std::string::npos);
}

// Short names and upper-case hex ("TH0       = 0xF6;"): the scripts' expected files.
TEST(Generator, WriteLineFormatting) {
    struct Case {
        RegisterEntry entry;
        std::string c, asmLine;
    };
    RegisterEntry orWrite = Entry("OSCLCN", 128);
    orWrite.OrWrite = 1;
    const std::vector<Case> cases = {
        {orWrite, "    OSCLCN    |= 0x80;", "    orl  OSCLCN,    #080h"},
        {Entry("ABCDEFGHIJ", 1), "    ABCDEFGHIJ= 0x01;", "    mov  ABCDEFGHIJ,#001h"},
        {Entry("ABCDEFGHIJKL", 1), "    ABCDEFGHIJKL= 0x01;", "    mov  ABCDEFGHIJKL,#001h"},
        {Entry("ABCDEFGHI", 0, 1), "    ABCDEFGHI = 0x00;", "    mov  ABCDEFGHI, #000h"},
    };
    for (const auto& tc : cases) {
        CDeviceData data;
        data.Insert(0, OneEntryRecord("X_Init", tc.entry));
        EXPECT_NE(Generate(data, 0).find("{\r\n" + tc.c + "\r\n}\r\n"), std::string::npos) << tc.c;
        EXPECT_NE(Generate(data, 1).find("X_Init:\r\n" + tc.asmLine + "\r\n    ret\r\n"),
                  std::string::npos)
            << tc.asmLine;
    }
}

}  // namespace
