// The UART pages: the two multiprocessor groups in step, UART1's frame
// controls and the rule for its stop-and-extra-bit check, the baud displays,
// each page's Reset, and which pages the sheet holds per model.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "devices/Q7R2xDoc.h"
#include "framework/ControlDriver.h"
#include "model/Ui.h"
#include "pages/common/CDeviceDlg.h"
#include "pages/common/CommandIds.h"
#include "pages/common/PeripheralCommands.h"
#include "pages/serial/CUart0PropPage.h"
#include "pages/serial/CUart1PropPage.h"

namespace {

using U0 = CUart0PropPage;
using U1 = CUart1PropPage;

// UART record positions.
constexpr int kScon0 = 0, kSbrll1 = 1, kSbrlh1 = 2, kScon1 = 3, kSmod1 = 4, kSbcon1 = 5;
// Timer record positions.
constexpr std::size_t kCkcon = 2, kTh1 = 6;

class UartPages : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = SetUi(&ui_);
        doc_ = NewProject(0);
        doc_->GetPeripheral(uart_, Pid::Uart);
        doc_->GetPeripheral(timers_, Pid::Timers);
        doc_->GetPeripheral(ints_, Pid::Interrupts);
        doc_->GetPeripheral(port_, Pid::PortIO);
    }
    void TearDown() override { SetUi(previous_); }

    template <class Page>
    void Init(Page& p) {
        p.SetRecord(&uart_);
        p.SetActiveDocument(doc_.get());
        p.OnInitDialog();
        p.show();
    }
    U0& Open0() {
        u0_ = std::make_unique<U0>(&timers_, &ints_, &port_, &doc_->SysclkFrequency);
        Init(*u0_);
        return *u0_;
    }
    U1& Open1() {
        u1_ = std::make_unique<U1>(&ints_, &port_, &doc_->SysclkFrequency);
        Init(*u1_);
        return *u1_;
    }
    std::uint8_t& Reg(int position) { return uart_.Registers.at(static_cast<std::size_t>(position)).Value; }

    ScriptUi ui_;
    Ui* previous_ = nullptr;
    std::unique_ptr<CQ7R2xDoc> doc_;
    PeripheralRecord uart_, timers_, ints_, port_;
    std::unique_ptr<U0> u0_;
    std::unique_ptr<U1> u1_;
};

TEST_F(UartPages, Uart0MultiprocessorGroupsStayInStep) {
    U0& p = Open0();
    EXPECT_TRUE(p.IsChecked(U0::kEightBit));
    EXPECT_TRUE(p.IsEnabled(U0::kStopBitChecked));
    EXPECT_FALSE(p.IsEnabled(U0::kNinthBitChecked));
    EXPECT_TRUE(p.IsChecked(U0::kStopBitIgnored));
    EXPECT_TRUE(p.IsChecked(U0::kNinthBitIgnored));

    ASSERT_EQ(driver::Click(&p, U0::kStopBitChecked), "");
    EXPECT_EQ(Reg(kScon0), 0x20);
    EXPECT_TRUE(p.IsChecked(U0::kNinthBitChecked));
    EXPECT_FALSE(p.IsChecked(U0::kNinthBitIgnored));
    EXPECT_FALSE(p.IsChecked(U0::kStopBitIgnored));

    ASSERT_EQ(driver::Click(&p, U0::kNineBit), "");
    EXPECT_EQ(Reg(kScon0), 0xA0);
    EXPECT_FALSE(p.IsEnabled(U0::kStopBitIgnored));
    EXPECT_TRUE(p.IsEnabled(U0::kNinthBitIgnored));
    ASSERT_EQ(driver::Click(&p, U0::kNinthBitIgnored), "");
    EXPECT_EQ(Reg(kScon0), 0x80);
    EXPECT_TRUE(p.IsChecked(U0::kStopBitIgnored));
    EXPECT_FALSE(p.IsChecked(U0::kStopBitChecked));
    ASSERT_EQ(driver::Click(&p, U0::kReception), "");
    EXPECT_EQ(p.Text(kPreviewId), "    SCON0     = 0x90;\r\n");
}

