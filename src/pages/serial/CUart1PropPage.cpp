#include "pages/serial/CUart1PropPage.h"

#include <string>

#include <QLineEdit>

#include "chip/SerialMath.h"
#include "devices/Registers.h"
#include "pages/common/CRateCalculatorDlg.h"
#include "pages/serial/CUart0PropPage.h"
#include "pages/serial/StatusLabel.h"
#include "pages/common/CRateCalculatorDlg.h"

namespace {

// UART record.
constexpr std::uint8_t kParityBit = 0x10;
constexpr std::uint8_t kExtraBitBit = 0x02;
constexpr std::uint8_t kMultiprocessor = 0x80;
constexpr std::uint8_t kGeneratorRun = 0x40;

// Interrupt record EIE2 bit 1; Port I/O record XBR2 bit 0.
const CSerialPropPage::Links kLinks = {
    .unit = "UART1",
    .bus = "UART",
    .interruptText = CUart1PropPage::kInterruptText,
    .configureInterrupts = CUart1PropPage::kConfigureInterrupts,
    .interruptRegister = InterruptsReg::EIE2,
    .interruptMask = 0x02,
    .crossbarText = CUart1PropPage::kCrossbarText,
    .crossbarRegister = PortIOReg::XBR2,
    .crossbarMask = 0x01,
};

}  // namespace

CUart1PropPage::CUart1PropPage(PageContext& context)
    : CSerialPropPage(context, "UART1", kLinks) {
    PageBuilder b(this, this);
    // Short choices side by side, so that the page fits a laptop's screen.
    b.Group("Data Length");
    b.BeginRow();
    b.Radio(kFiveBit, "5-bit data");
    b.Radio(kSixBit, "6-bit data");
    b.Radio(kSevenBit, "7-bit data");
    b.Radio(kEightBit, "8-bit data");
    b.EndRow();
    b.Group("Parity Type");
    b.Check(kParity, "Enable Parity");
    b.BeginRow();
    b.Radio(kOdd, "Odd");
    b.Radio(kEven, "Even");
    b.Radio(kMark, "Mark");
    b.Radio(kSpace, "Space");
    b.EndRow();
    b.Group("Extra Bit Enable");
    b.Check(kExtraBit, "Enable extra bit");
    b.Group("Stop Bit Length");
    b.Radio(kShortStop, "Short - one bit time");
    b.Radio(kLongStop, "Long - 2 bit times (6-bit, 7-bit, 8-bit) or 1.5 bit times (5-bit)");
    b.Group("Multiprocessor Communications Enable");
    b.Radio(kStopBitOnly, "RI will only be activated if stop bit is logic level 1");
    b.Radio(kStopAndExtraBit,
            "RI will only be activated if stop bit and extra bit are logic level 1");
    b.Group("Receive Enable");
    b.Check(kReception, "Enable UART1 Reception");

    b.NextColumn();
    b.Group("Baud Rate Generator Control");
    b.BeginRow();
    b.Check(kGenerator, "Enable Baud Rate Generator");
    StatusLabel(b.Label(kGeneratorText, ""), "UART1 is Disabled");
    b.EndRow();
    b.Group("Prescaled Clock Inputs");
    b.BeginRow();
    b.Radio(kSysclk12, "SYSCLK / 12");
    b.Radio(kSysclk4, "SYSCLK / 4");
    b.Radio(kSysclk48, "SYSCLK / 48");
    b.Radio(kSysclk1, "SYSCLK / 1");
    b.EndRow();
    b.Group("Baud Rate Generator Reload Value");
    b.Edit(kReloadHigh, "SBRLH1 (High Byte):");
    b.Edit(kReloadLow, "SBRLL1 (Low Byte):");
    b.Group("UART Baud Rate");
    b.Edit(kBaudRate, "", "bps")->setReadOnly(true);
    StatusLabel(b.Label(kStandardRateId, ""), "Nearest standard rate 921600 bps: -100.00 %");
    b.Button(kConfigureBaudRate, "Configure UART Baud Rate");
    AddLinkGroups(b);

    Bind({
        {kFiveBit, ControlKind::Radio, "", "", 0, UartReg::SMOD1, 0x0C, 0x00},
        {kSixBit, ControlKind::Radio, "", "", 0, UartReg::SMOD1, 0x0C, 0x04},
        {kSevenBit, ControlKind::Radio, "", "", 0, UartReg::SMOD1, 0x0C, 0x08},
        {kEightBit, ControlKind::Radio, "", "", 0, UartReg::SMOD1, 0x0C, 0x0C},
        {kParity, ControlKind::Check, "", "", 0, UartReg::SMOD1, kParityBit, 0},
        {kOdd, ControlKind::Radio, "", "", 0, UartReg::SMOD1, 0x60, 0x00},
        {kEven, ControlKind::Radio, "", "", 0, UartReg::SMOD1, 0x60, 0x20},
        {kMark, ControlKind::Radio, "", "", 0, UartReg::SMOD1, 0x60, 0x40},
        {kSpace, ControlKind::Radio, "", "", 0, UartReg::SMOD1, 0x60, 0x60},
        {kExtraBit, ControlKind::Check, "", "", 0, UartReg::SMOD1, kExtraBitBit, 0},
        {kShortStop, ControlKind::Radio, "", "", 0, UartReg::SMOD1, 0x01, 0x00},
        {kLongStop, ControlKind::Radio, "", "", 0, UartReg::SMOD1, 0x01, 0x01},
        {kStopBitOnly, ControlKind::Radio, "", "", 0, UartReg::SMOD1, kMultiprocessor, 0x00},
        {kStopAndExtraBit, ControlKind::Radio, "", "", 0, UartReg::SMOD1, kMultiprocessor,
         kMultiprocessor},
        {kReception, ControlKind::Check, "", "", 0, UartReg::SCON1, 0x10, 0},
        {kGenerator, ControlKind::Check, "", "", 0, UartReg::SBCON1, kGeneratorRun, 0},
        {kSysclk12, ControlKind::Radio, "", "", 0, UartReg::SBCON1, 0x03, 0x00},
        {kSysclk4, ControlKind::Radio, "", "", 0, UartReg::SBCON1, 0x03, 0x01},
        {kSysclk48, ControlKind::Radio, "", "", 0, UartReg::SBCON1, 0x03, 0x02},
        {kSysclk1, ControlKind::Radio, "", "", 0, UartReg::SBCON1, 0x03, 0x03},
    });
    BindHex(kReloadHigh, UartReg::SBRLH1);
    BindHex(kReloadLow, UartReg::SBRLL1);
}

