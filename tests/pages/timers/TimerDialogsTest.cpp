// The rate calculators as dialogs (live achieved line, refusals keep them
// open, only Yes writes) and the one-page Timers sheet other pages open.

#include <gtest/gtest.h>

#include "devices/Q7R2xDoc.h"
#include "framework/ControlDriver.h"
#include "model/Ui.h"
#include "pages/common/Achieved.h"
#include "pages/common/CDeviceDlg.h"
#include "pages/timers/CBaudRateDlg.h"
#include "pages/timers/CBitRateDlg.h"
#include "pages/timers/TimerMath.h"
#include "pages/timers/TimerSheets.h"

namespace {

class TimerDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = SetUi(&ui_);
        doc_ = NewProject(0);
        doc_->GetPeripheral(timers_, Pid::Timers);
        doc_->GetPeripheral(interrupts_, Pid::Interrupts);
    }
    void TearDown() override { SetUi(previous_); }
    PeripheralRecord Stored(PeripheralId id) {
        PeripheralRecord r;
        doc_->GetPeripheral(r, id);
        return r;
    }
    static std::string Text(QWidget* w, int id) { return driver::TextOf(driver::Find(w, id)); }

    ScriptUi ui_;
    Ui* previous_ = nullptr;
    std::unique_ptr<CQ7R2xDoc> doc_;
    PeripheralRecord timers_;
    PeripheralRecord interrupts_;
};

TEST_F(TimerDialogs, BaudRateAchievedLineFollowsTheTyping) {
    CBaudRateDlg dlg(*doc_, timers_, false);
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto* w = dynamic_cast<QWidget*>(&d);
        EXPECT_EQ(Text(w, 11166), "1500000");
        EXPECT_EQ(Text(w, kAchievedId), "Achieved: -");
        driver::SetText(w, 11167, "9600");
        EXPECT_EQ(Text(w, kAchievedId), "Achieved: 9615 bps (+0.16 %)");
        driver::SetText(w, 11167, "19200");  // 256 - 39.06 -> 217: 1500000 / 39 / 2
        EXPECT_EQ(Text(w, kAchievedId), "Achieved: 19231 bps (+0.16 %)");
        driver::SetText(w, 11167, "1");
        EXPECT_EQ(Text(w, kAchievedId), "Achieved: - (no reload fits at this SYSCLK)");
        d.Finish(false);
    });
    EXPECT_FALSE(dlg.Run());
    EXPECT_EQ(timers_, Stored(Pid::Timers));
}

TEST_F(TimerDialogs, RefusalsAndNoKeepTheCalculatorOpenYesWrites) {
    CBitRateDlg dlg(*doc_, timers_, timers::kChoice0H);
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto* w = dynamic_cast<QWidget*>(&d);
        driver::SetText(w, 11167, "abc");
        driver::Click(w, 1);
        EXPECT_FALSE(d.IsFinished());
        EXPECT_EQ(ui_.Shown.back().Text, "Error: Invalid Input Values.");
        EXPECT_EQ(ui_.Shown.back().Icon, MsgIcon::Exclamation);
        driver::SetText(w, 11167, "1");
        driver::Click(w, 1);
        EXPECT_FALSE(d.IsFinished());
        EXPECT_EQ(ui_.Shown.back().Text, "Error: Invalid Bit Rate Using Current Frequency.");
        driver::SetText(w, 11167, "5000");  // ratio 100: 256 - 100 = 156
        ui_.Answers.push_back(MsgResult::No);
        driver::Click(w, 1);
        EXPECT_FALSE(d.IsFinished());
        EXPECT_EQ(ui_.Shown.back().Text, "Change T0's Data to:\n\n T0H = 9C\n Clock Source: SYSCLK");
        EXPECT_EQ(timers_.Registers[timers::kTh0].Value, 0);
        driver::Click(w, 1);  // Yes this time
        EXPECT_TRUE(d.IsFinished());
    });
    EXPECT_TRUE(dlg.Run());
    EXPECT_EQ(timers_.Registers[timers::kTh0].Value, 0x9C);
    EXPECT_EQ(timers_.Registers[timers::kCkcon].Value, 0x04);
}

