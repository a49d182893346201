#include <gtest/gtest.h>

#include <cstdio>

#include "chip/Comparator.h"
#include "support/ChipFixture.h"

using namespace comparator;

namespace {

// A project whose comparator record is edited directly, as the pages do.
struct Project {
    explicit Project(int model = kLargeModel) : doc(NewProject(model)) {
        doc->GetPeripheral(rec, Pid::Comparators);
    }
    // Sets or clears a comparator's enable bit, then its start-up texts.
    void Enable(const Instance& c, bool on) {
        std::uint8_t& cn = Reg(rec, c.CnPosition);
        cn = static_cast<std::uint8_t>(on ? cn | kEnable : cn & ~kEnable);
        ApplyStartUp(rec, c);
    }
    std::string Code(int format) {
        doc->SetPeripheral(rec, Pid::Comparators);
        doc->DeviceData.CodeFormat = format;
        return doc->GenerateSource();
    }
    std::string Routine(int format) {
        return format == 0 ? ::Routine(Code(0), "void Comparator_Init()\r\n{\r\n", "}\r\n")
                           : ::Routine(Code(1), "Comparator_Init:\r\n", "    ret\r\n");
    }

    std::unique_ptr<CQ7R2xDoc> doc;
    PeripheralRecord rec;
};

// The generated routine with the start-up block of each enabled comparator, in order.
std::string Expected(int format, std::initializer_list<int> comparators) {
    std::string out =
        format == 0 ? "void Comparator_Init()\r\n{\r\n    int i = 0;\r\n" : "Comparator_Init:\r\n";
    for (int n : comparators) {
        const std::string cn = "CPT" + std::to_string(n) + "CN";
        if (format == 0)
            out += CrLfLines({"    " + cn + "    = 0x80;",
                              "    for (i = 0; i < 35; i++);  // Wait 10us for initialization",
                              "    " + cn + "    &= ~0x30;"});
        else
            out += CrLfLines({"    mov  " + cn + ",    #080h",
                              "    clr  A                     ; Wait 10us for initialization",
                              "    djnz ACC, $", "    anl  " + cn + ",    #0CFh"});
    }
    return out + (format == 0 ? "}\r\n" : "    ret\r\n");
}

}  // namespace

TEST(ComparatorStartUp, EachEnabledComparatorGetsItsBlockAndTheyShareOneCounter) {
    Project p;
    // One comparator alone: reset_sources_comparator.zvs compares the generated files.
    p.Enable(kComparator0, true);
    p.Enable(kComparator1, true);
    EXPECT_EQ(p.Routine(0), Expected(0, {0, 1}));
    EXPECT_EQ(p.Routine(1), Expected(1, {0, 1}));
    // Comparator0 off, Comparator1 still on: the counter stays.
    p.Enable(kComparator0, false);
    EXPECT_EQ(p.rec.CPrologue, "    int i = 0;\r\n");
    EXPECT_EQ(p.rec.Registers[ComparatorsReg::CPT0CN].CPost, "");
    EXPECT_EQ(p.rec.Registers[ComparatorsReg::CPT0CN].AsmPost, "");
    EXPECT_EQ(p.Routine(0), Expected(0, {1}));

    // The other way round, then both off: the counter goes with the last one.
    Project q;
    q.Enable(kComparator1, true);
    q.Enable(kComparator0, true);
    q.Enable(kComparator1, false);
    EXPECT_EQ(q.Routine(0), Expected(0, {0}));
    q.Enable(kComparator0, false);
    EXPECT_EQ(q.rec.CPrologue, "");
    EXPECT_EQ(q.Routine(0), "");
}

TEST(ComparatorStartUp, ResetClearsBothComparatorsAndTheirTexts) {
    Project p;
    p.Enable(kComparator0, true);
    p.Enable(kComparator1, true);
    p.rec.Registers[ComparatorsReg::CPT0MX].Value = 0x31;
    p.rec.Registers[ComparatorsReg::CPT1MD].Value = 0x33;
    ResetComparators(p.rec);
    for (const auto& entry : p.rec.Registers) {
        EXPECT_EQ(entry.Value, entry.ResetValue) << entry.Name;
        EXPECT_EQ(entry.CPost, "") << entry.Name;
        EXPECT_EQ(entry.AsmPost, "") << entry.Name;
    }
    EXPECT_EQ(p.rec.CPrologue, "");
    EXPECT_EQ(p.Code(0).find("Comparator_Init"), std::string::npos);
}

