// What `zorvant diff` reports between two projects.

#include <gtest/gtest.h>

#include "devices/ProjectDiff.h"
#include "devices/Q7R2xDoc.h"

namespace {

std::string Describe(const CDeviceDocument& a, const CDeviceDocument& b) {
    return projectdiff::Describe(a, b, "a.zvp", "b.zvp");
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

}  // namespace
