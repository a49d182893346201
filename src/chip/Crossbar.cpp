#include "chip/Crossbar.h"

#include "devices/Registers.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace portio {

namespace {

constexpr const char* kCrLf = "\r\n";

std::uint8_t ValueAt(const PeripheralRecord& rec, int position) {
    return rec.Registers[static_cast<std::size_t>(position)].Value;
}

std::uint8_t& ValueAt(PeripheralRecord& rec, int position) {
    return rec.Registers[static_cast<std::size_t>(position)].Value;
}

bool Bit(const PeripheralRecord& rec, int position, std::uint8_t mask) {
    return (ValueAt(rec, position) & mask) != 0;
}

void SetBits(PeripheralRecord& rec, bool on, int position, std::uint8_t mask) {
    if (on)
        ValueAt(rec, position) |= mask;
    else
        ValueAt(rec, position) &= static_cast<std::uint8_t>(~mask);
}

void SetField(PeripheralRecord& rec, int position, std::uint8_t clearMask, std::uint8_t value) {
    ValueAt(rec, position) =
        static_cast<std::uint8_t>((ValueAt(rec, position) & ~clearMask) | value);
}

// One row of the signal table, in priority order.
struct SignalRow {
    const char* GridName;
    const char* PinLabel;
    int CheckboxId;
    int Position;
    std::uint8_t Mask;
    std::uint8_t Count;
    int LowestPin;
    int HighestPin;
};

constexpr SignalRow kSignalRows[] = {
    {"TX0", "TX0 (UART0), ", kIdUart0, PortIOReg::XBR0, xbr::kUart0, 0, 4, 4},
    {"RX0", "RX0 (UART0), ", kIdUart0, PortIOReg::XBR0, xbr::kUart0, 0, 5, 5},
    {"SCK", "SCK  (SPI0), ", kIdSpi0, PortIOReg::XBR0, xbr::kSpi0, 0, 0, 28},
    {"MISO", "MISO (SPI0), ", kIdSpi0, PortIOReg::XBR0, xbr::kSpi0, 0, 1, 29},
    {"MOSI", "MOSI (SPI0), ", kIdSpi0, PortIOReg::XBR0, xbr::kSpi0, 0, 2, 30},
    {"NSS", "NSS  (SPI0), ", kIdSpi0, PortIOReg::XBR0, xbr::kSpi0, 0, 3, 31},
    {"SDA", "SDA (SMBus), ", kIdSmbus, PortIOReg::XBR0, xbr::kSmbus, 0, 0, 30},
    {"SCL", "SCL (SMBus), ", kIdSmbus, PortIOReg::XBR0, xbr::kSmbus, 0, 1, 31},
    {"CP0", "CP0  (Cmp0), ", kIdCp0, PortIOReg::XBR0, xbr::kCp0, 0, 0, 31},
    {"CP0A", "CP0A (Cmp0), ", kIdCp0A, PortIOReg::XBR0, xbr::kCp0A, 0, 0, 31},
    {"CP1", "CP1  (Cmp1), ", kIdCp1, PortIOReg::XBR0, xbr::kCp1, 0, 0, 31},
    {"CP1A", "CP1A (Cmp1), ", kIdCp1A, PortIOReg::XBR0, xbr::kCp1A, 0, 0, 31},
    {"SYSCLK", "SYSCLK,      ", kIdSysclk, PortIOReg::XBR0, xbr::kSysclk, 0, 0, 31},
    {"CEX0", "CEX0  (PCA), ", kIdCex0, PortIOReg::XBR1, xbr::kPcaChannels, 1, 0, 31},
    {"CEX1", "CEX1  (PCA), ", kIdCex0 + 1, PortIOReg::XBR1, xbr::kPcaChannels, 2, 1, 31},
    {"CEX2", "CEX2  (PCA), ", kIdCex0 + 2, PortIOReg::XBR1, xbr::kPcaChannels, 3, 2, 31},
    {"CEX3", "CEX3  (PCA), ", kIdCex0 + 3, PortIOReg::XBR1, xbr::kPcaChannels, 4, 3, 31},
    {"CEX4", "CEX4  (PCA), ", kIdCex0 + 4, PortIOReg::XBR1, xbr::kPcaChannels, 5, 4, 31},
    {"ECI", "ECI,         ", kIdEci, PortIOReg::XBR1, xbr::kEci, 0, 0, 31},
    {"T0", "T0  (Timr0), ", kIdTimer0, PortIOReg::XBR1, xbr::kT0, 0, 0, 31},
    {"T1", "T1  (Timr1), ", kIdTimer1, PortIOReg::XBR1, xbr::kT1, 0, 0, 31},
    {"TX1", "TX1 (UART1), ", kIdUart1, PortIOReg::XBR2, xbr::kUart1, 0, 0, 30},
    {"RX1", "RX1 (UART1), ", kIdUart1, PortIOReg::XBR2, xbr::kUart1, 0, 1, 31},
};
constexpr int kNssRow = 5;
constexpr int kSmallPackageSignalCount = 21;  // UART1's two rows need the large package

// Skipped pins first, then each signal that is on, in list order, on the
// lowest free pin of its range. Reports placements to `sink` and returns
// false when a routed signal found no pin.
template <class Sink>
bool Place(const PeripheralRecord& rec, const std::vector<CrossbarEntry>& skips,
           const std::vector<CrossbarEntry>& signals, int pinCount, Sink&& sink) {
    std::uint32_t taken = 0;
    for (const auto& s : skips) {
        const std::uint32_t pinBit = 1u << s.LowestPin;
        if (Bit(rec, s.RegisterPosition, s.Mask) && !(taken & pinBit)) {
            taken |= pinBit;
            sink.Skipped(s.LowestPin);
        }
    }
    bool allPlaced = true;
    for (const auto& e : signals) {
        if (!IsEntryOn(rec, e) || e.LowestPin == kNotRouted) continue;
        const int last = std::min(e.HighestPin, pinCount - 1);
        int pin = e.LowestPin;
        while (pin <= last && (taken & (1u << pin)))
            ++pin;
        if (pin > last) {
            allPlaced = false;
            continue;
        }
        taken |= 1u << pin;
        sink.Assigned(e, pin);
    }
    return allPlaced;
}

struct NoSink {
    void Skipped(int) {}
    void Assigned(const CrossbarEntry&, int) {}
};

struct DecodeSink {
    CrossbarDecode& out;
    void Skipped(int pin) {
        auto& p = out.Pins[static_cast<std::size_t>(pin)];
        p.Free = false;
        p.Label = kSkippedLabel;
        out.SkippedPins.push_back(pin);
    }
    void Assigned(const CrossbarEntry& e, int pin) {
        auto& p = out.Pins[static_cast<std::size_t>(pin)];
        p.Free = false;
        p.Label = e.PinLabel;
        out.AssignedCells.push_back({e.GridRow, pin});
    }
};

CrossbarEntry PinEntry(int pin, int firstId, int position, std::uint8_t mask) {
    CrossbarEntry e;
    e.LowestPin = e.HighestPin = pin;
    e.CheckboxId = firstId + pin;
    e.RegisterPosition = static_cast<std::uint8_t>(position);
    e.Mask = mask;
    return e;
}

std::vector<CrossbarEntry> Port4List(int position, bool drive) {
    // Buttons left to right, bit 7 down to bit 0.
    static constexpr int kAnalogDigitalIds[8] = {11409, 11410, 11411, 11412,
                                                 11413, 11415, 11416, 11417};
    static constexpr int kDriveIds[8] = {11414, 11424, 11423, 11422, 11421, 11420, 11419, 11418};
    std::vector<CrossbarEntry> list;
    for (int i = 0; i < 8; ++i) {
        CrossbarEntry e;
        e.LowestPin = e.HighestPin = kNotRouted;
        e.CheckboxId = drive ? kDriveIds[i] : kAnalogDigitalIds[i];
        e.RegisterPosition = static_cast<std::uint8_t>(position);
        e.Mask = static_cast<std::uint8_t>(0x80 >> i);
        list.push_back(e);
    }
    return list;
}

}  // namespace

