#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chip/ClockMath.h"
#include "chip/OscText.h"
#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"

namespace {

using namespace osc;

std::string Lines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// The oscillator routine of a generated file: from its head to the line after its foot.
std::string Routine(const std::string& text, const std::string& head, const std::string& foot) {
    const auto start = text.find(head);
    if (start == std::string::npos) return "(no routine)";
    const auto end = text.find(foot, start);
    return text.substr(start, end + foot.size() - start);
}

class OscCode : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = NewProject(0);
        doc_->GetPeripheral(rec_, Pid::Oscillator);
    }
    std::uint8_t& Reg(int position) {
        return rec_.Registers.at(static_cast<std::size_t>(position)).Value;
    }
    void Mode(std::uint8_t oscxcn) {
        Reg(OscillatorReg::OSCXCN) = oscxcn;
        ApplyExternalModeCode(rec_);
    }
    void Multiplier(bool on) {
        Reg(OscillatorReg::CLKMUL) = on ? 0x80 : 0x00;
        ApplyMultiplierCode(rec_, on);
    }
    std::string C() {
        doc_->SetPeripheral(rec_, Pid::Oscillator);
        doc_->DeviceData.CodeFormat = 0;
        return Routine(doc_->GenerateSource(), "void Oscillator_Init()", "\r\n}\r\n");
    }
    std::string Asm() {
        doc_->SetPeripheral(rec_, Pid::Oscillator);
        doc_->DeviceData.CodeFormat = 1;
        return Routine(doc_->GenerateSource(), "Oscillator_Init:", "    ret\r\n");
    }

    std::unique_ptr<CQ7R2xDoc> doc_;
    PeripheralRecord rec_;
};

TEST_F(OscCode, MultiplierKeepsTheLoopCounterWhenTheCrystalGoes) {
    Mode(0x67);
    Multiplier(true);
    Mode(0x40);
    EXPECT_EQ(rec_.CPrologue, "    int i = 0;\r\n");
    EXPECT_EQ(C(), Lines({"void Oscillator_Init()", "{", "    int i = 0;", "    OSCXCN    = 0x40;",
                          "    CLKMUL    = 0x80;",
                          "    for (i = 0; i < 20; i++);    // Wait 5us for initialization",
                          "    CLKMUL    |= 0xC0;", "    while ((CLKMUL & 0x20) == 0);", "}"}));
    // Back to a crystal, then the multiplier off: the crystal still needs the counter.
    Mode(0x60);
    Multiplier(false);
    EXPECT_EQ(rec_.CPrologue, "    int i = 0;\r\n");
    EXPECT_EQ(rec_.Registers[OscillatorReg::CLKMUL].CPost, "");
    EXPECT_EQ(rec_.Registers[OscillatorReg::CLKMUL].AsmPost, "");
    EXPECT_EQ(C(), Lines({"void Oscillator_Init()", "{", "    int i = 0;", "    OSCXCN    = 0x60;",
                          "    for (i = 0; i < 3000; i++);  // Wait 1ms for initialization",
                          "    while ((OSCXCN & 0x80) == 0);", "}"}));
    // The crystal off as well: nothing left that needs it.
    Mode(0x20);
    EXPECT_EQ(rec_.CPrologue, "");
    Multiplier(true);
    Multiplier(false);
    EXPECT_EQ(rec_.CPrologue, "");
    EXPECT_EQ(C(), Lines({"void Oscillator_Init()", "{", "    OSCXCN    = 0x20;", "}"}));
}

TEST(OscLabels, SetsPerModeAndTheUnusedSet) {
    EXPECT_EQ(LabelSetFor(0x60), LabelSet::Crystal);
    EXPECT_EQ(LabelSetFor(0x77), LabelSet::Crystal);
    EXPECT_EQ(LabelSetFor(0x40), LabelSet::Rc);
    EXPECT_EQ(LabelSetFor(0x50), LabelSet::Capacitor);
    for (std::uint8_t mode : {0x00, 0x20, 0x30})
        EXPECT_EQ(LabelSetFor(mode), LabelSet::Unused);
    EXPECT_STREQ(FrequencyLabels(LabelSet::Crystal)[4], "590kHz   < f <= 1.5MHz");
    EXPECT_STREQ(FrequencyLabels(LabelSet::Rc)[0], "f <= 25kHz");
    EXPECT_STREQ(FrequencyLabels(LabelSet::Rc)[7], "1.6MHz < f <= 3.2MHz");
    EXPECT_STREQ(FrequencyLabels(LabelSet::Capacitor)[0], "K Factor = 0.87");
    const auto& unused = FrequencyLabels(LabelSet::Unused);
    for (int i = 0; i < 8; ++i)
        EXPECT_STREQ(unused[static_cast<std::size_t>(i)], i == 3 ? "      Not Used" : "") << i;
}

TEST(OscXtal, PinsPerModelGroupAndMode) {
    // A new project's P0.6 and P0.7, and as analog and skipped: oscillators_crystal.zvs.
    // Small package, both pins analog and skipped.
    auto t = XtalPinTexts(0x70, true, 0xF3, 0x0C);
    EXPECT_EQ(t.xtal1, "P0.2 for XTAL1 is Analog and Skipped: Configured Properly");
    EXPECT_EQ(t.xtal2, "P0.3 for XTAL2 is Analog and Skipped: Configured Properly");
    // CMOS wants XTAL2 digital and skipped; XTAL1 is not used.
    t = XtalPinTexts(0x20, false, 0x7F, 0x80);
    EXPECT_EQ(t.xtal1, "");
    EXPECT_EQ(t.xtal2, "P0.7 for XTAL2 is Analog and Skipped: NOT Configured Properly");
    t = XtalPinTexts(0x30, false, 0xFF, 0x80);
    EXPECT_EQ(t.xtal2, "P0.7 for XTAL2 is Digital and Skipped: Configured Properly");
    t = XtalPinTexts(0x30, true, 0xF7, 0x00);
    EXPECT_EQ(t.xtal2, "P0.3 for XTAL2 is Analog and Not Skipped: NOT Configured Properly");
    // RC and capacitor want XTAL2 analog.
    t = XtalPinTexts(0x50, false, 0xFF, 0x80);
    EXPECT_EQ(t.xtal1, "");
    EXPECT_EQ(t.xtal2, "P0.7 for XTAL2 is Digital and Skipped: NOT Configured Properly");
    t = XtalPinTexts(0x00, false, 0x00, 0xFF);
    EXPECT_EQ(t.xtal1, "");
    EXPECT_EQ(t.xtal2, "");
}

}  // namespace
