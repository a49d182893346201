// The Oscillators sheet as a user drives it. Cancel, Reset's clock words and
// the multiplier question answered No: oscillators_cancel.zvs; the nested
// Port I/O sheet: oscillators_crystal.zvs; OK with an invalid SYSCLK:
// oscillators_small_package.zvs; the sheet opened from a calculator:
// pca_clocks.zvs.

#include "devices/Registers.h"
#include "pages/clock/OscillatorsSheet.h"
#include "support/PageTest.h"

namespace {

using namespace testing_pages;
enum Tab { kHf, kLf, kExt, kMul, kUsb, kSys };

class OscillatorSheet : public SheetTest {
protected:
    // Runs the Oscillators command; `drive` works the sheet and closes it
    // (or leaves it to be cancelled).
    bool Run(const std::function<void(CDeviceDlg&)>& drive) {
        Then(drive);
        return RunSheet(*doc_, OscillatorsSheet());
    }
    PeripheralRecord Stored(PeripheralId id = Pid::Oscillator) { return SheetTest::Stored(id); }
    std::uint8_t StoredValue(int position) { return SheetTest::StoredValue(Pid::Oscillator, position); }
};

bool Hidden(CPropPage* page, int id) {
    return page->Control(id)->isHidden();
}

// Captions and the five-page small-package sheet are checked by the
// oscillators_* scripts; model 4 keeps the L-F choice but not the multiplier.
TEST_F(OscillatorSheet, PagesPerModel) {
    EXPECT_TRUE(OscillatorsSheet().restoresClocks);
    doc_ = NewProject(4);
    Run([](CDeviceDlg& sheet) {
        ASSERT_EQ(sheet.PageCount(), 6);
        EXPECT_TRUE(Hidden(sheet.Page(kSys), 11440));
        EXPECT_FALSE(Hidden(sheet.Page(kSys), 11442));
    });
}

TEST_F(OscillatorSheet, MultiplierQuestionAnsweredYesEnablesItWithItsCode) {
    Run([](CDeviceDlg& sheet) {
        EXPECT_EQ(driver::Click(Go(sheet, kSys), 11439), "");
        EXPECT_EQ(sheet.ActivePage()->Text(11170), "24000000");
        // Asked only while the multiplier is off.
        EXPECT_EQ(driver::Click(sheet.ActivePage(), 11440), "");
        EXPECT_TRUE(Go(sheet, kMul)->IsChecked(11395));
        sheet.PressOk();
    });
    EXPECT_EQ(ui_.Shown.size(), 1u);
    // The start-up lines it brings: OscCode.MultiplierKeepsTheLoopCounterWhenTheCrystalGoes.
    EXPECT_EQ(StoredValue(OscillatorReg::CLKMUL), 0x80);
    // Visiting the multiplier page last recomputed from its internal input:
    // four times the divided oscillator.
    EXPECT_EQ(doc_->SysclkFrequency, 6000000u);
}

TEST_F(OscillatorSheet, InternalPagesFollowTheCurrentSource) {
    Run([](CDeviceDlg& sheet) {
        driver::Click(Go(sheet, kLf), 11163);
        driver::Click(Go(sheet, kSys), 11442);
        EXPECT_EQ(sheet.ActivePage()->Text(11170), "80000");
        // A click on the H-F page gives the divided L-F frequency, not the H-F one.
        driver::Click(Go(sheet, kHf), 11161);
        EXPECT_EQ(sheet.ActivePage()->IsChecked(11161), true);
        sheet.PressOk();
    });
    EXPECT_EQ(doc_->SysclkFrequency, 80000u);
    EXPECT_EQ(StoredValue(OscillatorReg::OSCICN), 0x81);
}

TEST_F(OscillatorSheet, ResetAnsweredNoKeepsAllAndYesKeepsTheCode) {
    Run([this](CDeviceDlg& sheet) {
        CPropPage* ext = Go(sheet, kExt);
        driver::Click(ext, 11181);
        driver::SetText(ext, 11174, "22118400");
        driver::Click(Go(sheet, kSys), 11438);
        ui_.Answers.push_back(MsgResult::No);
        sheet.PressReset();
        EXPECT_EQ(sheet.ActivePage()->Text(11170), "22118400");
        Go(sheet, kMul);
        sheet.PressReset();
        EXPECT_EQ(Go(sheet, kExt)->Text(11174), "0");
        sheet.PressOk();
    });
    const PeripheralRecord r = Stored();
    EXPECT_EQ(r.Registers[OscillatorReg::OSCXCN].Value, 0x00);
    EXPECT_EQ(r.CPrologue, "    int i = 0;\r\n");
    EXPECT_NE(r.Registers[OscillatorReg::OSCXCN].CPost, "");
}

TEST_F(OscillatorSheet, FrequencyControlFollowsTheMode) {
    PeripheralRecord r = Stored();
    r.Registers[OscillatorReg::OSCXCN].Value = 0x27;  // CMOS with stray frequency bits
    doc_->SetPeripheral(r, Pid::Oscillator);
    Run([](CDeviceDlg& sheet) {
        CPropPage* ext = Go(sheet, kExt);
        EXPECT_TRUE(ext->IsChecked(11177));
        EXPECT_TRUE(ext->IsChecked(11183));
        for (int id = 11183; id <= 11190; ++id)
            EXPECT_FALSE(ext->IsEnabled(id)) << id;
        EXPECT_EQ(ext->Text(11183), "");
        driver::Click(ext, 11180);  // capacitor: the label set (OscLabels) and its boxes
        EXPECT_TRUE(ext->IsEnabled(11190));
        EXPECT_EQ(driver::Click(ext, 11189), "");
        EXPECT_EQ(ext->Text(11110), "    OSCXCN    = 0x56;\r\n");
        driver::Click(ext, 11176);  // off
        EXPECT_TRUE(ext->IsChecked(11183));
        EXPECT_EQ(ext->Text(11110), "");
        sheet.PressOk();
    });
    EXPECT_EQ(StoredValue(OscillatorReg::OSCXCN), 0x00);
}

}  // namespace