// --- routing queries ---------------------------------------------------------

bool IsUart0Routed(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR0, xbr::kUart0);
}
bool IsSpi0Routed(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR0, xbr::kSpi0);
}
bool IsSmbusRouted(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR0, xbr::kSmbus);
}
bool IsSysclkRouted(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR0, xbr::kSysclk);
}
bool IsCp0Routed(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR0, xbr::kCp0);
}
bool IsCp0ARouted(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR0, xbr::kCp0A);
}
bool IsCp1Routed(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR0, xbr::kCp1);
}
bool IsCp1ARouted(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR0, xbr::kCp1A);
}
bool IsEciRouted(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR1, xbr::kEci);
}
bool IsT0Routed(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR1, xbr::kT0);
}
bool IsT1Routed(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR1, xbr::kT1);
}
bool IsUart1Routed(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR2, xbr::kUart1);
}
bool IsCrossbarEnabled(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR1, xbr::kCrossbarEnable);
}
bool IsWeakPullUpDisabled(const PeripheralRecord& r) {
    return Bit(r, PortIOReg::XBR1, xbr::kWeakPullUpDisable);
}

int PcaChannelsRouted(const PeripheralRecord& r) {
    return ValueAt(r, PortIOReg::XBR1) & xbr::kPcaChannels;
}

