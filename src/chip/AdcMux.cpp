#include "chip/AdcMux.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "devices/Models.h"

namespace adc {

namespace {

struct PinCode {
    int port;
    int bit;
    std::uint8_t code;
};

AdcMuxEntry PinEntry(std::size_t index, const PinCode& p) {
    AdcMuxEntry e;
    e.ItemIndex = static_cast<std::uint8_t>(index);
    char name[8];
    std::snprintf(name, sizeof name, "P%d.%d", p.port, p.bit);
    e.Name = name;
    e.Code = p.code;
    const analog::PinBits bits = analog::PortPinBits(p.port, p.bit);
    e.ModeRegister = bits.ModeRegister;
    e.ModeMask = bits.ModeMask;
    e.SkipRegister = bits.SkipRegister;
    e.SkipMask = bits.SkipMask;
    return e;
}

AdcMuxEntry InternalEntry(std::size_t index, const char* name, std::uint8_t code) {
    AdcMuxEntry e;
    e.ItemIndex = static_cast<std::uint8_t>(index);
    e.Name = name;
    e.Code = code;
    e.ModeRegister = kNoRegister;
    e.SkipRegister = kNoRegister;
    return e;
}

std::vector<AdcMuxEntry> BuildList(const std::vector<PinCode>& pins, const char* first,
                                   const char* second) {
    std::vector<AdcMuxEntry> list;
    for (const auto& p : pins)
        list.push_back(PinEntry(list.size(), p));
    list.push_back(InternalEntry(list.size(), first, 0x1E));
    list.push_back(InternalEntry(list.size(), second, 0x1F));
    return list;
}

// Code 0x10 has no pin on the large packages; 0x15 to 0x1D none anywhere.
const std::vector<PinCode>& LargePins() {
    static const std::vector<PinCode> pins = {
        {2, 0, 0x00}, {2, 1, 0x01}, {2, 2, 0x02}, {2, 3, 0x03}, {2, 5, 0x04},
        {2, 6, 0x05}, {3, 0, 0x06}, {3, 1, 0x07}, {3, 4, 0x08}, {3, 5, 0x09},
        {3, 7, 0x0A}, {4, 0, 0x0B}, {4, 3, 0x0C}, {4, 4, 0x0D}, {4, 5, 0x0E},
        {4, 6, 0x0F}, {0, 3, 0x11}, {0, 4, 0x12}, {1, 1, 0x13}, {1, 2, 0x14},
    };
    return pins;
}

const std::vector<PinCode>& SmallPins() {
    static const std::vector<PinCode> pins = [] {
        std::vector<PinCode> v;
        for (int b = 0; b < 8; ++b)
            v.push_back({1, b, static_cast<std::uint8_t>(b)});
        for (int b = 0; b < 8; ++b)
            v.push_back({2, b, static_cast<std::uint8_t>(8 + b)});
        v.push_back({3, 0, 0x10});
        v.push_back({0, 0, 0x11});
        v.push_back({0, 1, 0x12});
        v.push_back({0, 4, 0x13});
        v.push_back({0, 5, 0x14});
        return v;
    }();
    return pins;
}

// A bit of the Port I/O record; a register the record lacks reads as 0.
bool PortBit(const PeripheralRecord& portIo, std::uint8_t position, std::uint8_t mask) {
    if (position >= portIo.Registers.size()) return false;
    return (portIo.Registers[position].Value & mask) != 0;
}

}  // namespace

const std::vector<AdcMuxEntry>& PositiveInputs(bool largePackage) {
    static const auto large = BuildList(LargePins(), "Temp Sensor", "VDD");
    static const auto small = BuildList(SmallPins(), "Temp Sensor", "VDD");
    return largePackage ? large : small;
}

const std::vector<AdcMuxEntry>& NegativeInputs(bool largePackage) {
    static const auto large = BuildList(LargePins(), "VREF", "GND");
    static const auto small = BuildList(SmallPins(), "VREF", "GND");
    return largePackage ? large : small;
}

AdcMuxEntry EntryByIndex(const std::vector<AdcMuxEntry>& list, int index) {
    for (const auto& e : list)
        if (e.ItemIndex == index) return e;
    return {};
}

AdcMuxEntry EntryByCode(const std::vector<AdcMuxEntry>& list, std::uint8_t code) {
    for (const auto& e : list)
        if (e.Code == code) return e;
    return {};
}

int IndexOfRegister(const std::vector<AdcMuxEntry>& list, std::uint8_t reg) {
    for (const auto& e : list)
        if (e.Code == (reg & kMuxField)) return e.ItemIndex;
    return -1;
}

PinState StateOf(const AdcMuxEntry& entry, const PeripheralRecord& portIo) {
    return analog::StateOf({entry.ModeRegister, entry.ModeMask, entry.SkipRegister, entry.SkipMask},
                           portIo);
}

bool IsInternalInput(const AdcMuxEntry& entry, bool positive) {
    return positive ? (entry.Name == "Temp Sensor" || entry.Name == "VDD")
                    : (entry.Name == "VREF" || entry.Name == "GND");
}

std::string InputText(const AdcMuxEntry& entry, const PeripheralRecord& portIo, bool positive) {
    if (IsInternalInput(entry, positive)) return entry.Name + " selected";
    return PinStatusText(StateOf(entry, portIo));
}

std::string ModeText(const AdcMuxEntry& negative) {
    return negative.Name == "GND" ? "ADC0 is in Single-ended Mode" : "ADC0 is in Differential Mode";
}

analog::PortPin CnvstrPin(int deviceCode) {
    return models::IsSmallPackage(deviceCode) ? analog::PortPin{0, 6} : analog::PortPin{1, 4};
}

bool IsCnvstrSkipped(int deviceCode, const PeripheralRecord& portIo) {
    const analog::PinBits bits = CnvstrPin(deviceCode).Bits();
    return PortBit(portIo, bits.SkipRegister, bits.SkipMask);
}

std::string CnvstrText(int deviceCode, std::uint8_t startValue, const PeripheralRecord& portIo) {
    if (startValue != kStartCnvstr) return {};
    const std::string name = CnvstrPin(deviceCode).Name();
    return IsCnvstrSkipped(deviceCode, portIo)
               ? name + " is Skipped For CNVSTR: Configured Properly"
               : name + " is NOT Skipped For CNVSTR: NOT Configured Properly";
}

std::string ConversionInterruptText(std::uint8_t eie1) {
    return (eie1 & kConversionInterrupt) ? "ADC0 Interrupt is Enabled"
                                         : "ADC0 Interrupt is Disabled";
}

std::string WindowInterruptText(std::uint8_t eie1) {
    return (eie1 & kWindowInterrupt) ? "ADC0 Window Interrupt is Enabled"
                                     : "ADC0 Window Interrupt is Disabled";
}

std::uint32_t SarClock(std::uint32_t sysclk, std::uint8_t adc0cf) {
    return sysclk / ((adc0cf >> kSarShift) + 1u);
}

std::string SarClockText(std::uint32_t sysclk, std::uint8_t adc0cf) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d",
                  static_cast<int>(static_cast<std::int32_t>(SarClock(sysclk, adc0cf))));
    return buf;
}

