// The SMBus page: bit rate and SCL low time from the chosen source's timer,
// the Timer 3 timeout status, texts from the other records, Reset.

#include <gtest/gtest.h>

#include <memory>

#include "devices/Q7R2xDoc.h"
#include "pages/common/CDeviceDlg.h"
#include "framework/ControlDriver.h"
#include "model/Ui.h"
#include "pages/serial/CSMBusPropPage.h"

namespace {

using Page = CSMBusPropPage;

// Timer record positions.
constexpr std::size_t kCkcon = 2, kTh0 = 5, kTh1 = 6, kTmr2rll = 8, kTmr2rlh = 9, kTmr3rll = 13, kTmr3rlh = 14;

class SMBusPage : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = SetUi(&ui_);
        doc_ = NewProject(2);
        doc_->GetPeripheral(smbus_, Pid::Smbus);
        doc_->GetPeripheral(timers_, Pid::Timers);
        doc_->GetPeripheral(ints_, Pid::Interrupts);
        doc_->GetPeripheral(port_, Pid::PortIO);
    }
    void TearDown() override { SetUi(previous_); }
    Page& Open() {
        page_ = std::make_unique<Page>(&timers_, &ints_, &port_, &doc_->SysclkFrequency);
        page_->SetRecord(&smbus_);
        page_->SetActiveDocument(doc_.get());
        page_->OnInitDialog();
        page_->show();
        return *page_;
    }
    std::uint8_t& T(std::size_t position) { return timers_.Registers.at(position).Value; }
    std::uint8_t& Smb0cf() { return smbus_.Registers.at(0).Value; }

    ScriptUi ui_;
    Ui* previous_ = nullptr;
    std::unique_ptr<CQ7R2xDoc> doc_;
    PeripheralRecord smbus_, timers_, ints_, port_;
    std::unique_ptr<Page> page_;
};

TEST_F(SMBusPage, BitRateAndLowTimeFollowTheSource) {
    doc_->SysclkFrequency = 12000000;
    T(kCkcon) = 0x08;
    T(kTh1) = 0xD8;
    T(kTh0) = 0xFF;
    Smb0cf() = 0x01;
    Page& p = Open();
    EXPECT_TRUE(p.IsChecked(Page::kTimer1));
    EXPECT_EQ(p.Text(Page::kBitRate), "100000");
    EXPECT_EQ(p.Text(Page::kLowTime), "Minimum SCL Low Time is 0.0033 ms");
    EXPECT_EQ(p.SourceTimer(), 1);

    // Timer 0 at SYSCLK / 48, 1.5 MHz: 31250 / 1 / 3.
    doc_->SysclkFrequency = 1500000;
    T(kCkcon) = 0x0A;  // Timer 1's SYSCLK bit does not clock Timer 0
    ASSERT_EQ(driver::Click(&p, Page::kTimer0), "");
    EXPECT_EQ(Smb0cf(), 0x00);
    EXPECT_EQ(p.Text(Page::kBitRate), "10416");
    EXPECT_EQ(p.Text(Page::kLowTime), "Minimum SCL Low Time is 0.0320 ms");
    EXPECT_EQ(p.SourceTimer(), 0);
}

TEST_F(SMBusPage, Timer2HalvesUseTheirOwnReloadAndClockBit) {
    doc_->SysclkFrequency = 12000000;
    T(kTmr2rlh) = 0xF6;  // 10 counts
    T(kTmr2rll) = 0xF9;  // 7 counts
    T(kCkcon) = 0x20;    // high byte on SYSCLK, low byte on SYSCLK / 12
    Page& p = Open();
    ASSERT_EQ(driver::Click(&p, Page::kTimer2High), "");
    EXPECT_EQ(Smb0cf(), 0x02);
    EXPECT_EQ(p.Text(Page::kBitRate), "400000");
    EXPECT_EQ(p.SourceTimer(), 2);
    ASSERT_EQ(driver::Click(&p, Page::kTimer2Low), "");
    EXPECT_EQ(Smb0cf(), 0x03);
    EXPECT_EQ(p.Text(Page::kBitRate), "47619");
    EXPECT_EQ(p.SourceTimer(), 2);
    EXPECT_EQ(p.Text(kPreviewId), "    SMB0CF    = 0x03;\r\n");
}