bool IsCexRouted(const PeripheralRecord& r, int channel) {
    const int count = PcaChannelsRouted(r);
    if (channel == 0) return count != 0;
    return channel >= 1 && channel <= 4 && count > channel && count <= 5;
}

// --- pins, controls, texts ---------------------------------------------------

std::string PinName(int pin) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "P%d.%d", PinPort(pin), PinBit(pin));
    return buf;
}

bool IsLargePackageOnlyControl(int id) {
    if (id == kIdUart1) return true;
    for (int first : {kFirstSkipId, kFirstAnalogDigitalId, kFirstDriveId})
        if (id >= first + kSmallPinCount && id < first + kLargePinCount) return true;
    return false;
}

std::string FixedPinNote(bool largePackage) {
    std::string text;
    auto add = [&text](const char* line) {
        if (!text.empty()) text += '\n';
        text += line;
    };
    if (largePackage)
        for (const char* line : kLargePackageNote)
            add(line);
    else
        for (const char* line : kSmallPackageNote)
            add(line);
    return text;
}

std::string GridPortHeader(int pin) {
    return "P" + std::to_string(PinPort(pin));
}
std::string GridBitHeader(int pin) {
    return std::to_string(PinBit(pin));
}

// --- entries ------------------------------------------------------------------

bool IsEntryOn(const PeripheralRecord& rec, const CrossbarEntry& e) {
    const int bits = ValueAt(rec, e.RegisterPosition) & e.Mask;
    return bits != 0 && bits >= e.Count;
}

void ApplyCheckbox(PeripheralRecord& rec, const CrossbarEntry& e, bool checked) {
    if (e.Count == 0)
        SetBits(rec, checked, e.RegisterPosition, e.Mask);
    else
        SetField(rec, e.RegisterPosition, e.Mask,
                 static_cast<std::uint8_t>(checked ? e.Count : e.Count - 1));
}

std::vector<CrossbarEntry> BuildSignalList(bool largePackage, bool threeWire) {
    const int rows =
        largePackage ? static_cast<int>(std::size(kSignalRows)) : kSmallPackageSignalCount;
    std::vector<CrossbarEntry> list;
    list.reserve(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        const SignalRow& row = kSignalRows[r];
        CrossbarEntry e;
        e.GridName = row.GridName;
        e.GridRow = r;
        e.LowestPin = row.LowestPin;
        e.HighestPin = row.HighestPin;
        e.CheckboxId = row.CheckboxId;
        e.PinLabel = row.PinLabel;
        e.RegisterPosition = static_cast<std::uint8_t>(row.Position);
        e.Mask = row.Mask;
        e.Count = row.Count;
        if (r == kNssRow && threeWire) {
            // Without NSS the SPI takes only three pins.
            e.GridName = "NSS*";
            e.LowestPin = e.HighestPin = kNotRouted;
        }
        list.push_back(std::move(e));
    }
    return list;
}

std::vector<CrossbarEntry> BuildSkipList(int pinCount) {
    std::vector<CrossbarEntry> list;
    for (int p = 0; p < pinCount; ++p) {
        CrossbarEntry e = PinEntry(p, kFirstSkipId, SkipPosition(p), PinMask(p));
        e.GridName = kSkippedGridName;
        e.PinLabel = kSkippedLabel;
        list.push_back(std::move(e));
    }
    return list;
}

std::vector<CrossbarEntry> BuildAnalogDigitalList() {
    std::vector<CrossbarEntry> list;
    for (int p = 0; p < kMaxPinCount; ++p)
        list.push_back(PinEntry(p, kFirstAnalogDigitalId, MdinPosition(p), PinMask(p)));
    return list;
}

