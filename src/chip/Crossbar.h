#pragma once
// The priority crossbar of the Port I/O sheet without widgets: the signal,
// skip and pin-mode lists, pin placement, the check-box rules, the OK step and
// the pin-assignment comment. The crossbar page and the port 4 page only map
// these results onto their controls.
//
// Registers of the Port I/O record are addressed by their PortIOReg positions.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "devices/Registers.h"
#include "model/PeripheralRecord.h"

namespace portio {

// ---------------------------------------------------------------------------
// SPI0CN's wire-mode bits (in the SPI0 record).

inline constexpr std::uint8_t kSpi0WireMode = 0x0C;  // both clear: three-wire

// ---------------------------------------------------------------------------
// Which crossbar bit belongs to which peripheral.

namespace xbr {
// XBR0
inline constexpr std::uint8_t kUart0 = 0x01;
inline constexpr std::uint8_t kSpi0 = 0x02;
inline constexpr std::uint8_t kSmbus = 0x04;
inline constexpr std::uint8_t kSysclk = 0x08;
inline constexpr std::uint8_t kCp0 = 0x10;
inline constexpr std::uint8_t kCp0A = 0x20;
inline constexpr std::uint8_t kCp1 = 0x40;
inline constexpr std::uint8_t kCp1A = 0x80;
// XBR1
inline constexpr std::uint8_t kPcaChannels = 0x07;  // number of CEX channels routed, CEX0 upward
inline constexpr std::uint8_t kEci = 0x08;
inline constexpr std::uint8_t kT0 = 0x10;
inline constexpr std::uint8_t kT1 = 0x20;
inline constexpr std::uint8_t kCrossbarEnable = 0x40;
inline constexpr std::uint8_t kWeakPullUpDisable = 0x80;
// XBR2
inline constexpr std::uint8_t kUart1 = 0x01;
}  // namespace xbr

// Routing queries for pages that report "... is Enabled on the Crossbar".
// Each reads its bit from a Port I/O record.
bool IsUart0Routed(const PeripheralRecord& portIo);
bool IsSpi0Routed(const PeripheralRecord& portIo);
bool IsSmbusRouted(const PeripheralRecord& portIo);
bool IsSysclkRouted(const PeripheralRecord& portIo);
bool IsCp0Routed(const PeripheralRecord& portIo);
bool IsCp0ARouted(const PeripheralRecord& portIo);
bool IsCp1Routed(const PeripheralRecord& portIo);
bool IsCp1ARouted(const PeripheralRecord& portIo);
bool IsEciRouted(const PeripheralRecord& portIo);
bool IsT0Routed(const PeripheralRecord& portIo);
bool IsT1Routed(const PeripheralRecord& portIo);
bool IsUart1Routed(const PeripheralRecord& portIo);
bool IsCrossbarEnabled(const PeripheralRecord& portIo);
bool IsWeakPullUpDisabled(const PeripheralRecord& portIo);
// The XBR1 channel-count field (0 .. 7).
int PcaChannelsRouted(const PeripheralRecord& portIo);
// How the PCA module pages count CEXn as routed: CEX0 for any non-zero
// count, CEXn (n = 1 .. 4) for a count from n + 1 up to 5.
bool IsCexRouted(const PeripheralRecord& portIo, int channel);

// ---------------------------------------------------------------------------
// Pins. Crossbar pin p is port p / 8, bit p mod 8 (pin 8 is P1.0).

inline constexpr int kLargePinCount = 32;  // P0.0 .. P3.7
inline constexpr int kSmallPinCount = 25;  // P0.0 .. P3.0
inline constexpr int kMaxPinCount = 32;

constexpr int PinCount(bool largePackage) {
    return largePackage ? kLargePinCount : kSmallPinCount;
}
constexpr int PinPort(int pin) {
    return pin / 8;
}
constexpr int PinBit(int pin) {
    return pin % 8;
}
constexpr std::uint8_t PinMask(int pin) {
    return static_cast<std::uint8_t>(1u << (pin % 8));
}
constexpr int PinFromPortBit(int port, int bit) {
    return port * 8 + bit;
}
constexpr int MdinPosition(int pin) {
    return PortIOReg::P0MDIN + pin / 8;
}
constexpr int MdoutPosition(int pin) {
    return PortIOReg::P0MDOUT + pin / 8;
}
constexpr int SkipPosition(int pin) {
    return PortIOReg::P0SKIP + pin / 8;
}
// "P0.4" for pin 4.
std::string PinName(int pin);

// ---------------------------------------------------------------------------
// Control ids of the crossbar page.

inline constexpr int kIdUart0 = 11446;
inline constexpr int kIdSpi0 = 11447;
inline constexpr int kIdSmbus = 11448;
inline constexpr int kIdCp0 = 11449;
inline constexpr int kIdCp0A = 11450;
inline constexpr int kIdCp1 = 11451;
inline constexpr int kIdCp1A = 11452;
inline constexpr int kIdSysclk = 11453;
inline constexpr int kIdCex0 = 11454;  // CEX1 .. CEX4: 11455 .. 11458
inline constexpr int kIdEci = 11459;
inline constexpr int kIdTimer0 = 11460;
inline constexpr int kIdTimer1 = 11461;
inline constexpr int kIdUart1 = 11462;
inline constexpr int kFirstSignalId = kIdUart0;
inline constexpr int kLastSignalId = kIdUart1;
inline constexpr int kFirstSkipId = 11464;           // + pin, up to 11495
inline constexpr int kFirstAnalogDigitalId = 11496;  // + pin, up to 11527
inline constexpr int kFirstDriveId = 11528;          // + pin, up to 11559
inline constexpr int kIdEnableCrossbar = 11277;
inline constexpr int kIdDisableWeakPullUp = 11278;
inline constexpr int kIdLargePackageNote = 11039;
inline constexpr int kIdSmallPackageNote = 11038;

constexpr bool IsSignalId(int id) {
    return id >= kFirstSignalId && id <= kLastSignalId;
}
constexpr bool IsSkipId(int id) {
    return id >= kFirstSkipId && id < kFirstSkipId + kMaxPinCount;
}
constexpr bool IsAnalogDigitalId(int id) {
    return id >= kFirstAnalogDigitalId && id < kFirstAnalogDigitalId + kMaxPinCount;
}
constexpr bool IsDriveId(int id) {
    return id >= kFirstDriveId && id < kFirstDriveId + kMaxPinCount;
}

// A check box and its caption (empty for the boxes that stand in a row
// beside a captioned one, e.g. CP0A and CEX1 .. CEX4).
struct ControlCaption {
    int ControlId;
    const char* Caption;
};
inline constexpr std::array<ControlCaption, 17> kSignalCheckboxes = {{
    {kIdUart0, "UART0"},
    {kIdSpi0, "SPI0"},
    {kIdSmbus, "SMBus"},
    {kIdCp0, "CP0"},
    {kIdCp0A, ""},
    {kIdCp1, "CP1"},
    {kIdCp1A, ""},
    {kIdSysclk, "SYSCLK"},
    {kIdCex0, "PCA"},
    {11455, ""},
    {11456, ""},
    {11457, ""},
    {11458, ""},
    {kIdEci, "ECI"},
    {kIdTimer0, "Timer0"},
    {kIdTimer1, "Timer1"},
    {kIdUart1, "UART1"},
}};
inline constexpr ControlCaption kEnableCrossbarBox = {kIdEnableCrossbar, "Enable Crossbar"};
inline constexpr ControlCaption kDisableWeakPullUpBox = {kIdDisableWeakPullUp,
                                                         "Disable Weak Pull-Up"};

// Controls that only large-package models show.
bool IsLargePackageOnlyControl(int id);

// ---------------------------------------------------------------------------
// Fixed texts and sizes of the page.

inline constexpr const char* kSheetCaption = "Port I/O";
inline constexpr const char* kCrossbarPageCaption = "Priority Crossbar";
inline constexpr const char* kPort4PageCaption = "Ports 4 Input/Output";
inline constexpr const char* kPort4GroupCaption = "Ports 4 Input/Output Mode Selection";
inline constexpr int kCrossbarDialogId = 11040;
inline constexpr int kPort4DialogId = 11058;

inline constexpr const char* kCrossbarQuestion =
    "You have enabled peripherals on the crossbar or set\n"
    " a pin to push-pull but have not enabled the crossbar,\n"
    " would you like to do so now?";

// The pins with fixed functions, one note per model group.
inline constexpr std::array<const char*, 7> kLargePackageNote = {
    "P0.6 - X1",   "P0.7 - X2",  "P1.3 - ALE", "P1.4 - CNVSTR",
    "P1.5 - VREF", "P1.6 - /RD", "P1.7 - /WR"};
inline constexpr std::array<const char*, 4> kSmallPackageNote = {"P0.2 - X1", "P0.3 - X2",
                                                                 "P0.6 - CNVSTR", "P0.7 - VREF"};
// The note's lines for the model group, joined by "\n".
std::string FixedPinNote(bool largePackage);

inline constexpr const char* kLegendAssigned = "Assigned";
inline constexpr const char* kLegendSkipped = "Skipped";
inline constexpr std::array<const char*, 4> kLegendModeLines = {"D - Digital", "A - Analog",
                                                                "O- Open Drain", "P - Push-Pull"};
inline constexpr const char* kSkipRowCaption = "Pin Skip -->";
inline constexpr const char* kAnalogDigitalRowCaption = "Analog / Digital -->";
inline constexpr const char* kDriveRowCaption = "Push-Pull / Open Drain -->";

struct Rgb {
    int R, G, B;
};
inline constexpr Rgb kAssignedColour = {234, 0, 0};
inline constexpr Rgb kSkippedColour = {64, 128, 128};

// Pin table frame: column 0 holds row names, column p + 1 is pin p; row 0
// the port, row 1 the bit, row r + 2 signal row r.
inline constexpr int kNameColumnTwips = 800;
inline constexpr int kPinColumnTwips = 250;
inline constexpr const char* kGridCornerText = "Pin I/O";  // row 1, column 0
inline constexpr int kGridHeaderRows = 2;
// "P%d" of the pin's port and "%d" of its bit.
std::string GridPortHeader(int pin);
std::string GridBitHeader(int pin);
constexpr int GridColumnCount(int pinCount) {
    return pinCount + 1;
}
constexpr int GridRowCount(int signalCount) {
    return signalCount + kGridHeaderRows;
}
constexpr int GridColumnTwips(int column) {
    return column == 0 ? kNameColumnTwips : kPinColumnTwips;
}
constexpr int GridWidthTwips(int pinCount) {
    return kNameColumnTwips + pinCount * kPinColumnTwips;
}
// Screen pixels of a length in twips (1440 twips per inch).
constexpr int TwipsToPixels(int twips, int pixelsPerInch) {
    return twips * pixelsPerInch / 1440;
}

// ---------------------------------------------------------------------------
// Entries and pin assignments.

// One binding of a check box (or mode button) to register bits, with the
// signal's place in the crossbar where it has one.
struct CrossbarEntry {
    std::string GridName;
    int GridRow = 0;
    int LowestPin = 0;  // -2 in both: the signal is not routed
    int HighestPin = 0;
    int CheckboxId = 0;
    std::string PinLabel;  // 13 characters
    std::uint8_t RegisterPosition = 0;
    std::uint8_t Mask = 0;
    std::uint8_t Count = 0;  // 0 for single bits; the channel count for CEXn
};

inline constexpr int kNotRouted = -2;

// One crossbar pin of the current placement.
struct PinAssignment {
    bool Free = true;
    std::string Label;  // 13 characters
};

inline constexpr const char* kUnassignedLabel = "Unassigned,  ";
inline constexpr const char* kSkippedLabel = "Skipped,     ";
inline constexpr const char* kSkippedGridName = "Skipped";

// The entry is on when (Value & Mask) is non-zero and not below Count.
bool IsEntryOn(const PeripheralRecord& portIo, const CrossbarEntry& entry);
// Writes a check box state into the entry's bits: single bits are set or
// cleared; the PCA channel-count field becomes Count when checked, Count - 1
// when unchecked.
void ApplyCheckbox(PeripheralRecord& portIo, const CrossbarEntry& entry, bool checked);

// The lists the page builds when it is opened.
// Signals in priority order; UART1 only on large-package models, and NSS
// named "NSS*" and never routed in three-wire mode.
std::vector<CrossbarEntry> BuildSignalList(bool largePackage, bool threeWire);
// One skip entry per crossbar pin.
std::vector<CrossbarEntry> BuildSkipList(int pinCount);
// One PnMDIN / PnMDOUT entry per pin 0 .. 31, whatever the model.
std::vector<CrossbarEntry> BuildAnalogDigitalList();
std::vector<CrossbarEntry> BuildDriveList();
// The port 4 page's buttons, bit 7 first (their order left to right).
std::vector<CrossbarEntry> BuildPort4AnalogDigitalList();
std::vector<CrossbarEntry> BuildPort4DriveList();
// Three-wire mode: SPI0CN bits 0x0C both clear. A record without SPI0CN
// counts as four-wire, the reset state.
bool IsThreeWire(const PeripheralRecord& spi0);

// ---------------------------------------------------------------------------
// Control states.

struct CheckState {
    int ControlId;
    bool Checked;
};

// A push-like mode button: pressed and caption "D" / "P" when its bit is
// set, "A" / "O" when clear.
struct ButtonState {
    int ControlId;
    bool Pressed;
    std::string Caption;
};

// The state of a mode button bound to a PnMDIN (D/A) or PnMDOUT (P/O) bit.
ButtonState ModeButtonState(const PeripheralRecord& portIo, const CrossbarEntry& button);
// Sets or clears the button's bit to its new pressed state and returns the
// state to show.
ButtonState ApplyModeButton(PeripheralRecord& portIo, const CrossbarEntry& button, bool pressed);

enum class EnableAction { Enable, Disable, Leave };

struct CheckboxEnable {
    int CheckboxId;
    EnableAction Action;
};

struct ControlStates {
    std::vector<CheckState> Checks;    // signal and skip boxes, then 11277 and 11278
    std::vector<ButtonState> Buttons;  // analog/digital buttons, then drive buttons
};

// ---------------------------------------------------------------------------
// The OK step.

// XBR0, XBR2 and P0MDOUT .. P4MDOUT at their reset values and XBR1 differing
// from its reset value in bit 0x80 at most.
bool IsUntouched(const PeripheralRecord& portIo);
// The record is not untouched and the crossbar is not enabled: OK asks
// kCrossbarQuestion, and Yes sets XBR1 0x40.
bool NeedsCrossbarQuestion(const PeripheralRecord& portIo);
void EnableCrossbar(PeripheralRecord& portIo);

// The pin-assignment comment: C and assembly texts for the first `pinCount`
// pins, from their labels and the PnMDIN / PnMDOUT bits.
struct PinComment {
    std::string C;
    std::string Asm;
};
PinComment MakePinComment(const PeripheralRecord& portIo, const std::vector<PinAssignment>& pins,
                          int pinCount);

// ---------------------------------------------------------------------------
// The crossbar as the page holds it for one opening of the sheet.

// What the pin table shows after a placement.
struct CrossbarDecode {
    std::vector<PinAssignment> Pins;  // one per crossbar pin
    std::vector<int> SkippedPins;     // pin columns in the skipped colour, ascending
    struct Cell {
        int GridRow;
        int Pin;
        bool operator==(const Cell&) const = default;
    };
    std::vector<Cell> AssignedCells;  // (signal row, pin) cells in the assigned colour
};

class CCrossbar {
public:
    // Builds the four lists; the model group and the SPI0 wire mode are read
    // now and kept for the life of the sheet.
    CCrossbar(bool largePackage, const PeripheralRecord& spi0);

