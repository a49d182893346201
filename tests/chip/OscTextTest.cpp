#include <gtest/gtest.h>

#include "chip/OscText.h"
#include "support/ChipFixture.h"

namespace {

using namespace osc;

class OscCode : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = NewProject(0);
        doc_->GetPeripheral(rec_, Pid::Oscillator);
    }
    void Mode(std::uint8_t oscxcn) {
        Reg(rec_, OscillatorReg::OSCXCN) = oscxcn;
        ApplyExternalModeCode(rec_);
    }
    void Multiplier(bool on) {
        Reg(rec_, OscillatorReg::CLKMUL) = on ? 0x80 : 0x00;
        ApplyMultiplierCode(rec_, on);
    }
    std::string C() {
        doc_->SetPeripheral(rec_, Pid::Oscillator);
        doc_->DeviceData.CodeFormat = 0;
        return Routine(doc_->GenerateSource(), "void Oscillator_Init()", "\r\n}\r\n");
    }

    std::unique_ptr<CQ7R2xDoc> doc_;
    PeripheralRecord rec_;
};

TEST_F(OscCode, MultiplierKeepsTheLoopCounterWhenTheCrystalGoes) {
    Mode(0x67);
    Multiplier(true);
    Mode(0x40);
    EXPECT_EQ(C(), CrLfLines({"void Oscillator_Init()", "{", "    int i = 0;",
                              "    OSCXCN    = 0x40;", "    CLKMUL    = 0x80;",
                              "    for (i = 0; i < 20; i++);    // Wait 5us for initialization",
                              "    CLKMUL    |= 0xC0;", "    while ((CLKMUL & 0x20) == 0);", "}"}));
    // Back to a crystal, then the multiplier off: the crystal still needs the counter.
    Mode(0x60);
    Multiplier(false);
    EXPECT_EQ(rec_.Registers[OscillatorReg::CLKMUL].AsmPost, "");
    EXPECT_EQ(C(),
              CrLfLines({"void Oscillator_Init()", "{", "    int i = 0;", "    OSCXCN    = 0x60;",
                         "    for (i = 0; i < 3000; i++);  // Wait 1ms for initialization",
                         "    while ((OSCXCN & 0x80) == 0);", "}"}));
    // The crystal off as well: nothing left that needs it.
    Mode(0x20);
    EXPECT_EQ(rec_.CPrologue, "");
    Multiplier(true);
    Multiplier(false);
    EXPECT_EQ(C(), CrLfLines({"void Oscillator_Init()", "{", "    OSCXCN    = 0x20;", "}"}));
}

TEST(OscLabels, SetsPerModeAndTheUnusedSet) {
    EXPECT_EQ(LabelSetFor(0x60), LabelSet::Crystal);
    EXPECT_EQ(LabelSetFor(0x77), LabelSet::Crystal);
    EXPECT_EQ(LabelSetFor(0x40), LabelSet::Rc);
    EXPECT_EQ(LabelSetFor(0x50), LabelSet::Capacitor);
    for (std::uint8_t mode : {0x00, 0x20, 0x30})
        EXPECT_EQ(LabelSetFor(mode), LabelSet::Unused);
    // The labels of the other sets are read as ranges: Problems.FrequencyRangesAreRead...
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