TEST_F(UartPages, Uart0BaudRateComesFromTheTimerRecord) {
    // 24 MHz, Timer 1 on SYSCLK, TH1 = 0xF3: 24000000 / 13 / 2.
    doc_->SysclkFrequency = 24000000;
    timers_.Registers[kCkcon].Value = 0x08;
    timers_.Registers[kTh1].Value = 0xF3;
    ints_.Registers[6].Value = 0x10;
    port_.Registers[14].Value = 0x01;
    U0& p = Open0();
    EXPECT_EQ(p.Text(U0::kBaudRate), "923076");
    EXPECT_EQ(p.Text(kStandardRateId), "Nearest standard rate 921600 bps: +0.16 %");
    EXPECT_EQ(p.Text(U0::kInterruptText), "UART0 Interrupt is Enabled");
    EXPECT_EQ(p.Text(U0::kCrossbarText), "UART0 is Enabled on the Crossbar");
    // Prescaler 3 counts as SYSCLK / 8; the page shows it when activated.
    timers_.Registers[kCkcon].Value = 0x03;
    timers_.Registers[kTh1].Value = 0x00;
    doc_->SysclkFrequency = 0;
    p.OnSetActive();
    EXPECT_EQ(p.Text(U0::kBaudRate), "0");
    EXPECT_EQ(p.Text(kStandardRateId), "Nearest standard rate: -");
    doc_->SysclkFrequency = 1000000;
    p.OnSetActive();
    EXPECT_EQ(p.Text(U0::kBaudRate), "244");
}

TEST_F(UartPages, Uart1BaudRateRoundsHalfUpFromItsGenerator) {
    doc_->SysclkFrequency = 12000000;
    Reg(kSbcon1) = 0x43;
    Reg(kSbrlh1) = 0xFF;
    Reg(kSbrll1) = 0xD9;
    U1& p = Open1();
    EXPECT_EQ(p.Text(U1::kReloadHigh), "FF");
    EXPECT_EQ(p.Text(U1::kReloadLow), "D9");
    EXPECT_TRUE(p.IsChecked(U1::kSysclk1));
    EXPECT_EQ(p.Text(U1::kGeneratorText), "UART1 is Enabled");
    EXPECT_EQ(p.Text(U1::kBaudRate), "153846");
    EXPECT_EQ(p.Text(kStandardRateId), "Nearest standard rate 115200 bps: +33.55 %");
    // Reload 0 at SYSCLK / 12 and 1.5 MHz: 125000 / 131072 rounds to 1.
    doc_->SysclkFrequency = 1500000;
    ASSERT_EQ(driver::Click(&p, U1::kSysclk12), "");
    EXPECT_EQ(Reg(kSbcon1), 0x40);
    ASSERT_EQ(driver::SetText(&p, U1::kReloadHigh, "00"), "");
    ASSERT_EQ(driver::SetText(&p, U1::kReloadLow, "0"), "");
    EXPECT_EQ(p.Text(U1::kBaudRate), "1");
    // The codes are not in divider order: code 2 is SYSCLK / 48.
    ASSERT_EQ(driver::SetText(&p, U1::kReloadHigh, "FF"), "");
    ASSERT_EQ(driver::SetText(&p, U1::kReloadLow, "FF"), "");
    ASSERT_EQ(driver::Click(&p, U1::kSysclk48), "");
    EXPECT_EQ(Reg(kSbcon1), 0x42);
    EXPECT_EQ(p.Text(U1::kBaudRate), "15625");
    ASSERT_EQ(driver::Click(&p, U1::kGenerator), "");
    EXPECT_EQ(p.Text(U1::kGeneratorText), "UART1 is Disabled");
    EXPECT_EQ(p.Text(kPreviewId), "    SBRLL1    = 0xFF;\r\n    SBRLH1    = 0xFF;\r\n    SBCON1    = 0x02;\r\n");
}