std::vector<CrossbarEntry> BuildDriveList() {
    std::vector<CrossbarEntry> list;
    for (int p = 0; p < kMaxPinCount; ++p)
        list.push_back(PinEntry(p, kFirstDriveId, MdoutPosition(p), PinMask(p)));
    return list;
}

std::vector<CrossbarEntry> BuildPort4AnalogDigitalList() {
    return Port4List(PortIOReg::P4MDIN, false);
}
std::vector<CrossbarEntry> BuildPort4DriveList() {
    return Port4List(PortIOReg::P4MDOUT, true);
}

bool IsThreeWire(const PeripheralRecord& spi0) {
    if (spi0.Registers.size() <= static_cast<std::size_t>(SpiReg::SPI0CN)) return false;
    return (ValueAt(spi0, SpiReg::SPI0CN) & kSpi0WireMode) == 0;
}

// --- mode buttons -------------------------------------------------------------

ButtonState ModeButtonState(const PeripheralRecord& rec, const CrossbarEntry& b) {
    const bool set = Bit(rec, b.RegisterPosition, b.Mask);
    const bool drive = b.RegisterPosition >= PortIOReg::P0MDOUT;
    const char* caption = drive ? (set ? "P" : "O") : (set ? "D" : "A");
    return {b.CheckboxId, set, caption};
}

ButtonState ApplyModeButton(PeripheralRecord& rec, const CrossbarEntry& b, bool pressed) {
    SetBits(rec, pressed, b.RegisterPosition, b.Mask);
    return ModeButtonState(rec, b);
}

// --- OK step ------------------------------------------------------------------

bool IsUntouched(const PeripheralRecord& rec) {
    auto atReset = [&rec](int position) {
        const auto& e = rec.Registers[static_cast<std::size_t>(position)];
        return e.Value == e.ResetValue;
    };
    if (!atReset(PortIOReg::XBR0) || !atReset(PortIOReg::XBR2)) return false;
    for (int pos = PortIOReg::P0MDOUT; pos <= PortIOReg::P4MDOUT; ++pos)
        if (!atReset(pos)) return false;
    const auto& xbr1 = rec.Registers[static_cast<std::size_t>(PortIOReg::XBR1)];
    return ((xbr1.Value ^ xbr1.ResetValue) & ~xbr::kWeakPullUpDisable) == 0;
}

bool NeedsCrossbarQuestion(const PeripheralRecord& rec) {
    return !IsUntouched(rec) && !IsCrossbarEnabled(rec);
}

void EnableCrossbar(PeripheralRecord& rec) {
    SetBits(rec, true, PortIOReg::XBR1, xbr::kCrossbarEnable);
}

PinComment MakePinComment(const PeripheralRecord& rec, const std::vector<PinAssignment>& pins,
                          int pinCount) {
    PinComment out;
    for (int p = 0; p < pinCount; ++p) {
        if (p != 0 && p % 8 == 0) {
            out.C += kCrLf;
            out.Asm += kCrLf;
        }
        const std::string& label = static_cast<std::size_t>(p) < pins.size()
                                       ? pins[static_cast<std::size_t>(p)].Label
                                       : std::string(kUnassignedLabel);
        const char* drive =
            Bit(rec, MdoutPosition(p), PinMask(p)) ? "Push-Pull,  " : "Open-Drain, ";
        const char* mode = Bit(rec, MdinPosition(p), PinMask(p)) ? "Digital" : "Analog";
        const std::string rest = PinName(p) + "  -  " + label + drive + mode + kCrLf;
        out.C += "    // " + rest;
        out.Asm += "    ; " + rest;
    }
    out.C += kCrLf;
    out.Asm += kCrLf;
    return out;
}

// --- CCrossbar ----------------------------------------------------------------

CCrossbar::CCrossbar(bool largePackage, const PeripheralRecord& spi0)
    : largePackage_(largePackage),
      threeWire_(IsThreeWire(spi0)),
      pinCount_(portio::PinCount(largePackage)),
      signals_(BuildSignalList(largePackage, threeWire_)),
      skips_(BuildSkipList(pinCount_)),
      analogDigital_(BuildAnalogDigitalList()),
      drive_(BuildDriveList()) {
    decode_.Pins.assign(static_cast<std::size_t>(pinCount_), PinAssignment{true, kUnassignedLabel});
}

const CrossbarEntry* CCrossbar::FindSignal(int id) const {
    for (const auto& e : signals_)
        if (e.CheckboxId == id) return &e;
    return nullptr;
}

