// The SMBus page: the Timer 3 timeout status and the timer sheets it opens.
// The rates and status texts: SerialMathTest; the nested Timer 3 sheet and the
// status it leaves: serial.zvs.

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
        Then([&](CDeviceDlg& sheet) {
            ASSERT_EQ(sheet.PageCount(), 1);
            EXPECT_EQ(sheet.Page(0)->Caption(), s.page);
            sheet.Finish(false);
        });
        ASSERT_EQ(driver::Click(&p, Page::kConfigureBitRate), "");
        EXPECT_TRUE(ui_.Modals.empty());
    }
}

}  // namespace
