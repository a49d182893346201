#include "pages/serial/CUart0PropPage.h"

#include <string>

#include "chip/SerialMath.h"
#include "devices/Registers.h"

namespace {
constexpr std::uint8_t kNineBitMode = 0x80;
constexpr std::uint8_t kMultiprocessor = 0x20;
constexpr std::uint8_t kReceive = 0x10;

// Timer record: CKCON and TH1.
// Interrupt record IE bit 4; Port I/O record XBR0 bit 0.
const CSerialPropPage::Links kLinks = {
    .unit = "UART0",
    .bus = "UART",
    .interruptText = CUart0PropPage::kInterruptText,
    .configureInterrupts = CUart0PropPage::kConfigureInterrupts,
    .interruptRegister = InterruptsReg::IE,
    .interruptMask = 0x10,
    .crossbarText = CUart0PropPage::kCrossbarText,
    .crossbarRegister = PortIOReg::XBR0,
    .crossbarMask = 0x01,
};

}  // namespace

CUart0PropPage::CUart0PropPage(PageContext& context)
    : CSerialPropPage(context, "UART0", kLinks), timers_(&context.Record(Pid::Timers)) {
    PageBuilder b = Builder();
    b.Group("UART Mode");
    b.Radio(kEightBit, "8 Bit UART").Field(UartReg::SCON0, kNineBitMode, 0x00);
    b.Radio(kNineBit, "9 Bit UART").Field(UartReg::SCON0, kNineBitMode, kNineBitMode);
    // Two views of one bit; the handler keeps them in step.
    b.Group("Multiprocessor Communications Enable");
    b.Label(0, "8 Bit UART - Checks for valid stop bit:");
    b.Radio(kStopBitIgnored, "Logic level of stop bit ignored", false);
    b.Radio(kStopBitChecked, "RI0 will only be activated if stop bit is logic level 1", false);
    b.Label(0, "9 Bit UART - MP Comm Enable:");
    b.Radio(kNinthBitIgnored, "Logic level of ninth bit is ignored", false);
    b.Radio(kNinthBitChecked,
            "RI0 is set and an interrupt is generated only when the ninth bit is logic 1", false);
    b.Group("Receive Enable");
    b.Check(kReception, "Enable UART0 Reception").Bit(UartReg::SCON0, kReceive);

    b.NextColumn();
    b.Group("UART Baud Rate");
    AddBaudRateDisplay(b, kBaudRate);
    b.Button(kConfigureBaudRate, "Configure UART Baud Rate");
    AddLinkGroups(b);
}

void CUart0PropPage::ShowModeGroups() {
    const bool nine = TestBits(UartReg::SCON0, kNineBitMode);
    for (int id : {kStopBitIgnored, kStopBitChecked})
        Enable(id, !nine);
    for (int id : {kNinthBitIgnored, kNinthBitChecked})
        Enable(id, nine);
}

void CUart0PropPage::ShowMultiprocessor() {
    const bool on = TestBits(UartReg::SCON0, kMultiprocessor);
    Check(kStopBitIgnored, !on);
    Check(kStopBitChecked, on);
    Check(kNinthBitIgnored, !on);
    Check(kNinthBitChecked, on);
}

void CUart0PropPage::ShowBaudRate() {
    int rate = 0;
    if (timers_ && timers_->Registers.size() > TimersReg::TH1)
        rate = serial::Uart0BaudRate(Sysclk(), timers_->Registers[TimersReg::CKCON].Value,
                                     timers_->Registers[TimersReg::TH1].Value);
    SetText(kBaudRate, std::to_string(rate));
    SetText(kStandardRateId, serial::StandardRateText(rate));
}

void CUart0PropPage::ShowTexts() {
    ShowInterruptText();
    ShowCrossbarText();
}

void CUart0PropPage::Refresh() {
    RefreshBound();
    ShowModeGroups();
    ShowMultiprocessor();
    ShowBaudRate();
    ShowTexts();
}

void CUart0PropPage::OnSetActive() {
    RefreshPreview();
    ShowBaudRate();
    ShowTexts();
}

void CUart0PropPage::ResetRegisters() {
    ResetRegister(UartReg::SCON0);
}

void CUart0PropPage::OnCommand(int id) {
    switch (id) {
        case kEightBit:
        case kNineBit:
            CPropPage::OnCommand(id);
            ShowModeGroups();
            return;
        case kStopBitIgnored:
        case kNinthBitIgnored:
            SetBits(0, UartReg::SCON0, kMultiprocessor);
            ShowMultiprocessor();
            RefreshPreview();
            return;
        case kStopBitChecked:
        case kNinthBitChecked:
            SetBits(1, UartReg::SCON0, kMultiprocessor);
            ShowMultiprocessor();
            RefreshPreview();
            return;
        case kConfigureBaudRate:
            // The Timer 1 page alone, on this page's copies; its OK stores the
            // timer record at once.
            if (Ctx().OpenSheet(SheetId::Timer1))
                ReloadPortIO();
            // A cancelled sheet may still have changed the timer copy in place.
            ShowBaudRate();
            ShowTexts();
            return;
        default:
            if (!OnLinkCommand(id)) CPropPage::OnCommand(id);
    }
}
