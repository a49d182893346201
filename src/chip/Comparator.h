#pragma once
// The two analog comparators without widgets: what differs between them, the
// input lists, the start-up code an enabled comparator adds to the generated
// routine, Reset of the comparator record and the status texts of the pages.

#include <array>
#include <cstdint>
#include <string>

#include "chip/PinCheck.h"
#include "model/PeripheralRecord.h"

namespace comparator {

// Bits of CN, MX and MD, the same for both comparators.
inline constexpr std::uint8_t kEnable = 0x80;              // CN
inline constexpr std::uint8_t kInterruptFlags = 0x30;      // CN, cleared after start-up
inline constexpr std::uint8_t kPositiveHysteresis = 0x0C;  // CN: 0x00, 0x04, 0x08, 0x0C
inline constexpr std::uint8_t kNegativeHysteresis = 0x03;  // CN: 0 .. 3
inline constexpr std::uint8_t kPositiveInput = 0x07;       // MX: item
inline constexpr std::uint8_t kNegativeInput = 0x70;       // MX: item * 0x10
inline constexpr std::uint8_t kRisingEdge = 0x20;          // MD
inline constexpr std::uint8_t kFallingEdge = 0x10;         // MD
inline constexpr std::uint8_t kResponseTime = 0x03;        // MD: 0 fastest .. 3 lowest power
inline constexpr int kInputCount = 5;
inline constexpr int kResponseSteps = 4;

// One input of a multiplexer list: the pin it names.
struct InputPin {
    const char* Name;  // "P2.5"
    int Port;          // 0 .. 4
    int Bit;           // 0 .. 7
};
using InputList = std::array<InputPin, kInputCount>;

// A status text pair: the first when the bit is set.
struct TextPair {
    const char* Enabled;
    const char* Disabled;
};

// Everything in which the two comparator pages differ.
struct Instance {
    int Number;  // 0 or 1
    const char* PageCaption;
    int CnPosition;  // in the comparator record
    int MxPosition;
    int MdPosition;
    const char* EnableCaption;
    std::uint8_t InterruptBit;  // in EIE1
    TextPair InterruptText;
    int OutputTextId;
    std::uint8_t OutputBit;  // in XBR0
    TextPair OutputText;
    int AsyncTextId;
    std::uint8_t AsyncBit;  // in XBR0
    TextPair AsyncText;
    InputList PositiveLarge;
    InputList NegativeLarge;
    InputList PositiveSmall;
    InputList NegativeSmall;
    const char* CClearLine;  // clears the interrupt flags after start-up
    const char* AsmClearLine;
};

extern const Instance kComparator0;
extern const Instance kComparator1;
// kComparator0 or kComparator1; any other number gives the other one.
const Instance& Other(const Instance& c);

// The input lists for the model group.
const InputList& PositiveInputs(const Instance& c, bool largePackage);
const InputList& NegativeInputs(const Instance& c, bool largePackage);
// The item the MX field selects, or -1 when its value has no item (above 4).
int PositiveItem(const Instance& c, const PeripheralRecord& record);
int NegativeItem(const Instance& c, const PeripheralRecord& record);

// The texts that frame an enabled comparator's start-up: the loop counter
// of the routine, the 10 us wait and the clearing of the interrupt flags.
inline constexpr const char* kLoopCounter = "    int i = 0;\r\n";
inline constexpr const char* kCWait =
    "    for (i = 0; i < 35; i++);  // Wait 10us for initialization\r\n";
inline constexpr const char* kAsmWait =
    "    clr  A                     ; Wait 10us for initialization\r\n"
    "    djnz ACC, $\r\n";

// Sets the start-up texts after the enable bit of `c` has been written: an
// enabled comparator's CN write is followed by the wait and the flag
// clearing, and the routine declares the loop counter. A disabled one loses
// its texts; the counter goes only when the other comparator is off too.
void ApplyStartUp(PeripheralRecord& record, const Instance& c);

// Reset of either page: all six registers of both comparators back to their
// reset values, the loop counter and both start-up texts removed.
void ResetComparators(PeripheralRecord& record);

// Pin state of an input pin from a Port I/O record (port 4 pins count as
// skipped).
analog::PinState InputPinState(const PeripheralRecord& portIo, const InputPin& pin);

// The interrupt text from the interrupt record, the output and asynchronous
// output texts from the Port I/O record.
std::string InterruptText(const Instance& c, const PeripheralRecord& interrupts);
std::string OutputText(const Instance& c, const PeripheralRecord& portIo);
std::string AsyncOutputText(const Instance& c, const PeripheralRecord& portIo);

}  // namespace comparator