TEST(ComparatorInputs, EveryItemNamesItsPortAndBit) {
    // The names are shown; port and bit drive the pin checks: they must agree.
    for (const Instance* c : {&kComparator0, &kComparator1})
        for (bool large : {true, false})
            for (const InputList* list : {&PositiveInputs(*c, large), &NegativeInputs(*c, large)})
                for (const InputPin& pin : *list) {
                    char name[8];
                    std::snprintf(name, sizeof name, "P%d.%d", pin.Port, pin.Bit);
                    EXPECT_STREQ(pin.Name, name);
                    EXPECT_TRUE(large || pin.Port < 4)
                        << pin.Name << ": small packages have no port 4";
                }
}

TEST(ComparatorInputs, ItemsFromTheMultiplexerFieldsAndValuesWithoutAnItem) {
    Project p;
    EXPECT_EQ(PositiveItem(kComparator0, p.rec), 0);
    EXPECT_EQ(NegativeItem(kComparator0, p.rec), 0);
    p.rec.Registers[ComparatorsReg::CPT1MX].Value = 0x34;
    EXPECT_EQ(PositiveItem(kComparator1, p.rec), 4);
    EXPECT_EQ(NegativeItem(kComparator1, p.rec), 3);
    EXPECT_EQ(PositiveItem(kComparator0, p.rec), 0);  // the other comparator's register
    p.rec.Registers[ComparatorsReg::CPT1MX].Value = 0x75;
    EXPECT_EQ(PositiveItem(kComparator1, p.rec), -1);
    EXPECT_EQ(NegativeItem(kComparator1, p.rec), -1);
}

// The four states themselves are covered with the ADC inputs; here: the
// comparators' pins map to the right mode and skip bits.
TEST(ComparatorPins, Port4AndTheSmallPackage) {
    using analog::PinState;
    PeripheralRecord port = NewRecord(kLargeModel, Pid::PortIO);
    const InputPin p46 = NegativeInputs(kComparator1, true)[3];
    // Port 4 has no skip register: it counts as skipped, so only the mode matters.
    EXPECT_EQ(InputPinState(port, p46), PinState::DigitalSkipped);
    Reg(port, PortIOReg::P4MDIN) = 0xBF;  // bit 6 clear
    EXPECT_EQ(InputPinState(port, p46), PinState::AnalogSkipped);

    const InputPin p14 = PositiveInputs(kComparator0, false)[1];
    port.Registers[PortIOReg::P1MDIN].Value = 0xEF;  // bit 4 clear
    EXPECT_EQ(InputPinState(port, p14), PinState::AnalogNotSkipped);
    port.Registers[PortIOReg::P1SKIP].Value = 0x10;  // P1SKIP bit 4
    EXPECT_EQ(InputPinState(port, p14), PinState::AnalogSkipped);
    // A neighbouring bit says nothing about the pin.
    port.Registers[PortIOReg::P1MDIN].Value = 0xDF;
    port.Registers[PortIOReg::P1SKIP].Value = 0x20;
    EXPECT_EQ(InputPinState(port, p14), PinState::DigitalNotSkipped);
}

// The defaults, Comparator1's interrupt and CP0 alone: ComparatorPages.
TEST(ComparatorTexts, InterruptAndCrossbarBitsOfEachComparator) {
    PeripheralRecord ints = NewRecord(kLargeModel, Pid::Interrupts);
    PeripheralRecord port = NewRecord(kLargeModel, Pid::PortIO);
    Reg(ints, InterruptsReg::EIE1) = 0x20;  // EIE1: comparator 0 only
    EXPECT_EQ(InterruptText(kComparator0, ints), "Comparator0 Interrupt is Enabled");
    EXPECT_EQ(InterruptText(kComparator1, ints), "Comparator1 Interrupt is Disabled");
    Reg(port, PortIOReg::XBR0) = 0x20 | 0x40;  // XBR0: CP0A, CP1
    EXPECT_EQ(OutputText(kComparator0, port), "CP0 is Disabled on the Crossbar");
    EXPECT_EQ(AsyncOutputText(kComparator0, port), "CP0A is Enabled on the Crossbar");
    EXPECT_EQ(OutputText(kComparator1, port), "CP1 is Enabled on the Crossbar");
    EXPECT_EQ(AsyncOutputText(kComparator1, port), "CP1A is Disabled on the Crossbar");
    Reg(port, PortIOReg::XBR0) = 0x80;
    EXPECT_EQ(AsyncOutputText(kComparator1, port), "CP1A is Enabled on the Crossbar");
}
