#include <gtest/gtest.h>

#include "chip/Project.h"
#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"

namespace {

TEST(Project, CompletesShortRecordsAndPlacesTheCrossbarAsThePortIoPage) {
    auto doc = NewProject(0);
    PeripheralRecord portIo;
    doc->GetPeripheral(portIo, Pid::PortIO);
    portIo.Registers[PortIOReg::XBR0].Value |= portio::xbr::kUart0;
    const std::size_t full = portIo.Registers.size();
    doc->SetPeripheral(portIo, Pid::PortIO);
    // A record cut short by an old file reads with its missing entries at reset.
    PeripheralRecord timers;
    doc->GetPeripheral(timers, Pid::Timers);
    const std::size_t timerCount = timers.Registers.size();
    timers.Registers.resize(2);
    doc->SetPeripheral(timers, Pid::Timers);
    doc->SysclkFrequency = 24500000;

    const chip::Project project(*doc);
    EXPECT_EQ(project.Record(Pid::PortIO).Registers.size(), full);
    EXPECT_EQ(project.Record(Pid::Timers).Registers.size(), timerCount);
    EXPECT_EQ(project.Sysclk(), 24500000u);
    EXPECT_TRUE(project.LargePackage());
    ASSERT_EQ(project.Placement().Pins.size(), 32u);
    EXPECT_EQ(project.Placement().Pins[4].Label, "TX0 (UART0), ");
    EXPECT_EQ(project.Placement().Pins[5].Label, "RX0 (UART0), ");
    // A copy: later changes to the document leave it as it was.
    doc->SysclkFrequency = 1;
    EXPECT_EQ(project.Sysclk(), 24500000u);
    EXPECT_FALSE(chip::Project(*NewProject(2)).LargePackage());
}

}  // namespace
