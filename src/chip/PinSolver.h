#pragma once
// The reverse of the crossbar placement: given where the board wants some
// signals ("SDA on P1.2"), find the skip bits that put them there. The
// solver routes each named signal's peripheral, enables the crossbar and adds
// the fewest skips (among equally few, the lowest pins) with which the
// crossbar placement lands every named signal on its pin and still gives
// every routed signal a pin. It only ever adds skips; pins the user skipped
// stay skipped. Every placement it tries is the crossbar's own (CCrossbar).
//
// A refusal names the wish that cannot be met, the pin and why; the record is
// then returned as it came.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chip/Crossbar.h"
#include "model/PeripheralRecord.h"

namespace chip {
class Project;
}

namespace portio {

// A wanted placement: a signal by its row in the pin table (GridRow, in the
// large-package order: 0 TX0 ... 22 RX1) and a crossbar pin (8 is P1.0).
struct PinWish {
    int Signal = 0;
    int Pin = 0;
    bool operator==(const PinWish&) const = default;
};

// The signal rows by name ("SDA", any case) and back; nothing for a name
// that is no signal of the crossbar.
std::optional<int> SignalByName(std::string_view name);
std::string SignalName(int row);
// "P1.2" (any case) for P0.0 ... P3.7; nothing otherwise.
std::optional<int> PinByName(std::string_view name);

// Why a wish cannot be met.
struct PinRefusal {
    std::string Signal;  // "SDA"
    std::string Pin;     // "P1.2"
    std::string Reason;  // "P1.2 is skipped, and skips are only ever added"
    // "SDA=P1.2: " followed by the reason.
    std::string Text() const;
};

// Where a routed signal lands.
struct SignalLanding {
    int Signal = 0;  // its row
    int Pin = -1;    // -1: it finds no pin
    bool Wanted = false;
    bool operator==(const SignalLanding&) const = default;
};

struct PinPlan {
    std::optional<PinRefusal> Refusal;  // set when the wishes cannot all be met
    // The solved Port I/O record with its pin-map comment; the record as it
    // came on a refusal.
    PeripheralRecord PortIo;
    std::vector<int> AddedSkips;          // ascending
    std::vector<SignalLanding> Landings;  // every routed signal, in priority order
    bool Solved() const { return !Refusal; }
};

// Solves the wishes on a Port I/O record of a model group, with the SPI0
// record that decides the wire mode. Wishes for the same signal and pin
// count once.
PinPlan SolvePins(const PeripheralRecord& portIo, bool largePackage, const PeripheralRecord& spi0,
                  const std::vector<PinWish>& wishes);
PinPlan SolvePins(const chip::Project& project, const std::vector<PinWish>& wishes);

// Every routed signal of the crossbar's last placement, in priority order,
// with its pin (or -1) and whether it is among `wishes`.
std::vector<SignalLanding> LandingsOf(const CCrossbar& crossbar, const PeripheralRecord& portIo,
                                      const std::vector<PinWish>& wishes = {});

}  // namespace portio
