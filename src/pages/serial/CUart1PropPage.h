#pragma once
// UART1 of the large-package models: frame format (data length, parity,
// extra bit, stop bits), multiprocessor check, reception, and its own 16-bit
// baud-rate generator, set by hand or through the baud-rate calculator.

#include <cstdint>

#include "pages/serial/CSerialPropPage.h"

class CUart1PropPage : public CSerialPropPage {
    Q_OBJECT
public:
    static constexpr int kInterruptText = 11013;
    static constexpr int kCrossbarText = 11014;
    static constexpr int kReception = 11015;
    static constexpr int kOdd = 11016;
    static constexpr int kEven = 11017;
    static constexpr int kMark = 11018;
    static constexpr int kSpace = 11019;
    static constexpr int kParity = 11020;
    static constexpr int kStopBitOnly = 11021;
    static constexpr int kStopAndExtraBit = 11022;
    static constexpr int kFiveBit = 11023;
    static constexpr int kSixBit = 11024;
    static constexpr int kSevenBit = 11025;
    static constexpr int kEightBit = 11026;
    static constexpr int kExtraBit = 11027;
    static constexpr int kShortStop = 11028;
    static constexpr int kLongStop = 11029;
    static constexpr int kReloadHigh = 11030;
    static constexpr int kReloadLow = 11031;
    static constexpr int kGenerator = 11032;
    static constexpr int kSysclk12 = 11033;
    static constexpr int kSysclk4 = 11034;
    static constexpr int kSysclk48 = 11035;
    static constexpr int kSysclk1 = 11036;
    static constexpr int kGeneratorText = 11037;
    static constexpr int kConfigureInterrupts = 11155;
    static constexpr int kConfigureBaudRate = 11156;
    static constexpr int kBaudRate = 11167;

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
