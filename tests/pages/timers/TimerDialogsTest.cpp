// The rate calculators as dialogs and the one-page Timers sheet other pages
// open. The achieved line, refusals and No: timers_calculators.zvs.

#include <QLineEdit>
#include <QTest>

#include "chip/TimerMath.h"
#include "devices/Registers.h"
#include "pages/common/CRateCalculatorDlg.h"
#include "support/PageTest.h"

namespace {

using namespace testing_pages;

class TimerDialogs : public SheetTest {
protected:
    void SetUp() override {
        doc_->GetPeripheral(timers_, Pid::Timers);
        doc_->GetPeripheral(interrupts_, Pid::Interrupts);
    }
    // Opens the one-page Timers sheet of `timer` as a page does that holds
    // copies of the timer and interrupt records.
    bool OpenTimer(int timer, PeripheralRecord& timers) {
        PageContext caller(*doc_);
        caller.Lend(Pid::Timers, timers);
        caller.Lend(Pid::Interrupts, interrupts_);
        return caller.OpenSheet(TimerSheetId(timer));
    }

    PeripheralRecord timers_;
    PeripheralRecord interrupts_;
};

TEST_F(TimerDialogs, ZeroSysclkIsRefusedNotDividedBy) {
    doc_->SysclkFrequency = 0;
    PageContext page(*doc_);
    CRateCalculatorDlg dlg(page, timers_, RateKind::Timer1Baud);
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto* w = dynamic_cast<QWidget*>(&d);
        driver::SetText(w, 11167, "9600");
        driver::Click(w, 1);
        EXPECT_FALSE(d.IsFinished());
        EXPECT_EQ(ui_.Shown.back().Text, "Error: Invalid Input Values.");
        d.Finish(false);
    });
    EXPECT_FALSE(dlg.Run());
}

// The timers' hex edits take typed letters in capitals; a character that is
// no hex digit is still refused with its message, and text set by the
// program (as a script's `text`) is taken as it is.
TEST_F(TimerDialogs, HexEditsTakeWhatIsTypedInCapitals) {
    Then([&](CDeviceDlg& sheet) {
        auto* th0 = qobject_cast<QLineEdit*>(driver::Find(sheet.ActivePage(), 11122));
        ASSERT_NE(th0, nullptr);
        EXPECT_EQ(driver::SetText(sheet.ActivePage(), 11122, "b"), "");
        EXPECT_EQ(th0->text(), "");
        ASSERT_EQ(ui_.Shown.size(), 1u);
        EXPECT_EQ(ui_.Shown[0].Text, "Error: Invalid HEX Character.");
        QTest::keyClicks(th0, "a");
        EXPECT_EQ(th0->text(), "A");
        EXPECT_EQ(ui_.Shown.size(), 1u);
        QTest::keyClicks(th0, "g");
        EXPECT_EQ(th0->text(), "A");
        ASSERT_EQ(ui_.Shown.size(), 2u);
        EXPECT_EQ(ui_.Shown[1].Text, "Error: Invalid HEX Character.");
        sheet.PressOk();
    });
    EXPECT_TRUE(OpenTimer(0, timers_));
    EXPECT_EQ(StoredValue(Pid::Timers, TimersReg::TH0), 0x0A);
}

TEST_F(TimerDialogs, OnePageTimersSheetStoresTheTimerRecordOnOk) {
    Then([&](CDeviceDlg& sheet) {
        EXPECT_EQ(sheet.windowTitle().toStdString(), "Timers");
        ASSERT_EQ(sheet.PageCount(), 1);
        EXPECT_EQ(sheet.Page(0)->Caption(), "Timer 2");
        EXPECT_EQ(driver::Click(sheet.ActivePage(), 11130), "");  // Enable Timer: TMR2CN bit 2
        // A change to the interrupt copy is not what this sheet stores.
        interrupts_.Registers[InterruptsReg::IE].Value = 0x20;
        EXPECT_EQ(Text(sheet.ActivePage(), 11254), "Timer 2 Interrupt is Disabled");
        sheet.PressOk();
    });
    EXPECT_TRUE(OpenTimer(2, timers_));
    EXPECT_EQ(StoredValue(Pid::Timers, TimersReg::TMR2CN), 0x04);
    EXPECT_EQ(StoredValue(Pid::Interrupts, InterruptsReg::IE), 0x00);

    // A Cancel keeping the change in the caller's copy: Sheets.ANestedSheetStoresAtOnce...
}

TEST_F(TimerDialogs, Timer3AsksWithTheIconOfItsClockAndRefusesTooFastAClock) {
    struct Case {
        std::uint32_t sysclk;
        MsgButtons buttons;
        MsgIcon icon;
        std::uint8_t rlh;
    };
    for (const Case& c : {Case{1500000, MsgButtons::YesNo, MsgIcon::Exclamation, 0x6D},
                          Case{24000000, MsgButtons::YesNo, MsgIcon::Question, 0x3C},
                          Case{40000000, MsgButtons::Ok, MsgIcon::Exclamation, 0x00}}) {
        doc_->SysclkFrequency = c.sysclk;
        PeripheralRecord timers;
        doc_->GetPeripheral(timers, Pid::Timers);
        ui_.Modals.push_back([&](ModalDialog& d) {
            driver::Click(dynamic_cast<CDeviceDlg&>(d).ActivePage(), 11115);
            d.Finish(false);
        });
        EXPECT_FALSE(OpenTimer(3, timers));
        ASSERT_FALSE(ui_.Shown.empty());
        EXPECT_EQ(ui_.Shown.back().Buttons, c.buttons) << c.sysclk;
        EXPECT_EQ(ui_.Shown.back().Icon, c.icon) << c.sysclk;
        EXPECT_EQ(timers.Registers[TimersReg::TMR3RLH].Value, c.rlh) << c.sysclk;
    }
    EXPECT_EQ(ui_.Shown.back().Text, "Error: Invalid Timeout Using Current Frequency.");
}

}  // namespace
