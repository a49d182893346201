#pragma once
// Hand-worked projects for the clock tree: each sets the registers and clock
// words a user would reach through the sheets, so the clock model and the
// pages can be compared on them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chip/PcaRecord.h"
#include "devices/Q7R2xDoc.h"

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
        for (const ClockPoke& p : pokes) {
            PeripheralRecord r;
            doc->GetPeripheral(r, p.id);
            r.Registers.at(static_cast<std::size_t>(p.position)).Value = p.value;
            doc->SetPeripheral(r, p.id);
        }
        if (!watchdog) {
            PeripheralRecord r;
            doc->GetPeripheral(r, Pid::Pca);
            pca::SetWatchdogTexts(r, pca::Watchdog::Disabled);
            doc->SetPeripheral(r, Pid::Pca);
        }
        return doc;
    }
};

// Record positions used below: oscillators 0 OSCXCN, 1 OSCICN, 2 OSCLCN,
// 3 CLKMUL, 4 CLKSEL; timers 0 TCON, 1 TMOD, 2 CKCON, 5 TH0, 6 TH1, 7 TMR2CN,
// 8 TMR2RLL, 12 TMR3CN, 13 TMR3RLL, 14 TMR3RLH; UART 0 SCON0, 1 SBRLL1,
// 2 SBRLH1, 5 SBCON1; SPI 0 SPI0CFG, 1 SPI0CN, 2 SPI0CKR; ADC 2 ADC0CF,
// 3 ADC0CN; PCA 0 PCA0CN, 1 PCA0MD, 2.. PCA0CPMn, 9.. PCA0CPLn, 14.. PCA0CPHn;
// Port I/O 14 XBR0, 15 XBR1, 16 XBR2.
inline const std::vector<ClockProject>& ClockProjects() {
    static const std::vector<ClockProject> projects = {
        // A 22.1184 MHz crystal as SYSCLK; Timer 1 in 8-bit auto-reload for
        // 115200 baud on UART0; the SMBus on Timer 0 near 100 kHz; the PCA on
        // SYSCLK / 4 with CEX0 in 8-bit PWM and CEX1 as a frequency output.
        {"crystal",
         0,
         22118400,
         22118400,
         0,
         {{Pid::Oscillator, 0, 0x67},
          {Pid::Oscillator, 4, 0x01},
          {Pid::Timers, 0, 0x50},
          {Pid::Timers, 1, 0x22},
          {Pid::Timers, 2, 0x0C},
          {Pid::Timers, 5, 0xB6},
          {Pid::Timers, 6, 0xA0},
          {Pid::Uart, 0, 0x10},
          {Pid::Smbus, 0, 0x80},
          {Pid::Pca, 0, 0x40},
          {Pid::Pca, 1, 0x02},
          {Pid::Pca, 2, 0x42},
          {Pid::Pca, 14, 0x80},
          {Pid::Pca, 3, 0x46},
          {Pid::Pca, 15, 0x0B},
          {Pid::PortIO, 14, 0x05},
          {Pid::PortIO, 15, 0x42}},
         false},
        // The internal oscillator through the clock multiplier: 48 MHz SYSCLK,
        // USB from the multiplier, SPI0, ADC0 and UART1 on its own generator.
        {"multiplier",
         0,
         48000000,
         0,
         0,
         {{Pid::Oscillator, 1, 0x83},
          {Pid::Oscillator, 3, 0x80},
          {Pid::Oscillator, 4, 0x03},
          {Pid::Spi, 0, 0x40},
          {Pid::Spi, 1, 0x01},
          {Pid::Spi, 2, 0x05},
          {Pid::Adc, 2, 0x78},
          {Pid::Adc, 3, 0x80},
          {Pid::Uart, 1, 0x30},
          {Pid::Uart, 2, 0xFF},
          {Pid::Uart, 5, 0x43},
          {Pid::PortIO, 14, 0x02},
          {Pid::PortIO, 15, 0x40},
          {Pid::PortIO, 16, 0x01}},
         true},
        // A small package at 12 MHz: the SMBus on Timer 2's low byte with the
        // Timer 3 timeout at 25 ms; the PCA on Timer 0 overflows, CEX0 as a
        // frequency output, the watchdog on.
        {"small",
         2,
         12000000,
         0,
         0,
         {{Pid::Oscillator, 1, 0x83},
          {Pid::Timers, 2, 0x11},
          {Pid::Timers, 7, 0x0C},
          {Pid::Timers, 8, 0xD8},
          {Pid::Timers, 12, 0x04},
          {Pid::Timers, 13, 0x57},
          {Pid::Timers, 14, 0x9E},
          {Pid::Smbus, 0, 0x8B},
          {Pid::Pca, 0, 0x40},
          {Pid::Pca, 1, 0x04},
          {Pid::Pca, 2, 0x46},
          {Pid::Pca, 14, 0x02},
          {Pid::Pca, 13, 0x0F},
          {Pid::PortIO, 14, 0x04},
          {Pid::PortIO, 15, 0x41}},
         true},
        // The L-F oscillator as SYSCLK, USB from an RC oscillator, the PCA
        // counting the ECI pin.
        {"lowfreq",
         1,
         80000,
         1000000,
         32768,
         {{Pid::Oscillator, 0, 0x40},
          {Pid::Oscillator, 2, 0x83},
          {Pid::Oscillator, 4, 0x24},
          {Pid::Pca, 0, 0x40},
          {Pid::Pca, 1, 0x06},
          {Pid::Pca, 3, 0x46},
          {Pid::PortIO, 15, 0x42}},
         false},
    };
    return projects;
}

inline const ClockProject& ClockProjectNamed(const std::string& name) {
    for (const ClockProject& p : ClockProjects())
        if (name == p.name) return p;
    return ClockProjects().front();
}