    bool LargePackage() const { return largePackage_; }
    bool ThreeWire() const { return threeWire_; }
    int PinCount() const { return pinCount_; }

    const std::vector<CrossbarEntry>& SignalList() const { return signals_; }
    const std::vector<CrossbarEntry>& SkipList() const { return skips_; }
    const std::vector<CrossbarEntry>& AnalogDigitalList() const { return analogDigital_; }
    const std::vector<CrossbarEntry>& DriveList() const { return drive_; }

    // The first signal / skip entry bound to a control, or null.
    const CrossbarEntry* FindSignal(int checkboxId) const;
    const CrossbarEntry* FindSkip(int checkboxId) const;
    // The analog/digital or drive entry of a button id, or null.
    const CrossbarEntry* FindModeButton(int buttonId) const;

    // Places skipped pins, then every signal that is on in priority order on
    // the lowest free pin of its range; keeps and returns the result.
    const CrossbarDecode& DecodeCrossbar(const PeripheralRecord& portIo);
    // The placement of the last DecodeCrossbar (all pins unassigned before).
    const CrossbarDecode& LastDecode() const { return decode_; }

    // True when turning the entry on would still leave a pin for every
    // routed signal then on. Changes the entry's register for the test and
    // puts the value back.
    bool FitsWithCheckbox(PeripheralRecord& portIo, const CrossbarEntry& entry) const;

