// The ADC0 page as widgets. A new project's texts on a large package, the
// Timer 2 radio and the SAR calculator's Yes path: adc.zvs.

#include "devices/Registers.h"
#include "pages/analog/CAdc0PropPage.h"
#include "pages/common/CClockTargetDlg.h"
#include "support/PageTest.h"

namespace {

using Page = CAdc0PropPage;
using namespace testing_pages;

// The page opened as the ADC command opens it, on copies of a new project's records.
class AdcPage : public PageTest<Page> {
protected:
    // A new project of `model`, its copies set up by `before`, and the page.
    void Open(int model, const std::function<void()>& before = {}) {
        New(model);
        if (before) before();
        PageTest::Open(Pid::Adc);
    }
    std::uint8_t& Adc(int position) { return Reg(Pid::Adc, position); }
    std::uint8_t& Port(int position) { return Reg(Pid::PortIO, position); }
    std::string Text(int id) { return page_->Text(id); }
};

TEST_F(AdcPage, NewProjectShowsTheRegisters) {
    for (int model : {kLargeModel, kSmallModel}) {
        Open(model);
        const std::string first = model == kLargeModel ? "P2.0" : "P1.0";
        EXPECT_EQ(Text(Page::kIdPositive), first);
        // AMX0N's field is 0, so the negative input shows the item with code 0.
        EXPECT_EQ(Text(Page::kIdNegative), first);
        EXPECT_EQ(Text(Page::kIdMode), "ADC0 is in Differential Mode");
        EXPECT_EQ(Text(Page::kIdPositiveStatus),
                  "Pin is Digital and Not Skipped: NOT Configured Properly");
        // Every pin is digital in a new project: every pin item is marked,
        // the internal inputs are not.
        const int items = model == kLargeModel ? 22 : 23;
        for (int i = 0; i < items - 2; ++i)
            EXPECT_TRUE(page_->IsItemMarked(Page::kIdPositive, i)) << i;
        EXPECT_FALSE(page_->IsItemMarked(Page::kIdPositive, items - 2));
        EXPECT_FALSE(page_->IsItemMarked(Page::kIdNegative, items - 1));
        EXPECT_TRUE(ui_.Shown.empty());
    }
}

TEST_F(AdcPage, Ad0scEditKeepsTheOtherBitsAndCapsAt1F) {
    Open(kLargeModel, [&] { Adc(AdcReg::ADC0CF) = 0xFF; });  // left justify and bits 1..0 set
    EXPECT_TRUE(page_->IsChecked(Page::kIdLeftJustify));
    Type(Page::kIdAd0sc, "1A");
    EXPECT_EQ(Adc(AdcReg::ADC0CF), 0xD7);
    EXPECT_EQ(Text(Page::kIdSarClock), "55555");  // 1500000 / 27
    EXPECT_EQ(Text(kPreviewId), "    ADC0CF    = 0xD7;\r\n");
    EXPECT_TRUE(ui_.Shown.empty());

    Type(Page::kIdAd0sc, "25");
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"Error: AD0SC Value Too Large. Defaulting to 0x1F"});
    EXPECT_EQ(ui_.Shown[0].Icon, MsgIcon::Exclamation);
    EXPECT_EQ(Text(Page::kIdAd0sc), "1F");
    EXPECT_EQ(Adc(AdcReg::ADC0CF), 0xFF);

    // Through the shared hex rule (RegisterAccess.ValidateHex): too long, cut
    // to "25", then capped.
    ui_.Shown.clear();
    Type(Page::kIdAd0sc, "250");
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Error: Exceeded Size For Initial Value.",
                                        "Error: AD0SC Value Too Large. Defaulting to 0x1F"}));
    EXPECT_EQ(Text(Page::kIdAd0sc), "1F");
    EXPECT_EQ(Adc(AdcReg::ADC0CF), 0xFF);
    // The left-justify box still writes its own bit.
    Click(Page::kIdLeftJustify);
    EXPECT_EQ(Adc(AdcReg::ADC0CF), 0xFB);
    EXPECT_EQ(Text(Page::kIdAd0sc), "1F");
}

TEST_F(AdcPage, StartRadiosWriteTheirValuesNotTheirOrder) {
    Open(kSmallModel);
    const std::vector<std::pair<int, int>> radios = {
        {Page::kIdStartTimer1, 3}, {Page::kIdStartTimer2, 2}, {Page::kIdStartTimer3, 5},
        {Page::kIdStartCnvstr, 4}, {Page::kIdStartTimer0, 1}, {Page::kIdStartBusy, 0},
    };
    Adc(AdcReg::ADC0CN) = 0x80;
    for (const auto& [id, value] : radios) {
        Click(id);
        EXPECT_EQ(Adc(AdcReg::ADC0CN), 0x80 | value) << id;
        for (int other = Page::kIdStartBusy; other <= Page::kIdStartCnvstr; ++other)
            EXPECT_EQ(page_->IsChecked(other), other == id) << id << " " << other;
        EXPECT_EQ(Text(Page::kIdCnvstrStatus),
                  value == 4 ? "P0.6 is NOT Skipped For CNVSTR: NOT Configured Properly" : "");
    }
    // A value without a radio (6) checks none.
    Adc(AdcReg::ADC0CN) = 0x06;
    page_->Refresh();
    for (int id = Page::kIdStartBusy; id <= Page::kIdStartCnvstr; ++id)
        EXPECT_FALSE(page_->IsChecked(id));
}

