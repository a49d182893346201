#include "pages/serial/CUart1PropPage.h"

#include <string>

#include "chip/SerialMath.h"
#include "devices/Registers.h"
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
    using UartReg::SBCON1;
    using UartReg::SMOD1;
    PageBuilder b = Builder();
    // Short choices side by side, so that the page fits a laptop's screen.
    b.Group("Data Length");
    b.BeginRow();
    b.Radio(kFiveBit, "5-bit data").Field(SMOD1, 0x0C, 0x00);
    b.Radio(kSixBit, "6-bit data").Field(SMOD1, 0x0C, 0x04);
    b.Radio(kSevenBit, "7-bit data").Field(SMOD1, 0x0C, 0x08);
    b.Radio(kEightBit, "8-bit data").Field(SMOD1, 0x0C, 0x0C);
    b.EndRow();
    b.Group("Parity Type");
    b.Check(kParity, "Enable Parity").Bit(SMOD1, kParityBit);
    b.BeginRow();
    b.Radio(kOdd, "Odd").Field(SMOD1, 0x60, 0x00);
    b.Radio(kEven, "Even").Field(SMOD1, 0x60, 0x20);
    b.Radio(kMark, "Mark").Field(SMOD1, 0x60, 0x40);
    b.Radio(kSpace, "Space").Field(SMOD1, 0x60, 0x60);
    b.EndRow();
    b.Group("Extra Bit Enable");
    b.Check(kExtraBit, "Enable extra bit").Bit(SMOD1, kExtraBitBit);
    b.Group("Stop Bit Length");
    b.Radio(kShortStop, "Short - one bit time").Field(SMOD1, 0x01, 0x00);
    b.Radio(kLongStop, "Long - 2 bit times (6-bit, 7-bit, 8-bit) or 1.5 bit times (5-bit)")
        .Field(SMOD1, 0x01, 0x01);
    b.Group("Multiprocessor Communications Enable");
    b.Radio(kStopBitOnly, "RI will only be activated if stop bit is logic level 1")
        .Field(SMOD1, kMultiprocessor, 0x00);
    b.Radio(kStopAndExtraBit, "RI will only be activated if stop bit and extra bit are logic level 1")
        .Field(SMOD1, kMultiprocessor, kMultiprocessor);
    b.Group("Receive Enable");
    b.Check(kReception, "Enable UART1 Reception").Bit(UartReg::SCON1, 0x10);

    b.NextColumn();
    b.Group("Baud Rate Generator Control");
    b.BeginRow();
    b.Check(kGenerator, "Enable Baud Rate Generator").Bit(SBCON1, kGeneratorRun);
    b.Status(kGeneratorText, {"UART1 is Disabled"});
    b.EndRow();
    b.Group("Prescaled Clock Inputs");
    b.BeginRow();
    b.Radio(kSysclk12, "SYSCLK / 12").Field(SBCON1, 0x03, 0x00);
    b.Radio(kSysclk4, "SYSCLK / 4").Field(SBCON1, 0x03, 0x01);
    b.Radio(kSysclk48, "SYSCLK / 48").Field(SBCON1, 0x03, 0x02);
    b.Radio(kSysclk1, "SYSCLK / 1").Field(SBCON1, 0x03, 0x03);
    b.EndRow();
    b.Group("Baud Rate Generator Reload Value");
    b.Hex(kReloadHigh, "SBRLH1 (High Byte):", UartReg::SBRLH1);
    b.Hex(kReloadLow, "SBRLL1 (Low Byte):", UartReg::SBRLL1);
    b.Group("UART Baud Rate");
    AddBaudRateDisplay(b, kBaudRate);
    b.Button(kConfigureBaudRate, "Configure UART Baud Rate");
    AddLinkGroups(b);
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
