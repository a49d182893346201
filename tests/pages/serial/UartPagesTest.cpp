// The UART pages: the multiprocessor groups, UART1's stop-and-extra-bit rule
// and baud display, each page's Reset, the sheet per model, nested Timer 1.

#include "devices/Registers.h"
#include "pages/serial/CUart0PropPage.h"
#include "pages/serial/CUart1PropPage.h"
#include "pages/serial/SerialSheets.h"
#include "support/PageTest.h"

namespace {

using U0 = CUart0PropPage;
using U1 = CUart1PropPage;
using namespace testing_pages;

class UartPages : public PageTest<> {
protected:
    U0& Open0() { return Open<U0>(Pid::Uart); }
    U1& Open1() { return Open<U1>(Pid::Uart); }
    std::uint8_t& Reg(int position) { return PageTest::Reg(Pid::Uart, position); }
    static void Click(QWidget* page, int id) { ASSERT_EQ(driver::Click(page, id), "") << id; }
};

TEST_F(UartPages, Uart0MultiprocessorGroupsStayInStep) {
    U0& p = Open0();
    EXPECT_FALSE(p.IsEnabled(U0::kNinthBitChecked));
    Click(&p, U0::kStopBitChecked);
    EXPECT_EQ(Reg(UartReg::SCON0), 0x20);
    EXPECT_TRUE(p.IsChecked(U0::kNinthBitChecked));
    EXPECT_FALSE(p.IsChecked(U0::kNinthBitIgnored));

    Click(&p, U0::kNineBit);
    EXPECT_FALSE(p.IsEnabled(U0::kStopBitIgnored));
    Click(&p, U0::kNinthBitIgnored);
    EXPECT_EQ(Reg(UartReg::SCON0), 0x80);
    EXPECT_TRUE(p.IsChecked(U0::kStopBitIgnored));
    EXPECT_FALSE(p.IsChecked(U0::kStopBitChecked));
}

// The rate and its rounding: Uart1Rate; here the display reads the page's
// registers and the prescaler radios write their codes.
TEST_F(UartPages, Uart1BaudDisplayFollowsTheRegisters) {
    doc_->SysclkFrequency = 12000000;
    Reg(UartReg::SBCON1) = 0x43;
    Reg(UartReg::SBRLH1) = 0xFF;
    Reg(UartReg::SBRLL1) = 0xD9;
    U1& p = Open1();
    EXPECT_EQ(p.Text(U1::kReloadLow), "D9");
    EXPECT_EQ(p.Text(U1::kBaudRate), "153846");
    EXPECT_EQ(p.Text(kStandardRateId), "Nearest standard rate 115200 bps: +33.55 %");
    // Code 2, not 3, is SYSCLK / 48.
    Click(&p, U1::kSysclk48);
    EXPECT_EQ(Reg(UartReg::SBCON1), 0x42);
    EXPECT_EQ(p.Text(U1::kBaudRate), "3205");
}

TEST_F(UartPages, Uart1StopAndExtraBitCheckNeedsTheExtraBitAndNoParity) {
    U1& p = Open1();
    EXPECT_FALSE(p.IsEnabled(U1::kStopAndExtraBit));
    Click(&p, U1::kExtraBit);
    Click(&p, U1::kStopAndExtraBit);
    EXPECT_EQ(Reg(UartReg::SMOD1), 0x8E);
    // Parity on: back to the stop-bit check, bit 7 cleared.
    Click(&p, U1::kParity);
    EXPECT_EQ(Reg(UartReg::SMOD1), 0x1E);
    EXPECT_TRUE(p.IsChecked(U1::kStopBitOnly));
    EXPECT_FALSE(p.IsEnabled(U1::kStopAndExtraBit));
    EXPECT_TRUE(p.IsEnabled(U1::kSpace));
    // Parity off with the extra bit on: allowed again; extra bit off: gone.
    Click(&p, U1::kParity);
    EXPECT_TRUE(p.IsEnabled(U1::kStopAndExtraBit));
    EXPECT_FALSE(p.IsEnabled(U1::kOdd));
    Click(&p, U1::kStopAndExtraBit);
    Click(&p, U1::kExtraBit);
    EXPECT_EQ(Reg(UartReg::SMOD1), 0x0C);
    EXPECT_TRUE(p.IsChecked(U1::kStopBitOnly));
    EXPECT_FALSE(p.IsEnabled(U1::kStopAndExtraBit));
    // Refreshed from a record, the check's enable follows the extra bit only.
    Reg(UartReg::SMOD1) = 0x92;
    U1& q = Open1();
    EXPECT_TRUE(q.IsChecked(U1::kStopAndExtraBit));
    EXPECT_TRUE(q.IsEnabled(U1::kStopAndExtraBit));
    EXPECT_TRUE(q.IsEnabled(U1::kOdd));
}

TEST_F(UartPages, EachResetKeepsTheOtherUartsRegisters) {
    for (int pos = 0; pos < 6; ++pos)
        Reg(pos) = 0x55;
    Open0().OnReset();
    EXPECT_EQ(Reg(UartReg::SCON0), 0x00);
    for (int pos = 1; pos < 6; ++pos)
        EXPECT_EQ(Reg(pos), 0x55) << pos;

    Reg(UartReg::SCON0) = 0x90;
    U1& p1 = Open1();
    p1.OnReset();
    EXPECT_EQ(Reg(UartReg::SCON0), 0x90);
    for (int pos : {UartReg::SBRLL1, UartReg::SBRLH1, UartReg::SCON1, UartReg::SBCON1})
        EXPECT_EQ(Reg(pos), 0x00) << pos;
    EXPECT_EQ(Reg(UartReg::SMOD1), 0x0C);
    EXPECT_EQ(p1.Text(kPreviewId), "    SCON0     = 0x90;\r\n");
}

TEST_F(UartPages, SheetHoldsUart1OnLargePackagesOnly) {
    for (int model = 0; model < 8; ++model) {
        auto doc = NewProject(model);
        const int pages = (model == 0 || model == 1 || model == 4 || model == 5) ? 2 : 1;
        Then([&](CDeviceDlg& sheet) {
            EXPECT_EQ(sheet.PageCount(), pages) << model;
            EXPECT_EQ(sheet.Page(pages - 1)->Caption(), pages == 2 ? "UART1" : "UART0");
            sheet.Finish(false);
        });
        EXPECT_FALSE(RunSheet(*doc, UartSheet()));
    }
}

// The nested Timer 1 sheet and the baud display reading its copy: serial.zvs;
// that a one-page Timers sheet stores at once: TimerDialogs.

}  // namespace
