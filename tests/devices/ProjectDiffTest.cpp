#include <gtest/gtest.h>

#include "devices/ProjectDiff.h"
#include "devices/Q7R2xDoc.h"

namespace {

std::string Describe(const CDeviceDocument& a, const CDeviceDocument& b) {
    return projectdiff::Describe(a, b, "a.zvp", "b.zvp");
}

// A change's value, strings quoted.
std::string Text(const projectdiff::Change::Value& v) {
    if (const auto* b = std::get_if<bool>(&v)) return *b ? "true" : "false";
    if (const auto* n = std::get_if<std::int64_t>(&v)) return std::to_string(*n);
    return "\"" + std::get<std::string>(v) + "\"";
}

RegisterEntry& Entry(CDeviceDocument& doc, PeripheralId id, const std::string& name) {
    for (auto& e : doc.DeviceData.Peripherals.at(id).Registers)
        if (e.Name == name) return e;
    throw std::runtime_error("no register " + name);
}

TEST(ProjectDiff, EqualProjectsAndTheFileVersionGiveNothing) {
    auto a = NewProject(0), b = NewProject(0);
    EXPECT_EQ(Describe(*a, *b), "");
    b->DeviceData.FileVersionMinor = 20;  // as read from an older file
    EXPECT_EQ(Describe(*a, *b), "");
}

TEST(ProjectDiff, ModelClocksAndFormatComeFirst) {
    auto a = NewProject(0), b = NewProject(2);
    b->SysclkFrequency = 24500000;
    b->DeviceData.CodeFormat = 1;
    const std::string d = Describe(*a, *b);
    EXPECT_EQ(d.rfind("model: Q7R20 -> Q7R22\nSysclkFrequency: 1500000 -> 24500000\n"
                      "CodeFormat: C -> assembly\n",
                      0),
              0u)
        << d;
    b->DeviceData.IncludeName = "board";
    EXPECT_NE(Describe(*a, *b).find("\nIncludeName: " + a->DeviceData.IncludeName + " -> board\n"),
              std::string::npos);
}

TEST(ProjectDiff, RegistersShowValueAndWrittenState) {
    auto a = NewProject(0), b = NewProject(0);
    RegisterEntry& tmod = Entry(*a, Pid::Timers, "TMOD");
    tmod.Value = 0x20;
    Entry(*b, Pid::Timers, "TMOD").Value = 0x21;
    EXPECT_EQ(Describe(*a, *b), "Timer_Init (record 2):\n    TMOD  0x20 -> 0x21\n");

    // Back to the reset value: no longer written.
    Entry(*b, Pid::Timers, "TMOD").Value = tmod.ResetValue;
    EXPECT_EQ(Describe(*a, *b),
              "Timer_Init (record 2):\n    TMOD  0x20 -> 0x00  (written -> not written)\n");

    // A forced write with the same value.
    auto c = NewProject(0);
    Entry(*c, Pid::Timers, "TMOD").ForceWrite = 1;
    EXPECT_EQ(
        Describe(*b, *c),
        "Timer_Init (record 2):\n    TMOD  0x00  (not written -> written, not forced -> forced)\n");
}

TEST(ProjectDiff, ChangedCodeTextsShowTheirLines) {
    auto a = NewProject(0), b = NewProject(0);
    Entry(*b, Pid::PortIO, "XBR0").CPre = "    // P0.4  -  TX0 (UART0)\r\n";
    const std::string d = Describe(*a, *b);
    EXPECT_EQ(d,
              "Port_IO_Init (record 13):\n    XBR0 C text before:\n        +     // P0.4  -  TX0 "
              "(UART0)\n")
        << d;

    // A record only one side has.
    b->DeviceData.Peripherals.erase(Pid::Prefetch);
    EXPECT_NE(Describe(*a, *b).find(" (record 12): only in a.zvp\n"), std::string::npos);
}

TEST(ProjectDiff, ChangesListEveryDifferingFieldInTheSameOrder) {
    auto a = NewProject(0), b = NewProject(0);
    b->SysclkFrequency = 24500000;
    b->DeviceData.CodeFormat = 1;
    Entry(*b, Pid::Timers, "TMOD").Value = 0x21;
    Entry(*b, Pid::Timers, "TMOD").ForceWrite = 1;
    b->DeviceData.Peripherals.erase(Pid::Prefetch);
    Entry(*b, Pid::PortIO, "XBR0").CPre = "x\r\n";
    b->DeviceData.Peripherals.at(Pid::PortIO).CPrologue = "p\r\n";
    std::vector<std::string> lines;
    for (const projectdiff::Change& c : projectdiff::Changes(*a, *b))
        lines.push_back(std::to_string(c.Record) + " " + c.Register + " " + c.Field + ": " +
                        Text(c.A) + " -> " + Text(c.B));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "-1  SysclkFrequency: 1500000 -> 24500000",
                         "-1  CodeFormat: \"c\" -> \"asm\"",
                         "2 TMOD Value: 0 -> 33",
                         "2 TMOD Written: false -> true",
                         "2 TMOD ForceWrite: false -> true",
                         "12  record: true -> false",
                         "13  CPrologue: \"\" -> \"p\r\n\"",
                         "13 XBR0 CPre: \"\" -> \"x\r\n\"",
                     }));
    EXPECT_TRUE(projectdiff::Changes(*a, *a).empty());
}

}  // namespace
