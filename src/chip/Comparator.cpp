#include "chip/Comparator.h"

#include "devices/Registers.h"

#include <cstddef>

namespace comparator {

namespace {

std::uint8_t Reg(const PeripheralRecord& r, int position) {
    const auto i = static_cast<std::size_t>(position);
    return i < r.Registers.size() ? r.Registers[i].Value : 0;
}

int Item(std::uint8_t field) {
    return field < kInputCount ? field : -1;
}

}  // namespace

const Instance kComparator0 = {
    0,
    "Comparator0",
    ComparatorsReg::CPT0CN,
    ComparatorsReg::CPT0MX,
    ComparatorsReg::CPT0MD,
    "Enable Comparator0",
    0x20,
    {"Comparator0 Interrupt is Enabled", "Comparator0 Interrupt is Disabled"},
    11283,
    0x10,
    {"CP0 is Enabled on the Crossbar", "CP0 is Disabled on the Crossbar"},
    11284,
    0x20,
    {"CP0A is Enabled on the Crossbar", "CP0A is Disabled on the Crossbar"},
    {{{"P2.0", 2, 0}, {"P2.5", 2, 5}, {"P3.4", 3, 4}, {"P4.3", 4, 3}, {"P0.3", 0, 3}}},
    {{{"P2.1", 2, 1}, {"P2.6", 2, 6}, {"P3.5", 3, 5}, {"P4.4", 4, 4}, {"P0.4", 0, 4}}},
    {{{"P1.0", 1, 0}, {"P1.4", 1, 4}, {"P2.0", 2, 0}, {"P2.4", 2, 4}, {"P0.0", 0, 0}}},
    {{{"P1.1", 1, 1}, {"P1.5", 1, 5}, {"P2.1", 2, 1}, {"P2.5", 2, 5}, {"P0.1", 0, 1}}},
    "    CPT0CN    &= ~0x30;\r\n",
    "    anl  CPT0CN,    #0CFh\r\n",
};

const Instance kComparator1 = {
    1,
    "Comparator1",
    ComparatorsReg::CPT1CN,
    ComparatorsReg::CPT1MX,
    ComparatorsReg::CPT1MD,
    "Enable Comparator1",
    0x40,
    {"Comparator1 Interrupt is Enabled", "Comparator1 Interrupt is Disabled"},
    11434,
    0x40,
    {"CP1 is Enabled on the Crossbar", "CP1 is Disabled on the Crossbar"},
    11435,
    0x80,
    {"CP1A is Enabled on the Crossbar", "CP1A is Disabled on the Crossbar"},
    {{{"P2.2", 2, 2}, {"P3.0", 3, 0}, {"P3.7", 3, 7}, {"P4.5", 4, 5}, {"P1.1", 1, 1}}},
    {{{"P2.3", 2, 3}, {"P3.1", 3, 1}, {"P4.0", 4, 0}, {"P4.6", 4, 6}, {"P1.2", 1, 2}}},
    {{{"P1.2", 1, 2}, {"P1.6", 1, 6}, {"P2.2", 2, 2}, {"P2.6", 2, 6}, {"P0.4", 0, 4}}},
    {{{"P1.3", 1, 3}, {"P1.7", 1, 7}, {"P2.3", 2, 3}, {"P2.7", 2, 7}, {"P0.5", 0, 5}}},
    "    CPT1CN    &= ~0x30;\r\n",
    "    anl  CPT1CN,    #0CFh\r\n",
};

const Instance& Other(const Instance& c) {
    return c.Number == 0 ? kComparator1 : kComparator0;
}

const InputList& PositiveInputs(const Instance& c, bool largePackage) {
    return largePackage ? c.PositiveLarge : c.PositiveSmall;
}

const InputList& NegativeInputs(const Instance& c, bool largePackage) {
    return largePackage ? c.NegativeLarge : c.NegativeSmall;
}

int PositiveItem(const Instance& c, const PeripheralRecord& record) {
    return Item(Reg(record, c.MxPosition) & kPositiveInput);
}

int NegativeItem(const Instance& c, const PeripheralRecord& record) {
    return Item(static_cast<std::uint8_t>((Reg(record, c.MxPosition) & kNegativeInput) >> 4));
}

void ApplyStartUp(PeripheralRecord& record, const Instance& c) {
    const auto cn = static_cast<std::size_t>(c.CnPosition);
    if (cn >= record.Registers.size()) return;
    RegisterEntry& entry = record.Registers[cn];
    if (entry.Value & kEnable) {
        record.CPrologue = kLoopCounter;
        entry.CPost = std::string(kCWait) + c.CClearLine;
        entry.AsmPost = std::string(kAsmWait) + c.AsmClearLine;
        return;
    }
    entry.CPost.clear();
    entry.AsmPost.clear();
    // Both comparators' waits share the one loop counter.
    if ((Reg(record, Other(c).CnPosition) & kEnable) == 0) record.CPrologue.clear();
}

void ResetComparators(PeripheralRecord& record) {
    for (auto& entry : record.Registers)
        entry.Value = entry.ResetValue;
    record.CPrologue.clear();
    for (const Instance* c : {&kComparator0, &kComparator1}) {
        const auto cn = static_cast<std::size_t>(c->CnPosition);
        if (cn >= record.Registers.size()) continue;
        record.Registers[cn].CPost.clear();
        record.Registers[cn].AsmPost.clear();
    }
}

analog::PinState InputPinState(const PeripheralRecord& portIo, const InputPin& pin) {
    return analog::StateOf(analog::PortPinBits(pin.Port, pin.Bit), portIo);
}

std::string InterruptText(const Instance& c, const PeripheralRecord& interrupts) {
    return (Reg(interrupts, InterruptsReg::EIE1) & c.InterruptBit) ? c.InterruptText.Enabled
                                                                   : c.InterruptText.Disabled;
}

std::string OutputText(const Instance& c, const PeripheralRecord& portIo) {
    return (Reg(portIo, PortIOReg::XBR0) & c.OutputBit) ? c.OutputText.Enabled
                                                        : c.OutputText.Disabled;
}

std::string AsyncOutputText(const Instance& c, const PeripheralRecord& portIo) {
    return (Reg(portIo, PortIOReg::XBR0) & c.AsyncBit) ? c.AsyncText.Enabled : c.AsyncText.Disabled;
}

}  // namespace comparator