TEST_F(TimerDialogs, BaudRateOnTheUartRecordWritesTheGenerator) {
    PeripheralRecord uart;
    doc_->GetPeripheral(uart, Pid::Uart);
    doc_->SysclkFrequency = 24000000;
    CBaudRateDlg dlg(*doc_, uart, true);
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto* w = dynamic_cast<QWidget*>(&d);
        driver::SetText(w, 11167, "115200");
        // 24000000 / (65536 - 65432) / 2
        EXPECT_EQ(Text(w, kAchievedId), AchievedText(24000000.0 / 104 / 2, 115200, "bps"));
        driver::Click(w, 1);
    });
    EXPECT_TRUE(dlg.Run());
    EXPECT_EQ(ui_.Shown.back().Text, "Change SBRL1's Data to:\n\n SBRLH1:SBRLL1 = FF98\n Clock Source: SYSCLK / 1");
    EXPECT_EQ(uart.Registers[timers::kSbrlh1].Value, 0xFF);
    EXPECT_EQ(uart.Registers[timers::kSbrll1].Value, 0x98);
    EXPECT_EQ(uart.Registers[timers::kSbcon1].Value, 0x43);
}

TEST_F(TimerDialogs, ZeroSysclkIsRefusedNotDividedBy) {
    doc_->SysclkFrequency = 0;
    CBaudRateDlg dlg(*doc_, timers_, false);
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto* w = dynamic_cast<QWidget*>(&d);
        EXPECT_EQ(Text(w, 11166), "0");
        driver::SetText(w, 11167, "9600");
        EXPECT_EQ(Text(w, kAchievedId), "Achieved: -");
        driver::Click(w, 1);
        EXPECT_FALSE(d.IsFinished());
        EXPECT_EQ(ui_.Shown.back().Text, "Error: Invalid Input Values.");
        d.Finish(false);
    });
    EXPECT_FALSE(dlg.Run());
}

TEST_F(TimerDialogs, OnePageTimersSheetStoresTheTimerRecordOnOk) {
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto& sheet = dynamic_cast<CDeviceDlg&>(d);
        EXPECT_EQ(sheet.windowTitle().toStdString(), "Timers");
        ASSERT_EQ(sheet.PageCount(), 1);
        EXPECT_EQ(sheet.Page(0)->Caption(), "Timer 2");
        EXPECT_EQ(driver::Click(sheet.ActivePage(), 11130), "");  // Enable Timer: TMR2CN bit 2
        // A change to the interrupt copy is not what this sheet stores.
        interrupts_.Registers[6].Value = 0x20;
        EXPECT_EQ(Text(sheet.ActivePage(), 11254), "Timer 2 Interrupt is Disabled");
        sheet.PressOk();
    });
    EXPECT_TRUE(RunTimerSheet(*doc_, 2, timers_, interrupts_, nullptr));
    EXPECT_EQ(Stored(Pid::Timers).Registers[timers::kTmr2cn].Value, 0x04);
    EXPECT_EQ(Stored(Pid::Interrupts).Registers[6].Value, 0x00);

    ui_.Modals.push_back([&](ModalDialog& d) {
        auto& sheet = dynamic_cast<CDeviceDlg&>(d);
        EXPECT_EQ(sheet.Page(0)->Caption(), "Timer 1");
        EXPECT_EQ(Text(sheet.ActivePage(), 11252), "Timer 1 Interrupt is Disabled");
        driver::Click(sheet.ActivePage(), 11119);
        d.Finish(false);
    });
    EXPECT_FALSE(RunTimerSheet(*doc_, 1, timers_, interrupts_, nullptr));
    EXPECT_EQ(timers_.Registers[timers::kTcon].Value, 0x40);  // the caller's copy keeps it
    EXPECT_EQ(Stored(Pid::Timers).Registers[timers::kTcon].Value, 0x00);
    EXPECT_FALSE(RunTimerSheet(*doc_, 4, timers_, interrupts_, nullptr));
}

}  // namespace