// The CNVSTR pin of each package: AdcTexts.CnvstrPinByPackage.
TEST_F(AdcPage, LowPowerTrackTexts) {
    Open(kLargeModel);
    Click(Page::kIdStartCnvstr);
    Click(Page::kIdLowPowerTrack);
    EXPECT_EQ(Adc(AdcReg::ADC0CN), 0x44);
    EXPECT_EQ(Text(Page::kIdConversion), "Tracking initiated:");
    EXPECT_EQ(Text(Page::kIdConversionMore), "and lasts 3 SARs clocks, followed by conversion.");
    EXPECT_EQ(Text(Page::kIdStartCnvstr), "when CNVSTR is logic low (conversion on rising edge)");
    Click(Page::kIdLowPowerTrack);
    EXPECT_EQ(Text(Page::kIdStartCnvstr), "on rising edge of CNVSTR");
    EXPECT_EQ(Text(Page::kIdConversionMore), "");
}

TEST_F(AdcPage, DropDownsWriteTheFieldAndTellThePinState) {
    Open(kLargeModel, [&] {
        Adc(AdcReg::AMX0P) = 0xE0;
        Port(4) = 0xF7;  // P4.3 analog
    });
    // The texts themselves: AdcPinState.
    Choose(Page::kIdPositive, "Temp Sensor");
    EXPECT_EQ(Adc(AdcReg::AMX0P), 0xFE);
    EXPECT_EQ(Text(Page::kIdPositiveStatus), "Temp Sensor selected");
    Choose(Page::kIdNegative, "GND");
    EXPECT_EQ(Adc(AdcReg::AMX0N), 0x1F);
    EXPECT_EQ(Text(Page::kIdMode), "ADC0 is in Single-ended Mode");
    // Port 4 has no skip register: an analog port 4 pin is set up properly.
    Choose(Page::kIdPositive, "P4.3");
    EXPECT_EQ(Adc(AdcReg::AMX0P), 0xEC);
    EXPECT_EQ(Text(Page::kIdPositiveStatus), "Pin is Analog and Skipped: Configured Properly");
    EXPECT_FALSE(page_->IsItemMarked(Page::kIdPositive, 12));
    EXPECT_TRUE(page_->IsItemMarked(Page::kIdPositive, 11));  // P4.0 is still digital
    EXPECT_EQ(Text(kPreviewId), "    AMX0P     = 0xEC;\r\n    AMX0N     = 0x1F;\r\n");
}

TEST_F(AdcPage, CodeWithoutAnItemLeavesNoSelection) {
    Open(kLargeModel, [&] { Adc(AdcReg::AMX0P) = 0x10; });
    EXPECT_EQ(page_->Selected(Page::kIdPositive), -1);
    EXPECT_EQ(Text(Page::kIdPositiveStatus),
              "Pin is Analog and Not Skipped: NOT Configured Properly");
}

TEST_F(AdcPage, ResetAsksThenRestoresEveryRegister) {
    Open(kSmallModel);
    Click(Page::kIdEnable);
    Choose(Page::kIdNegative, "GND");
    Type(Page::kIdAd0sc, "02");
    Type(Page::kIdLessLow, "44");
    ui_.Answers.push_back(MsgResult::No);
    page_->OnReset();
    EXPECT_EQ(Adc(AdcReg::ADC0CN), 0x80);
    page_->OnReset();
    EXPECT_EQ(Messages(), std::vector<std::string>(2, kResetQuestion));
    for (const auto& r : Copy(Pid::Adc).Registers)
        EXPECT_EQ(r.Value, r.ResetValue) << r.Name;
    EXPECT_EQ(Text(Page::kIdAd0sc), "1F");
    EXPECT_FALSE(page_->IsChecked(Page::kIdEnable));
    EXPECT_EQ(Text(kPreviewId), "");
}

