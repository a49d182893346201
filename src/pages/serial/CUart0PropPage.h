#pragma once
// UART0: 8- or 9-bit mode, the multiprocessor check (one bit shown in two
// groups kept in step), reception, and the baud rate Timer 1 gives, which
// the page changes through a Timers sheet holding the Timer 1 page.

#include <cstdint>

#include "pages/serial/CSerialPropPage.h"

class CUart0PropPage : public CSerialPropPage {
    Q_OBJECT
public:
    static constexpr int kEightBit = 11091;
    static constexpr int kNineBit = 11092;
    static constexpr int kStopBitIgnored = 11150;
    static constexpr int kStopBitChecked = 11151;
    static constexpr int kNinthBitIgnored = 11152;
    static constexpr int kNinthBitChecked = 11153;
    static constexpr int kReception = 11154;
    static constexpr int kConfigureInterrupts = 11155;
    static constexpr int kConfigureBaudRate = 11156;
    static constexpr int kBaudRate = 11167;
    static constexpr int kInterruptText = 11247;
    static constexpr int kCrossbarText = 11280;

    // Reads the sheet's copies of the timer, interrupt and Port I/O records
    // (edited only by the nested sheets).
    explicit CUart0PropPage(PageContext& context);

    void OnSetActive() override;
    void Refresh() override;
    // Only SCON0 goes back; UART1's registers stay.
    void ResetRegisters() override;
    void OnCommand(int id) override;

private:
    void ShowModeGroups();
    void ShowMultiprocessor();
    void ShowBaudRate();
    void ShowTexts();

    PeripheralRecord* timers_;
};
