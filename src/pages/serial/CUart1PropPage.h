#pragma once
// UART1 of the large-package models: frame format (data length, parity,
// extra bit, stop bits), multiprocessor check, reception, and its own 16-bit
// baud-rate generator, set by hand or through the baud-rate calculator.

#include <cstdint>

#include "pages/serial/CSerialPropPage.h"

class CUart1PropPage : public CSerialPropPage {
    Q_OBJECT
public:
    // Control ids.
    enum : int {
        kInterruptText = 11013, kCrossbarText, kReception,
        kOdd, kEven, kMark, kSpace, kParity, kStopBitOnly, kStopAndExtraBit,
        kFiveBit, kSixBit, kSevenBit, kEightBit, kExtraBit, kShortStop, kLongStop,
        kReloadHigh, kReloadLow, kGenerator, kSysclk12, kSysclk4, kSysclk48, kSysclk1, kGeneratorText,
        kConfigureInterrupts = 11155, kConfigureBaudRate, kBaudRate = 11167,
    };

    explicit CUart1PropPage(PageContext& context);

    void OnSetActive() override;
    void Refresh() override;
    // UART1's five registers go back; SCON0 stays.
    void ResetRegisters() override;
    void OnCommand(int id) override;

protected:
    void OnHexChanged(int editId) override;

private:
    // After a parity or extra-bit change: the stop-and-extra-bit check needs
    // the extra bit and no parity.
    void ApplyExtraBitRule();
    void ShowBaudRate();
    void ShowTexts();
};
