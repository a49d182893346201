#pragma once
// The Port I/O and SPI0 records of a new project, as a Port I/O sheet gets them.

#include "chip/Crossbar.h"
#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"
#include "support/Models.h"

struct PortIOProject {
    explicit PortIOProject(int model) : large(models::IsLargePackage(models::kFirstCode + model)) {
        auto doc = NewProject(model);
        doc->GetPeripheral(port, Pid::PortIO);
        doc->GetPeripheral(spi, Pid::Spi);
    }
    std::uint8_t& Reg(int position) {
        return port.Registers.at(static_cast<std::size_t>(position)).Value;
    }
    void Skip(int pin) {
        Reg(PortIOReg::P0SKIP + pin / 8) |= static_cast<std::uint8_t>(1 << (pin % 8));
    }
    void SkipRange(int first, int last) {
        for (int pin = first; pin <= last; ++pin)
            Skip(pin);
    }

    bool Large() const { return large; }

    bool large;
    PeripheralRecord port;
    PeripheralRecord spi;
};
