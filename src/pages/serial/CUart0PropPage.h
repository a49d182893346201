#pragma once
// UART0: 8- or 9-bit mode, the multiprocessor check (one bit shown in two
// groups kept in step), reception, and the baud rate Timer 1 gives, which
// the page changes through a Timers sheet holding the Timer 1 page.

#include <cstdint>

#include "pages/serial/CSerialPropPage.h"

class CUart0PropPage : public CSerialPropPage {
    Q_OBJECT
public:
    // Control ids.
    enum : int {
        kEightBit = 11091, kNineBit,
        kStopBitIgnored = 11150, kStopBitChecked, kNinthBitIgnored, kNinthBitChecked, kReception,
        kConfigureInterrupts, kConfigureBaudRate, kBaudRate = 11167,
        kInterruptText = 11247, kCrossbarText = 11280,
    };

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
