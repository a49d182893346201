#include <gtest/gtest.h>

#include <functional>

#include "chip/Crossbar.h"
#include "chip/ProjectMerge.h"
#include "support/ChipFixture.h"

namespace {

using Change = std::function<void(CDeviceDocument&)>;

// Each case: what OURS and THEIRS change in a new Q7R20 project, and what the
// merge must give: the project with both changes, or these conflict lines.
struct Case {
    const char* what;
    Change ours, theirs;
    std::vector<std::string> conflicts;
};

TEST(ProjectMerge, FieldsMergeAndConflictsAreNamed) {
    const std::vector<Case> cases = {
        {"disjoint bits of one register",
         [](auto& d) { Reg(d, Pid::Interrupts, InterruptsReg::IE) |= 0x80; },
         [](auto& d) { Reg(d, Pid::Interrupts, InterruptsReg::IE) |= 0x10; },
         {}},
        {"Timer 0's and Timer 1's halves of TMOD",
         [](auto& d) { Reg(d, Pid::Timers, TimersReg::TMOD) |= 0x02; },
         [](auto& d) { Reg(d, Pid::Timers, TimersReg::TMOD) |= 0x20; },
         {}},
        {"different records, a clock word and the code format",
         [](auto& d) {
             Reg(d, Pid::Smbus, SmbusReg::SMB0CF) = 0x81;
             d.DeviceData.CodeFormat = 1;
         },
         [](auto& d) {
             Reg(d, Pid::Adc, AdcReg::ADC0CN) = 0x80;
             d.EciFrequency = 1000;
             d.DeviceData.Peripherals.at(Pid::Adc).Registers[AdcReg::ADC0CN].CPost = "    // x\r\n";
         },
         {}},
        {"the same change on both sides",
         [](auto& d) { Reg(d, Pid::Timers, TimersReg::TH1) = 0x96; },
         [](auto& d) { Reg(d, Pid::Timers, TimersReg::TH1) = 0x96; },
         {}},
        {"one mode field changed to two values",
         [](auto& d) { Reg(d, Pid::Timers, TimersReg::TMOD) = 0x02; },
         [](auto& d) { Reg(d, Pid::Timers, TimersReg::TMOD) = 0x01; },
         {"Timer_Init TMOD: base 0x00 ours 0x02 theirs 0x01"}},
        {"two reloads conflict instead of mixing their bits",
         [](auto& d) { Reg(d, Pid::Timers, TimersReg::TH1) = 0x96; },
         [](auto& d) { Reg(d, Pid::Timers, TimersReg::TH1) = 0x69; },
         {"Timer_Init TH1: base 0x00 ours 0x96 theirs 0x69"}},
        {"a code text and a clock word changed on both sides",
         [](auto& d) {
             d.DeviceData.Peripherals.at(Pid::Adc).Registers[AdcReg::ADC0CN].CPost = "a\r\n";
             d.EciFrequency = 1;
         },
         [](auto& d) {
             d.DeviceData.Peripherals.at(Pid::Adc).Registers[AdcReg::ADC0CN].CPost = "b\r\n";
             d.EciFrequency = 2;
         },
         {"EciFrequency: base 0 ours 1 theirs 2",
          "ADC_Init ADC0CN CPost: base \"\" ours \"a\\r\\n\" theirs \"b\\r\\n\""}},
        {"the watchdog group is one unit: timebase against the watchdog's lock",
         [](auto& d) { Reg(d, Pid::Pca, PcaReg::PCA0MD) = 0x02; },
         [](auto& d) {
             d.DeviceData.Peripherals.at(Pid::Pca).Registers[PcaReg::PCA0CPL4].CPost = "x\r\n";
         },
         {"PCA_Init PCA0MD: base 0x00 ours 0x02 theirs 0x00 (watchdog group)",
          "PCA_Init PCA0CPL4: base 0x00 ours 0x00 theirs 0x00, its flags or code texts changed "
          "(watchdog group)"}},
        {"the oscillator record goes with SYSCLK",
         [](auto& d) { d.SysclkFrequency = 12000000; },
         [](auto& d) { Reg(d, Pid::Oscillator, OscillatorReg::CLKMUL) = 0x80; },
         {"Oscillator_Init CLKMUL: base 0x00 ours 0x00 theirs 0x80 (oscillator record with "
          "SysclkFrequency and ExtOscFrequency)",
          "SysclkFrequency: base 1500000 ours 12000000 theirs 1500000 (oscillator record with "
          "SysclkFrequency and ExtOscFrequency)"}},
        {"an SPI0 wire mode against a Port I/O change",
         [](auto& d) { Reg(d, Pid::Spi, SpiReg::SPI0CN) = 0x00; },
         [](auto& d) { Reg(d, Pid::PortIO, PortIOReg::P0SKIP) = 0x01; },
         {"SPI_Init SPI0CN: base 0x04 ours 0x00 theirs 0x04 (the SPI0 wire mode changed on one "
          "side, Port I/O on the other)"}},
    };
    for (const Case& c : cases) {
        auto base = NewProject(0), ours = NewProject(0), theirs = NewProject(0),
             result = NewProject(0), expected = NewProject(0);
        c.ours(*ours);
        c.theirs(*theirs);
        c.ours(*result);
        c.ours(*expected);
        c.theirs(*expected);
        const auto conflicts = projectmerge::Merge(*base, *ours, *theirs, *result);
        EXPECT_EQ(conflicts, c.conflicts) << c.what;
        if (c.conflicts.empty()) {
            EXPECT_EQ(result->SaveProject(), expected->SaveProject()) << c.what;
        }
    }
}

TEST(ProjectMerge, ModelsMustMatch) {
    auto base = NewProject(0), ours = NewProject(0), theirs = NewProject(2), result = NewProject(0);
    EXPECT_EQ(projectmerge::Merge(*base, *ours, *theirs, *result),
              std::vector<std::string>{"model: base Q7R20 ours Q7R20 theirs Q7R22"});
}

// One side routes UART0, the other skips P0.0: the comment shows both, as
// the crossbar page writes it for the merged registers.
TEST(ProjectMerge, BothPortIOChangesRebuildThePinComment) {
    auto base = NewProject(2), ours = NewProject(2), theirs = NewProject(2), result = NewProject(2);
    auto withComment = [](CDeviceDocument& d) {
        PeripheralRecord& port = d.DeviceData.Peripherals.at(Pid::PortIO);
        portio::CCrossbar crossbar(false, d.DeviceData.Peripherals.at(Pid::Spi));
        crossbar.DecodeCrossbar(port);
        crossbar.BuildPinComment(port);
    };
    for (CDeviceDocument* d : {ours.get(), result.get()}) {
        Reg(*d, Pid::PortIO, PortIOReg::XBR0) = portio::xbr::kUart0;
        withComment(*d);
    }
    Reg(*theirs, Pid::PortIO, PortIOReg::P0SKIP) = 0x01;
    withComment(*theirs);

    ASSERT_EQ(projectmerge::Merge(*base, *ours, *theirs, *result), std::vector<std::string>{});
    const PeripheralRecord& port = result->DeviceData.Peripherals.at(Pid::PortIO);
    // Both changes, and the comment as the crossbar page writes it for them.
    auto expected = NewProject(2);
    Reg(*expected, Pid::PortIO, PortIOReg::XBR0) = portio::xbr::kUart0;
    Reg(*expected, Pid::PortIO, PortIOReg::P0SKIP) = 0x01;
    withComment(*expected);
    EXPECT_EQ(port, expected->DeviceData.Peripherals.at(Pid::PortIO));

    // Only one side changed Port I/O: its record is taken whole.
    auto only = NewProject(2);
    only->DeviceData.Peripherals.at(Pid::PortIO) = theirs->DeviceData.Peripherals.at(Pid::PortIO);
    auto fresh = NewProject(2);
    ASSERT_TRUE(projectmerge::Merge(*base, *base, *theirs, *fresh).empty());
    EXPECT_EQ(fresh->SaveProject(), only->SaveProject());
}

}  // namespace