const CrossbarEntry* CCrossbar::FindSkip(int id) const {
    if (!IsSkipId(id) || id - kFirstSkipId >= pinCount_) return nullptr;
    return &skips_[static_cast<std::size_t>(id - kFirstSkipId)];
}

const CrossbarEntry* CCrossbar::FindModeButton(int id) const {
    if (IsAnalogDigitalId(id))
        return &analogDigital_[static_cast<std::size_t>(id - kFirstAnalogDigitalId)];
    if (IsDriveId(id)) return &drive_[static_cast<std::size_t>(id - kFirstDriveId)];
    return nullptr;
}

const CrossbarDecode& CCrossbar::DecodeCrossbar(const PeripheralRecord& rec) {
    decode_.Pins.assign(static_cast<std::size_t>(pinCount_), PinAssignment{true, kUnassignedLabel});
    decode_.SkippedPins.clear();
    decode_.AssignedCells.clear();
    Place(rec, skips_, signals_, pinCount_, DecodeSink{decode_});
    return decode_;
}

bool CCrossbar::FitsWithCheckbox(PeripheralRecord& rec, const CrossbarEntry& e) const {
    std::uint8_t& value = ValueAt(rec, e.RegisterPosition);
    const std::uint8_t remembered = value;
    if (e.Count == 0)
        value |= e.Mask;
    else
        value = static_cast<std::uint8_t>((value & ~e.Mask) | e.Count);
    const bool fits = Place(rec, skips_, signals_, pinCount_, NoSink{});
    value = remembered;
    return fits;
}

std::vector<CheckboxEnable> CCrossbar::EnableRule(PeripheralRecord& rec) const {
    std::vector<CheckboxEnable> out;
    out.reserve(signals_.size() + skips_.size());
    auto judge = [&](const CrossbarEntry& e) {
        if (IsEntryOn(rec, e))
            out.push_back({e.CheckboxId, EnableAction::Leave});
        else
            out.push_back({e.CheckboxId, FitsWithCheckbox(rec, e) ? EnableAction::Enable
                                                                  : EnableAction::Disable});
    };
    for (std::size_t i = 0; i < signals_.size(); ++i)
        if (i == 0 || signals_[i].CheckboxId != signals_[i - 1].CheckboxId) judge(signals_[i]);
    for (const auto& s : skips_)
        judge(s);
    return out;
}

ControlStates CCrossbar::ControlStatesOf(const PeripheralRecord& rec) const {
    ControlStates st;
    for (std::size_t i = 0; i < signals_.size(); ++i)
        if (i == 0 || signals_[i].CheckboxId != signals_[i - 1].CheckboxId)
            st.Checks.push_back({signals_[i].CheckboxId, IsEntryOn(rec, signals_[i])});
    for (const auto& s : skips_)
        st.Checks.push_back({s.CheckboxId, IsEntryOn(rec, s)});
    st.Checks.push_back({kIdEnableCrossbar, IsCrossbarEnabled(rec)});
    st.Checks.push_back({kIdDisableWeakPullUp, IsWeakPullUpDisabled(rec)});
    for (const auto& b : analogDigital_)
        st.Buttons.push_back(ModeButtonState(rec, b));
    for (const auto& b : drive_)
        st.Buttons.push_back(ModeButtonState(rec, b));
    return st;
}

CCrossbar::Refresh CCrossbar::FullRefresh(PeripheralRecord& rec) {
    DecodeCrossbar(rec);
    Refresh r;
    r.States = ControlStatesOf(rec);
    r.Enables = EnableRule(rec);
    return r;
}

CCrossbar::Click CCrossbar::ClickCheckbox(PeripheralRecord& rec, int id, bool checked) {
    Click click;
    const CrossbarEntry* signal = FindSignal(id);
    const CrossbarEntry* skip = FindSkip(id);
    if (!signal && !skip) return click;
    click.Handled = true;
    if (signal) {
        ApplyCheckbox(rec, *signal, checked);
        click.ControlStatesChanged = signal->Count != 0;
    }
    if (skip) ApplyCheckbox(rec, *skip, checked);
    DecodeCrossbar(rec);
    click.Enables = EnableRule(rec);
    return click;
}

void CCrossbar::BuildPinComment(PeripheralRecord& rec) const {
    PinComment text = MakePinComment(rec, decode_.Pins, pinCount_);
    rec.CPrologue = std::move(text.C);
    rec.AsmPrologue = std::move(text.Asm);
}

}  // namespace portio