    // Per signal box (once per run of equal ids) and per skip box: Enable or
    // Disable for unchecked boxes, Leave for checked ones. Check marks follow
    // the record, as the control states set them.
    std::vector<CheckboxEnable> EnableRule(PeripheralRecord& portIo) const;

    // Check marks and mode buttons as a full refresh sets them.
    ControlStates ControlStatesOf(const PeripheralRecord& portIo) const;

    // Everything a full refresh shows: placement, control states, enables.
    struct Refresh {
        ControlStates States;
        std::vector<CheckboxEnable> Enables;
    };
    Refresh FullRefresh(PeripheralRecord& portIo);

    // A click on a signal or skip box: applies the first signal and the
    // first skip entry bound to it, decodes, and runs the enable rule.
    // ControlStatesChanged: a PCA box moved the channel count, so the page
    // sets every check mark again from ControlStatesOf.
    struct Click {
        bool Handled = false;  // the id is a signal or skip box
        bool ControlStatesChanged = false;
        std::vector<CheckboxEnable> Enables;
    };
    Click ClickCheckbox(PeripheralRecord& portIo, int checkboxId, bool checked);

    // Writes the comment of the last placement into CPrologue / AsmPrologue.
    void BuildPinComment(PeripheralRecord& portIo) const;

private:
    bool largePackage_;
    bool threeWire_;
    int pinCount_;
    std::vector<CrossbarEntry> signals_;
    std::vector<CrossbarEntry> skips_;
    std::vector<CrossbarEntry> analogDigital_;
    std::vector<CrossbarEntry> drive_;
    CrossbarDecode decode_;
};

}  // namespace portio
