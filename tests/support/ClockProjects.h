#pragma once
// Hand-worked projects for the clock tree: each sets the registers and clock
// words a user would reach through the sheets, so the clock model and the
// pages can be compared on them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chip/PcaRecord.h"
#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"

struct ClockPoke {
    PeripheralId id;
    int position;
    std::uint8_t value;
};

struct ClockProject {
    const char* name;
    int model;
    std::uint32_t sysclk, extOsc, eci;
    std::vector<ClockPoke> pokes;
    bool watchdog;  // the watchdog as a new project has it, else disabled

    std::unique_ptr<CQ7R2xDoc> Build() const {
        auto doc = NewProject(model);
        doc->SysclkFrequency = sysclk;
        doc->ExtOscFrequency = extOsc;
        doc->EciFrequency = eci;
        auto& records = doc->DeviceData.Peripherals;
        for (const ClockPoke& p : pokes)
            records.at(p.id).Registers.at(static_cast<std::size_t>(p.position)).Value = p.value;
        if (!watchdog) pca::SetWatchdogTexts(records.at(Pid::Pca), pca::Watchdog::Disabled);
        return doc;
    }
};

inline const std::vector<ClockProject>& ClockProjects() {
    static const std::vector<ClockProject> projects = {
        // A 22.1184 MHz crystal as SYSCLK; Timer 1 in 8-bit auto-reload for
        // 115200 baud on UART0; the SMBus on Timer 0 near 100 kHz; the PCA on
        // SYSCLK / 4 with CEX0 in 8-bit PWM and CEX1 as a frequency output.
        {"crystal", 0, 22118400, 22118400, 0,
         {{Pid::Oscillator, OscillatorReg::OSCXCN, 0x67},
          {Pid::Oscillator, OscillatorReg::CLKSEL, 0x01}, {Pid::Timers, TimersReg::TCON, 0x50},
          {Pid::Timers, TimersReg::TMOD, 0x22}, {Pid::Timers, TimersReg::CKCON, 0x0C},
          {Pid::Timers, TimersReg::TH0, 0xB6}, {Pid::Timers, TimersReg::TH1, 0xA0},
          {Pid::Uart, UartReg::SCON0, 0x10}, {Pid::Smbus, SmbusReg::SMB0CF, 0x80},
          {Pid::Pca, PcaReg::PCA0CN, 0x40}, {Pid::Pca, PcaReg::PCA0MD, 0x02},
          {Pid::Pca, PcaReg::PCA0CPM0, 0x42}, {Pid::Pca, PcaReg::PCA0CPH0, 0x80},
          {Pid::Pca, PcaReg::PCA0CPM1, 0x46}, {Pid::Pca, PcaReg::PCA0CPH1, 0x0B},
          {Pid::PortIO, PortIOReg::XBR0, 0x05}, {Pid::PortIO, PortIOReg::XBR1, 0x42}},
         false},
        // The internal oscillator through the clock multiplier: 48 MHz SYSCLK,
        // USB from the multiplier, SPI0, ADC0 and UART1 on its own generator.
        {"multiplier", 0, 48000000, 0, 0,
         {{Pid::Oscillator, OscillatorReg::OSCICN, 0x83},
          {Pid::Oscillator, OscillatorReg::CLKMUL, 0x80},
          {Pid::Oscillator, OscillatorReg::CLKSEL, 0x03}, {Pid::Spi, SpiReg::SPI0CFG, 0x40},
          {Pid::Spi, SpiReg::SPI0CN, 0x01}, {Pid::Spi, SpiReg::SPI0CKR, 0x05},
          {Pid::Adc, AdcReg::ADC0CF, 0x78}, {Pid::Adc, AdcReg::ADC0CN, 0x80},
          {Pid::Uart, UartReg::SBRLL1, 0x30}, {Pid::Uart, UartReg::SBRLH1, 0xFF},
          {Pid::Uart, UartReg::SBCON1, 0x43}, {Pid::PortIO, PortIOReg::XBR0, 0x02},
          {Pid::PortIO, PortIOReg::XBR1, 0x40}, {Pid::PortIO, PortIOReg::XBR2, 0x01}},
         true},
        // A small package at 12 MHz: the SMBus on Timer 2's low byte with the
        // Timer 3 timeout at 25 ms; the PCA on Timer 0 overflows, CEX0 as a
        // frequency output, the watchdog on.
        {"small", 2, 12000000, 0, 0,
         {{Pid::Oscillator, OscillatorReg::OSCICN, 0x83}, {Pid::Timers, TimersReg::CKCON, 0x11},
          {Pid::Timers, TimersReg::TMR2CN, 0x0C}, {Pid::Timers, TimersReg::TMR2RLL, 0xD8},
          {Pid::Timers, TimersReg::TMR3CN, 0x04}, {Pid::Timers, TimersReg::TMR3RLL, 0x57},
          {Pid::Timers, TimersReg::TMR3RLH, 0x9E}, {Pid::Smbus, SmbusReg::SMB0CF, 0x8B},
          {Pid::Pca, PcaReg::PCA0CN, 0x40}, {Pid::Pca, PcaReg::PCA0MD, 0x04},
          {Pid::Pca, PcaReg::PCA0CPM0, 0x46}, {Pid::Pca, PcaReg::PCA0CPH0, 0x02},
          {Pid::Pca, PcaReg::PCA0CPL4, 0x0F}, {Pid::PortIO, PortIOReg::XBR0, 0x04},
          {Pid::PortIO, PortIOReg::XBR1, 0x41}},
         true},
        // The L-F oscillator as SYSCLK, USB from an RC oscillator, the PCA
        // counting the ECI pin.
        {"lowfreq", 1, 80000, 1000000, 32768,
         {{Pid::Oscillator, OscillatorReg::OSCXCN, 0x40},
          {Pid::Oscillator, OscillatorReg::OSCLCN, 0x83},
          {Pid::Oscillator, OscillatorReg::CLKSEL, 0x24}, {Pid::Pca, PcaReg::PCA0CN, 0x40},
          {Pid::Pca, PcaReg::PCA0MD, 0x06}, {Pid::Pca, PcaReg::PCA0CPM1, 0x46},
          {Pid::PortIO, PortIOReg::XBR1, 0x42}},
         false},
    };
    return projects;
}

inline const ClockProject& ClockProjectNamed(const std::string& name) {
    for (const ClockProject& p : ClockProjects())
        if (name == p.name) return p;
    return ClockProjects().front();
}