// The dividers' rounding: AdcSar; the Yes path: adc.zvs. Here the other bits
// of ADC0CF are kept, and what keeps the calculator open.
TEST_F(AdcPage, SarCalculatorKeepsTheOtherBits) {
    Open(kLargeModel, [&] { Adc(AdcReg::ADC0CF) = 0xFC; });
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto& calc = dynamic_cast<CClockTargetDlg&>(d);
        EXPECT_EQ(driver::SetText(&calc, calcids::kSarTarget, "3000000"), "");
        EXPECT_EQ(driver::Click(&calc, kIdOk), "");
    });
    Click(Page::kIdChangeSar);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Change AD0SC Data to:\n\n AD0SC = 00"});
    EXPECT_EQ(Adc(AdcReg::ADC0CF), 0x04);
    EXPECT_EQ(Text(Page::kIdSarClock), "1500000");
    EXPECT_EQ(Text(kPreviewId), "    ADC0CF    = 0x04;\r\n");
}

TEST_F(AdcPage, SarCalculatorRefusesAndStaysOpen) {
    Open(kSmallModel);
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto& calc = dynamic_cast<CClockTargetDlg&>(d);
        EXPECT_EQ(calc.Text(kAchievedId), "Achieved: - (no target)");
        driver::SetText(&calc, calcids::kSarTarget, "40000");  // 36.5 rounds to 37
        EXPECT_EQ(calc.Text(kAchievedId), "Achieved: - (no AD0SC value fits at this SYSCLK)");
        driver::SetText(&calc, calcids::kSarTarget, "0");
        driver::Click(&calc, kIdOk);
        driver::SetText(&calc, calcids::kSarTarget, "12x");
        EXPECT_EQ(calc.Text(kAchievedId), "Achieved: - (the target is not a number)");
        driver::Click(&calc, kIdOk);
        EXPECT_FALSE(d.IsFinished());
        driver::SetText(&calc, calcids::kSarTarget, "400000");
        ui_.Answers.push_back(MsgResult::No);  // No keeps the calculator open
        driver::Click(&calc, kIdOk);
        EXPECT_FALSE(d.IsFinished());
        driver::Click(&calc, kIdCancel);
    });
    Click(Page::kIdChangeSar);
    const auto shown = Messages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], "Error: Invalid Input Values.");
    EXPECT_EQ(shown[1].rfind("Error: ", 0), 0u);
    EXPECT_EQ(ui_.Shown[0].Icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui_.Shown[2].Icon, MsgIcon::Question);
    EXPECT_EQ(Adc(AdcReg::ADC0CF), 0xF8);
}

TEST_F(AdcPage, SarCalculatorWithoutSystemClock) {
    Open(kSmallModel);
    doc_->SysclkFrequency = 0;
    page_->Refresh();
    EXPECT_EQ(Text(Page::kIdSarClock), "0");
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto& calc = dynamic_cast<CClockTargetDlg&>(d);
        driver::SetText(&calc, calcids::kSarTarget, "500000");
        EXPECT_EQ(calc.Text(kAchievedId), "Achieved: - (no clock: SYSCLK is 0 Hz)");
        driver::Click(&calc, kIdOk);
        EXPECT_FALSE(d.IsFinished());
    });
    Click(Page::kIdChangeSar);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: Invalid Input Values."});
}

TEST_F(AdcPage, CalculatorClosingTakesTheDocumentsPortRecord) {
    Open(kLargeModel);
    // A change a cancelled nested Port I/O sheet left in the page's copy.
    Port(2) = 0xFE;
    Port(12) = 0x01;
    page_->Refresh();
    EXPECT_EQ(Text(Page::kIdPositiveStatus), "Pin is Analog and Skipped: Configured Properly");
    ui_.Modals.push_back([](ModalDialog& d) { d.Finish(false); });
    Click(Page::kIdChangeSar);
    EXPECT_EQ(Port(2), 0xFF);
    EXPECT_EQ(Port(12), 0x00);
    EXPECT_EQ(Text(Page::kIdPositiveStatus),
              "Pin is Digital and Not Skipped: NOT Configured Properly");
}

TEST_F(AdcPage, NestedInterruptsSheetUpdatesTheTextsOnOk) {
    Open(kSmallModel);
    Then([](CDeviceDlg& sheet) {
        EXPECT_EQ(driver::Click(sheet.ActivePage(), 11204), "");  // AD0INT
        sheet.Finish(false);
    });
    Click(Page::kIdInterrupts);
    EXPECT_EQ(Text(Page::kIdConversionInterrupt), "ADC0 Interrupt is Disabled");
    Then([](CDeviceDlg& sheet) {
        EXPECT_EQ(driver::Click(sheet.ActivePage(), 11203), "");  // AD0WINT
        sheet.PressOk();
    });
    Click(Page::kIdInterrupts);
    // The copy kept the cancelled change; both are stored with the OK.
    EXPECT_EQ(Text(Page::kIdConversionInterrupt), "ADC0 Interrupt is Enabled");
    EXPECT_EQ(Text(Page::kIdWindowInterrupt), "ADC0 Window Interrupt is Enabled");
    EXPECT_EQ(StoredValue(Pid::Interrupts, InterruptsReg::EIE1), 0x0C);
}

}  // namespace