SarDivider SarDividerFor(std::uint32_t sysclk, std::uint32_t target) {
    SarDivider r;
    if (sysclk == 0 || target == 0) return r;
    // Both are at least 1, so x lies in (-1, 2^32 - 1): no conversion overflows.
    double x = static_cast<double>(sysclk) / static_cast<double>(target) - 1.0;
    const double n = std::trunc(x);
    if (x - n >= 0.5) x += 1.0;
    r.ad0sc = static_cast<long long>(x);
    r.status = (r.ad0sc < 0 || r.ad0sc > kMaxAd0sc) ? SarDivider::OutOfRange : SarDivider::Ok;
    return r;
}

std::string SarAchievedText(const DividerFields& fields) {
    const auto& [sysclk, target] = fields;
    if (!target) return NoAchievedText(kNotANumberReason);
    if (*target == 0) return NoAchievedText(kNoTarget);
    if (!sysclk || *sysclk == 0) return NoAchievedText(NoClockReason("SYSCLK"));
    const SarDivider d = SarDividerFor(*sysclk, *target);
    if (d.status != SarDivider::Ok) return NoAchievedText("no AD0SC value fits at this SYSCLK");
    return AchievedText(SarClock(*sysclk, static_cast<std::uint8_t>(d.ad0sc << kSarShift)), *target,
                        "Hz");
}

DividerOffer SarOffer(const DividerFields& fields) {
    const auto& [sysclk, target] = fields;
    if (!sysclk || !target) return DividerOffer::Refusal("Error: Enter a whole number from 0 to 4294967295.");
    const SarDivider d = SarDividerFor(*sysclk, *target);
    if (d.status == SarDivider::InvalidInput) return DividerOffer::Refusal("Error: Invalid Input Values.");
    if (d.status == SarDivider::OutOfRange)
        return DividerOffer::Refusal("Error: Invalid SAR Value Using Current SYSCLK Frequency.");
    char question[64];
    std::snprintf(question, sizeof question, "Change AD0SC Data to:\n\n AD0SC = %02X",
                  static_cast<unsigned>(d.ad0sc));
    return {{}, question, static_cast<std::uint8_t>(d.ad0sc)};
}

}  // namespace adc