void CUart1PropPage::ShowBaudRate() {
    const std::int64_t rate = serial::Uart1BaudRate(Sysclk(), Value(UartReg::SBCON1),
                                                    Value(UartReg::SBRLH1), Value(UartReg::SBRLL1));
    SetText(kBaudRate, std::to_string(rate));
    SetText(kStandardRateId, serial::StandardRateText(rate));
}

void CUart1PropPage::ShowTexts() {
    SetText(kGeneratorText,
            TestBits(UartReg::SBCON1, kGeneratorRun) ? "UART1 is Enabled" : "UART1 is Disabled");
    ShowInterruptText();
    ShowCrossbarText();
}

void CUart1PropPage::Refresh() {
    RefreshBound();  // every bit control and both reload edits
    Enable(kStopAndExtraBit, TestBits(UartReg::SMOD1, kExtraBitBit));
    const bool parity = TestBits(UartReg::SMOD1, kParityBit);
    for (int id : {kOdd, kEven, kMark, kSpace})
        Enable(id, parity);
    ShowBaudRate();
    ShowTexts();
}

void CUart1PropPage::OnSetActive() {
    RefreshPreview();
    ShowBaudRate();
    ShowTexts();
}

void CUart1PropPage::ResetRegisters() {
    for (int position :
         {UartReg::SCON1, UartReg::SMOD1, UartReg::SBCON1, UartReg::SBRLH1, UartReg::SBRLL1})
        ResetRegister(position);
}

void CUart1PropPage::ApplyExtraBitRule() {
    if (TestBits(UartReg::SMOD1, kParityBit) || !TestBits(UartReg::SMOD1, kExtraBitBit)) {
        Enable(kStopAndExtraBit, false);
        CheckRadio(kStopBitOnly, kStopAndExtraBit, kStopBitOnly);
        SetBits(0, UartReg::SMOD1, kMultiprocessor);
    } else {
        Enable(kStopAndExtraBit, true);
    }
}

void CUart1PropPage::OnHexChanged(int /*editId*/) {
    ShowBaudRate();
}

void CUart1PropPage::OnCommand(int id) {
    switch (id) {
        case kParity: {
            CPropPage::OnCommand(id);
            const bool parity = TestBits(UartReg::SMOD1, kParityBit);
            for (int r : {kOdd, kEven, kMark, kSpace})
                Enable(r, parity);
            ApplyExtraBitRule();
            RefreshPreview();
            return;
        }
        case kExtraBit:
            CPropPage::OnCommand(id);
            ApplyExtraBitRule();
            RefreshPreview();
            return;
        case kSysclk12:
        case kSysclk4:
        case kSysclk48:
        case kSysclk1:
            CPropPage::OnCommand(id);
            ShowBaudRate();
            return;
        case kGenerator:
            CPropPage::OnCommand(id);
            ShowTexts();
            return;
        case kConfigureBaudRate: {
            // The calculator's generator path writes SBRLH1, SBRLL1 and SBCON1.
            CRateCalculatorDlg calc(Ctx(), *Record(), RateKind::Uart1Baud);
            if (calc.Run()) {
                Refresh();
                RefreshPreview();
            }
            ShowBaudRate();  // its Oscillators sheet may have changed SYSCLK
            return;
        }
        default:
            if (!OnLinkCommand(id)) CPropPage::OnCommand(id);
    }
}