TEST_F(UartPages, Uart1StopAndExtraBitCheckNeedsTheExtraBitAndNoParity) {
    U1& p = Open1();
    EXPECT_TRUE(p.IsChecked(U1::kEightBit));  // SMOD1 0x0C
    EXPECT_FALSE(p.IsEnabled(U1::kStopAndExtraBit));
    EXPECT_FALSE(p.IsEnabled(U1::kOdd));

    ASSERT_EQ(driver::Click(&p, U1::kExtraBit), "");
    EXPECT_TRUE(p.IsEnabled(U1::kStopAndExtraBit));
    ASSERT_EQ(driver::Click(&p, U1::kStopAndExtraBit), "");
    EXPECT_EQ(Reg(kSmod1), 0x8E);

    // Parity on: back to the stop-bit check, bit 7 cleared.
    ASSERT_EQ(driver::Click(&p, U1::kParity), "");
    EXPECT_EQ(Reg(kSmod1), 0x1E);
    EXPECT_TRUE(p.IsChecked(U1::kStopBitOnly));
    EXPECT_FALSE(p.IsChecked(U1::kStopAndExtraBit));
    EXPECT_FALSE(p.IsEnabled(U1::kStopAndExtraBit));
    EXPECT_TRUE(p.IsEnabled(U1::kSpace));
    ASSERT_EQ(driver::Click(&p, U1::kSpace), "");
    EXPECT_EQ(Reg(kSmod1), 0x7E);

    // Parity off again with the extra bit on: the check may be chosen again.
    ASSERT_EQ(driver::Click(&p, U1::kParity), "");
    EXPECT_TRUE(p.IsEnabled(U1::kStopAndExtraBit));
    EXPECT_FALSE(p.IsEnabled(U1::kOdd));
    ASSERT_EQ(driver::Click(&p, U1::kStopAndExtraBit), "");
    EXPECT_EQ(Reg(kSmod1), 0xEE);
    // Extra bit off: the check goes.
    ASSERT_EQ(driver::Click(&p, U1::kExtraBit), "");
    EXPECT_EQ(Reg(kSmod1), 0x6C);
    EXPECT_TRUE(p.IsChecked(U1::kStopBitOnly));
    EXPECT_FALSE(p.IsEnabled(U1::kStopAndExtraBit));

    ASSERT_EQ(driver::Click(&p, U1::kFiveBit), "");
    ASSERT_EQ(driver::Click(&p, U1::kLongStop), "");
    ASSERT_EQ(driver::Click(&p, U1::kReception), "");
    EXPECT_EQ(Reg(kSmod1), 0x61);
    EXPECT_EQ(Reg(kScon1), 0x10);

    // Refreshed from a record: the check follows bit 7, its enable bit 1 only.
    Reg(kSmod1) = 0x92;
    U1& q = Open1();
    EXPECT_TRUE(q.IsChecked(U1::kStopAndExtraBit));
    EXPECT_TRUE(q.IsEnabled(U1::kStopAndExtraBit));
    EXPECT_TRUE(q.IsChecked(U1::kParity));
    EXPECT_TRUE(q.IsChecked(U1::kOdd));
    EXPECT_TRUE(q.IsEnabled(U1::kOdd));
    EXPECT_TRUE(q.IsChecked(U1::kFiveBit));
}

TEST_F(UartPages, EachResetKeepsTheOtherUartsRegisters) {
    for (int pos = 0; pos < 6; ++pos) Reg(pos) = 0x55;
    U0& p0 = Open0();
    p0.OnReset();
    EXPECT_EQ(Reg(kScon0), 0x00);
    for (int pos = 1; pos < 6; ++pos) EXPECT_EQ(Reg(pos), 0x55) << pos;
    EXPECT_TRUE(p0.IsChecked(U0::kEightBit));

    Reg(kScon0) = 0x90;
    U1& p1 = Open1();
    p1.OnReset();
    EXPECT_EQ(Reg(kScon0), 0x90);
    EXPECT_EQ(Reg(kSbrll1), 0x00);
    EXPECT_EQ(Reg(kSbrlh1), 0x00);
    EXPECT_EQ(Reg(kScon1), 0x00);
    EXPECT_EQ(Reg(kSmod1), 0x0C);
    EXPECT_EQ(Reg(kSbcon1), 0x00);
    EXPECT_EQ(p1.Text(U1::kReloadLow), "00");
    EXPECT_EQ(p1.Text(kPreviewId), "    SCON0     = 0x90;\r\n");
}

TEST_F(UartPages, SheetHoldsUart1OnLargePackagesOnly) {
    for (int model = 0; model < 8; ++model) {
        auto doc = NewProject(model);
        const bool large = model == 0 || model == 1 || model == 4 || model == 5;
        ui_.Modals.push_back([&](ModalDialog& d) {
            auto& sheet = dynamic_cast<CDeviceDlg&>(d);
            ASSERT_EQ(sheet.PageCount(), large ? 2 : 1) << model;
            EXPECT_EQ(sheet.Page(0)->Caption(), "UART0");
            if (large) {
                EXPECT_EQ(sheet.Page(1)->Caption(), "UART1");
            }
            d.Finish(false);
        });
        EXPECT_FALSE(pages::RunPeripheralCommand(*doc, cmd::Uart));
    }
}