TEST_F(SMBusPage, TimeoutStatusOnlyWithTimeoutDetection) {
    doc_->SysclkFrequency = 1500000;
    T(kCkcon) = 0x40;
    T(kTmr3rlh) = 0x6D;
    T(kTmr3rll) = 0x83;
    Page& p = Open();
    EXPECT_EQ(p.Text(Page::kTimer3Status), "");
    EXPECT_FALSE(p.IsEnabled(Page::kConfigureTimer3));
    ASSERT_EQ(driver::Click(&p, Page::kSclTimeout), "");
    EXPECT_EQ(Smb0cf(), 0x08);
    EXPECT_TRUE(p.IsEnabled(Page::kConfigureTimer3));
    EXPECT_EQ(p.Text(Page::kTimer3Status), "Timer 3 overflows at 25 ms, Configured Properly");
    // A Timer 3 clocked by SYSCLK / 12 is too slow for these counts.
    T(kCkcon) = 0x00;
    p.OnSetActive();
    EXPECT_EQ(p.Text(Page::kTimer3Status), "Timer 3 does not overflow at 25 ms, NOT Configured Properly");
    ASSERT_EQ(driver::Click(&p, Page::kSclTimeout), "");
    EXPECT_EQ(Smb0cf(), 0x00);
    EXPECT_EQ(p.Text(Page::kTimer3Status), "");
    EXPECT_FALSE(p.IsEnabled(Page::kConfigureTimer3));
}

TEST_F(SMBusPage, ChecksTextsAndReset) {
    ints_.Registers.at(1).Value = 0x01;
    port_.Registers.at(14).Value = 0x04;
    Smb0cf() = 0xDD;
    Page& p = Open();
    for (int id : {Page::kEnable, Page::kInhibitSlave, Page::kExtendedTimes, Page::kSclTimeout, Page::kFreeTimeout})
        EXPECT_TRUE(p.IsChecked(id)) << id;
    EXPECT_TRUE(p.IsChecked(Page::kTimer1));
    EXPECT_EQ(p.Text(Page::kInterruptText), "SMBus Interrupt is Enabled");
    EXPECT_EQ(p.Text(Page::kCrossbarText), "SMBus is Enabled on the Crossbar");
    ASSERT_EQ(driver::Click(&p, Page::kInhibitSlave), "");
    EXPECT_EQ(Smb0cf(), 0x9D);
    p.OnReset();
    EXPECT_EQ(ui_.Shown.back().Text, "Reset all registers to default for this peripheral?");
    EXPECT_EQ(Smb0cf(), 0x00);
    EXPECT_FALSE(p.IsChecked(Page::kEnable));
    EXPECT_TRUE(p.IsChecked(Page::kTimer0));
    EXPECT_EQ(p.Text(Page::kTimer3Status), "");
    EXPECT_EQ(p.Text(kPreviewId), "");
}

TEST_F(SMBusPage, BitRateButtonOpensTheSourcesTimerPage) {
    Page& p = Open();
    const struct {
        int radio;
        const char* page;
    } sources[] = {{Page::kTimer0, "Timer 0"},
                   {Page::kTimer1, "Timer 1"},
                   {Page::kTimer2High, "Timer 2"},
                   {Page::kTimer2Low, "Timer 2"}};
    for (const auto& s : sources) {
        ASSERT_EQ(driver::Click(&p, s.radio), "");
        ui_.Modals.push_back([&](ModalDialog& d) {
            auto& sheet = dynamic_cast<CDeviceDlg&>(d);
            ASSERT_EQ(sheet.PageCount(), 1);
            EXPECT_EQ(sheet.Page(0)->Caption(), s.page);
            d.Finish(false);
        });
        ASSERT_EQ(driver::Click(&p, Page::kConfigureBitRate), "");
        EXPECT_TRUE(ui_.Modals.empty());
    }
}

TEST_F(SMBusPage, Timer3SheetStoresAtOnceAndTheStatusFollows) {
    Smb0cf() = 0x08;
    Page& p = Open();
    EXPECT_EQ(p.Text(Page::kTimer3Status), "Timer 3 does not overflow at 25 ms, NOT Configured Properly");
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto& sheet = dynamic_cast<CDeviceDlg&>(d);
        EXPECT_EQ(sheet.Page(0)->Caption(), "Timer 3");
        EXPECT_EQ(driver::Click(sheet.ActivePage(), 11115), "");  // Set Overflow to 25 ms
        sheet.PressOk();
    });
    ASSERT_EQ(driver::Click(&p, Page::kConfigureTimer3), "");
    EXPECT_EQ(p.Text(Page::kTimer3Status), "Timer 3 overflows at 25 ms, Configured Properly");
    PeripheralRecord stored;
    doc_->GetPeripheral(stored, Pid::Timers);
    EXPECT_EQ(stored.Registers.at(kTmr3rlh).Value, 0x6D);
    EXPECT_EQ(stored.Registers.at(kTmr3rll).Value, 0x83);
}

}  // namespace
