#include "pages/serial/CUart0PropPage.h"

#include <string>

#include <QBoxLayout>
#include <QLineEdit>

#include "pages/common/CommandTable.h"
#include "pages/portio/PortIOSheet.h"
#include "pages/serial/SerialMath.h"
#include "pages/serial/StatusLabel.h"
#include "pages/system/InterruptSheets.h"
#include "pages/timers/TimerSheets.h"

using serial::RecordBit;

namespace {

constexpr int kScon0 = 0;
constexpr std::uint8_t kNineBitMode = 0x80;
constexpr std::uint8_t kMultiprocessor = 0x20;
constexpr std::uint8_t kReceive = 0x10;

// Timer record: CKCON and TH1.
constexpr int kCkcon = 2;
constexpr int kTh1 = 6;
// Interrupt record IE bit 4; Port I/O record XBR0 bit 0.
constexpr std::size_t kIe = 6;
constexpr std::size_t kXbr0 = 14;

}  // namespace

CUart0PropPage::CUart0PropPage(PeripheralRecord* timers, PeripheralRecord* interrupts,
                               PeripheralRecord* portIO, const std::uint32_t* sysclk)
    : CPropPage("UART0"),
      timers_(timers),
      interrupts_(interrupts),
      portIO_(portIO),
      sysclk_(sysclk) {
    PageBuilder b(this, this);
    b.Group("UART Mode");
    b.Radio(kEightBit, "8 Bit UART");
    b.Radio(kNineBit, "9 Bit UART");
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
    b.Check(kReception, "Enable UART0 Reception");

    b.NextColumn();
    b.Group("UART Baud Rate");
    b.Edit(kBaudRate, "", "bps")->setReadOnly(true);
    StatusLabel(b.Label(kStandardRateId, ""), "Nearest standard rate 921600 bps: -100.00 %");
    b.Button(kConfigureBaudRate, "Configure UART Baud Rate");
    b.Group("UART Interrupt");
    StatusLabel(b.Label(kInterruptText, ""), "UART0 Interrupt is Disabled");
    b.Button(kConfigureInterrupts, "Configure UART Interrupts");
    b.Group("UART on the Crossbar");
    StatusLabel(b.Label(kCrossbarText, ""), "UART0 is Disabled on the Crossbar");
    b.Button(kConfigurePortIO, "Configure Port I/O");
    b.Preview();
    // Spare height of the sheet goes above the preview, not into it.
    if (auto* outer = qobject_cast<QBoxLayout*>(layout())) outer->insertStretch(1, 1);

    Bind({
        {kEightBit, ControlKind::Radio, "", "", 0, kScon0, kNineBitMode, 0x00},
        {kNineBit, ControlKind::Radio, "", "", 0, kScon0, kNineBitMode, kNineBitMode},
        {kReception, ControlKind::Check, "", "", 0, kScon0, kReceive, 0},
    });
}

void CUart0PropPage::ShowModeGroups() {
    const bool nine = TestBits(kScon0, kNineBitMode);
    for (int id : {kStopBitIgnored, kStopBitChecked})
        Enable(id, !nine);
    for (int id : {kNinthBitIgnored, kNinthBitChecked})
        Enable(id, nine);
}

void CUart0PropPage::ShowMultiprocessor() {
    const bool on = TestBits(kScon0, kMultiprocessor);
    Check(kStopBitIgnored, !on);
    Check(kStopBitChecked, on);
    Check(kNinthBitIgnored, !on);
    Check(kNinthBitChecked, on);
}

void CUart0PropPage::ShowBaudRate() {
    const std::uint32_t sysclk = sysclk_ ? *sysclk_ : 0;
    int rate = 0;
    if (timers_ && timers_->Registers.size() > kTh1)
        rate = serial::Uart0BaudRate(sysclk, timers_->Registers[kCkcon].Value,
                                     timers_->Registers[kTh1].Value);
    SetText(kBaudRate, std::to_string(rate));
    SetText(kStandardRateId, serial::StandardRateText(rate));
}

void CUart0PropPage::ShowTexts() {
    SetText(kInterruptText, RecordBit(interrupts_, kIe, 0x10) ? "UART0 Interrupt is Enabled"
                                                              : "UART0 Interrupt is Disabled");
    SetText(kCrossbarText, RecordBit(portIO_, kXbr0, 0x01) ? "UART0 is Enabled on the Crossbar"
                                                           : "UART0 is Disabled on the Crossbar");
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
    ResetRegister(kScon0);
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
            SetBits(0, kScon0, kMultiprocessor);
            ShowMultiprocessor();
            RefreshPreview();
            return;
        case kStopBitChecked:
        case kNinthBitChecked:
            SetBits(1, kScon0, kMultiprocessor);
            ShowMultiprocessor();
            RefreshPreview();
            return;
        case kConfigureInterrupts:
            if (RunInterruptsSheet(*ActiveDocument(), *interrupts_)) ShowTexts();
            return;
        case kConfigureBaudRate: {
            // The Timer 1 page alone, on this page's copies; its OK stores the
            // timer record at once.
            CDeviceDocument& doc = *ActiveDocument();
            if (RunTimerSheet(doc, 1, *timers_, *interrupts_, portIO_)) {
                doc.GetPeripheral(*portIO_, Pid::PortIO);
                CompleteRecord(*portIO_, doc.DeviceCode, Pid::PortIO);
            }
            // A cancelled sheet may still have changed the timer copy in place.
            ShowBaudRate();
            ShowTexts();
            return;
        }
        case kConfigurePortIO:
            if (RunPortIOSheet(*ActiveDocument(), portIO_)) ShowTexts();
            return;
        default:
            CPropPage::OnCommand(id);
    }
}
