#pragma once
// ADC0 without widgets: the input multiplexer lists of the two package
// groups, their lookups, the pin checks against the Port I/O record, the
// page's status texts and the SAR clock arithmetic.

#include <cstdint>
#include <string>
#include <vector>

#include "chip/Achieved.h"
#include "chip/PinCheck.h"
#include "model/PeripheralRecord.h"

namespace adc {

inline constexpr std::uint8_t kMuxField = 0x1F;  // AMX0P / AMX0N input code
inline constexpr std::uint8_t kSarField = 0xF8;  // ADC0CF bits 7..3: AD0SC
inline constexpr int kSarShift = 3;
inline constexpr std::uint8_t kLeftJustify = 0x04;    // ADC0CF
inline constexpr std::uint8_t kEnable = 0x80;         // ADC0CN
inline constexpr std::uint8_t kLowPowerTrack = 0x40;  // ADC0CN
inline constexpr std::uint8_t kStartField = 0x07;     // ADC0CN start-of-conversion source
inline constexpr std::uint8_t kStartCnvstr = 4;
inline constexpr int kMaxAd0sc = 31;

// EIE1 (in the interrupt record).
inline constexpr std::uint8_t kConversionInterrupt = 0x08;
inline constexpr std::uint8_t kWindowInterrupt = 0x04;

// A register position that a multiplexer entry does not use.
using analog::kNoRegister;

// One item of a multiplexer drop-down list.
struct AdcMuxEntry {
    std::uint8_t ItemIndex = 255;  // position in the list; 255 for the empty entry
    std::string Name;
    std::uint8_t Code = 0;          // the value of the 0x1F field
    std::uint8_t ModeRegister = 0;  // Port I/O position of the pin's PnMDIN, or kNoRegister
    std::uint8_t ModeMask = 0;
    std::uint8_t SkipRegister = 0;  // Port I/O position of the pin's PnSKIP, or kNoRegister
    std::uint8_t SkipMask = 0;

    bool operator==(const AdcMuxEntry&) const = default;
};

// The lists of one drop-down, chosen by the large-package flag.
const std::vector<AdcMuxEntry>& PositiveInputs(bool largePackage);
const std::vector<AdcMuxEntry>& NegativeInputs(bool largePackage);

// The entry at `index`, or the empty entry (AdcMuxEntry{}) when there is none.
AdcMuxEntry EntryByIndex(const std::vector<AdcMuxEntry>& list, int index);
// The entry whose code is `code`, or the empty entry.
AdcMuxEntry EntryByCode(const std::vector<AdcMuxEntry>& list, std::uint8_t code);
// The item index showing the 0x1F field of `reg`, or -1 when no item has that code.
int IndexOfRegister(const std::vector<AdcMuxEntry>& list, std::uint8_t reg);
// `reg` with its 0x1F field set to `code`; the three upper bits stay.
constexpr std::uint8_t WithMuxCode(std::uint8_t reg, std::uint8_t code) {
    return static_cast<std::uint8_t>((reg & ~kMuxField) | (code & kMuxField));
}

// How an entry's pin is set up on the Port I/O record (the internal inputs
// count as analog and skipped).
using analog::IsConfiguredProperly;
using analog::PinState;
using analog::PinStatusText;
PinState StateOf(const AdcMuxEntry& entry, const PeripheralRecord& portIo);

// The text beside an input's drop-down: "<name> selected" for the internal
// inputs (Temp Sensor, VDD on the positive side; VREF, GND on the negative
// side), else the pin status of the entry.
std::string InputText(const AdcMuxEntry& entry, const PeripheralRecord& portIo, bool positive);
// "ADC0 is in Single-ended Mode" when the negative input is GND, else
// "ADC0 is in Differential Mode".
std::string ModeText(const AdcMuxEntry& negative);
// Whether the entry is one of the internal inputs (Temp Sensor, VDD on the
// positive side; VREF, GND on the negative side), which have no pin.
bool IsInternalInput(const AdcMuxEntry& entry, bool positive);
// The CNVSTR pin: P0.6 on the small packages, P1.4 on the others.
analog::PortPin CnvstrPin(int deviceCode);
// Whether the CNVSTR pin is skipped on the crossbar.
bool IsCnvstrSkipped(int deviceCode, const PeripheralRecord& portIo);
// The CNVSTR pin check for a start-of-conversion value; empty unless the
// value is 4 (CNVSTR).
std::string CnvstrText(int deviceCode, std::uint8_t startValue, const PeripheralRecord& portIo);
// The two interrupt lines from EIE1.
std::string ConversionInterruptText(std::uint8_t eie1);
std::string WindowInterruptText(std::uint8_t eie1);

// The SAR clock: SYSCLK / (AD0SC + 1), AD0SC being ADC0CF >> 3.
std::uint32_t SarClock(std::uint32_t sysclk, std::uint8_t adc0cf);
// The SAR clock as the page shows it ("%d").
std::string SarClockText(std::uint32_t sysclk, std::uint8_t adc0cf);

// The AD0SC value for a wanted SAR clock: SYSCLK / target - 1, rounded half
// up (truncated, plus 1 when the dropped fraction is at least 0.5).
struct SarDivider {
    enum Status { Ok, InvalidInput, OutOfRange } status = InvalidInput;
    long long ad0sc = 0;  // the computed value, also when it is out of range
};
SarDivider SarDividerFor(std::uint32_t sysclk, std::uint32_t target);

// The SAR calculator: its live result line, and the AD0SC value its OK offers.
std::string SarAchievedText(const DividerFields& fields);
DividerOffer SarOffer(const DividerFields& fields);

}  // namespace adc
