// The SMBus page: bit rate and SCL low time from the chosen source's timer,
// the Timer 3 timeout status, texts from the other records, Reset.

#include <gtest/gtest.h>

#include "devices/Registers.h"
#include "pages/serial/CSMBusPropPage.h"
#include "support/PageTest.h"

namespace {

using Page = CSMBusPropPage;
using namespace testing_pages;

class SMBusPage : public PageTest<Page> {
protected:
    void SetUp() override { New(kSmallModel); }
    Page& Open() { return PageTest::Open(Pid::Smbus); }
    std::uint8_t& T(int position) { return Reg(Pid::Timers, position); }
    std::uint8_t& Smb0cf() { return Reg(Pid::Smbus, SmbusReg::SMB0CF); }
};

TEST_F(SMBusPage, TimeoutStatusOnlyWithTimeoutDetection) {
    doc_->SysclkFrequency = 1500000;
    T(TimersReg::CKCON) = 0x40;
    T(TimersReg::TMR3RLH) = 0x6D;
    T(TimersReg::TMR3RLL) = 0x83;
    Page& p = Open();
    EXPECT_EQ(p.Text(Page::kTimer3Status), "");
    EXPECT_FALSE(p.IsEnabled(Page::kConfigureTimer3));
    ASSERT_EQ(driver::Click(&p, Page::kSclTimeout), "");
    EXPECT_EQ(Smb0cf(), 0x08);
    EXPECT_TRUE(p.IsEnabled(Page::kConfigureTimer3));
    EXPECT_EQ(p.Text(Page::kTimer3Status), "Timer 3 overflows at 25 ms, Configured Properly");
    // A Timer 3 clocked by SYSCLK / 12 is too slow for these counts.
    T(TimersReg::CKCON) = 0x00;
    p.OnSetActive();
    EXPECT_EQ(p.Text(Page::kTimer3Status),
              "Timer 3 does not overflow at 25 ms, NOT Configured Properly");
    ASSERT_EQ(driver::Click(&p, Page::kSclTimeout), "");
    EXPECT_EQ(Smb0cf(), 0x00);
    EXPECT_EQ(p.Text(Page::kTimer3Status), "");
    EXPECT_FALSE(p.IsEnabled(Page::kConfigureTimer3));
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
    EXPECT_EQ(p.Text(Page::kTimer3Status),
              "Timer 3 does not overflow at 25 ms, NOT Configured Properly");
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto& sheet = dynamic_cast<CDeviceDlg&>(d);
        EXPECT_EQ(sheet.Page(0)->Caption(), "Timer 3");
        EXPECT_EQ(driver::Click(sheet.ActivePage(), 11115), "");  // Set Overflow to 25 ms
        sheet.PressOk();
    });
    ASSERT_EQ(driver::Click(&p, Page::kConfigureTimer3), "");
    EXPECT_EQ(p.Text(Page::kTimer3Status), "Timer 3 overflows at 25 ms, Configured Properly");
    EXPECT_EQ(StoredValue(Pid::Timers, TimersReg::TMR3RLH), 0x6D);
    EXPECT_EQ(StoredValue(Pid::Timers, TimersReg::TMR3RLL), 0x83);
}

}  // namespace