TEST_F(UartPages, SheetStoresTheUartRecordOnOkOnly) {
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto& sheet = dynamic_cast<CDeviceDlg&>(d);
        EXPECT_EQ(driver::Click(sheet.ActivePage(), U0::kReception), "");
        sheet.SetActivePage(1);
        EXPECT_EQ(driver::Click(sheet.ActivePage(), U1::kReception), "");
        sheet.PressOk();
    });
    EXPECT_TRUE(pages::RunPeripheralCommand(*doc_, cmd::Uart));
    PeripheralRecord stored;
    doc_->GetPeripheral(stored, Pid::Uart);
    EXPECT_EQ(stored.Registers[kScon0].Value, 0x10);
    EXPECT_EQ(stored.Registers[kScon1].Value, 0x10);
}

TEST_F(UartPages, Timer1ChangeFromUart0StaysWhenTheSheetIsCancelled) {
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto& sheet = dynamic_cast<CDeviceDlg&>(d);
        CPropPage* page = sheet.ActivePage();
        ui_.Modals.push_back([&](ModalDialog& nested) {
            auto& timerSheet = dynamic_cast<CDeviceDlg&>(nested);
            ASSERT_EQ(timerSheet.PageCount(), 1);
            EXPECT_EQ(timerSheet.Page(0)->Caption(), "Timer 1");
            EXPECT_EQ(driver::Click(timerSheet.ActivePage(), 11103), "");  // Timer 1 on SYSCLK
            EXPECT_EQ(driver::SetText(timerSheet.ActivePage(), 11123, "F3"), "");
            timerSheet.PressOk();
        });
        EXPECT_EQ(driver::Click(page, U0::kConfigureBaudRate), "");
        EXPECT_EQ(page->Text(U0::kBaudRate), "57692");  // 1500000 / 13 / 2
        EXPECT_EQ(driver::Click(page, U0::kReception), "");
        d.Finish(false);
    });
    EXPECT_FALSE(pages::RunPeripheralCommand(*doc_, cmd::Uart));
    PeripheralRecord timers, uart;
    doc_->GetPeripheral(timers, Pid::Timers);
    doc_->GetPeripheral(uart, Pid::Uart);
    EXPECT_EQ(timers.Registers[kTh1].Value, 0xF3);
    EXPECT_EQ(timers.Registers[kCkcon].Value, 0x08);
    EXPECT_EQ(uart.Registers[kScon0].Value, 0x00);
}

TEST_F(UartPages, Uart1CalculatorWritesTheGeneratorAndThePageFollows) {
    doc_->SysclkFrequency = 24000000;
    U1& p = Open1();
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto* calc = dynamic_cast<QWidget*>(&d);
        EXPECT_EQ(driver::SetText(calc, 11167, "9600"), "");
        EXPECT_EQ(driver::Click(calc, kIdOk), "");
    });
    ASSERT_EQ(driver::Click(&p, U1::kConfigureBaudRate), "");
    EXPECT_EQ(ui_.Shown.back().Text, "Change SBRL1's Data to:\n\n SBRLH1:SBRLL1 = FB1E\n Clock Source: SYSCLK / 1");
    EXPECT_EQ(Reg(kSbrlh1), 0xFB);
    EXPECT_EQ(Reg(kSbrll1), 0x1E);
    EXPECT_EQ(Reg(kSbcon1), 0x43);
    EXPECT_EQ(p.Text(U1::kReloadHigh), "FB");
    EXPECT_EQ(p.Text(U1::kReloadLow), "1E");
    EXPECT_TRUE(p.IsChecked(U1::kSysclk1));
    EXPECT_TRUE(p.IsChecked(U1::kGenerator));
    EXPECT_EQ(p.Text(U1::kGeneratorText), "UART1 is Enabled");
    EXPECT_EQ(p.Text(U1::kBaudRate), "9600");
    EXPECT_EQ(p.Text(kPreviewId), "    SBRLL1    = 0x1E;\r\n    SBRLH1    = 0xFB;\r\n    SBCON1    = 0x43;\r\n");

    // Cancel writes nothing.
    ui_.Modals.push_back([&](ModalDialog& d) {
        driver::SetText(dynamic_cast<QWidget*>(&d), 11167, "1200");
        d.Finish(false);
    });
    ASSERT_EQ(driver::Click(&p, U1::kConfigureBaudRate), "");
    EXPECT_EQ(Reg(kSbrll1), 0x1E);
    EXPECT_EQ(p.Text(U1::kBaudRate), "9600");
}

}  // namespace
