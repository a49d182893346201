#pragma once
// SMBus: enable, slave inhibit, extended SDA times, SCL and free timeout
// detection, and the timer whose overflow clocks the bus, with the bit rate
// and the minimum SCL low time that timer gives and whether Timer 3 is set
// up for the 25 ms SCL timeout.

#include <cstdint>

#include "pages/serial/CSerialPropPage.h"

class CSMBusPropPage : public CSerialPropPage {
    Q_OBJECT
public:
    // Control ids.
    enum : int {
        kBitRate = 11169, kTimer3Status = 11312,
        kEnable = 11372, kInhibitSlave, kExtendedTimes, kSclTimeout, kFreeTimeout, kCrossbarText,
        kConfigureTimer3, kInterruptText, kConfigureBitRate, kConfigureInterrupts,
        kTimer0, kTimer1, kTimer2High, kTimer2Low, kLowTime = 11389,
    };

    // Reads the sheet's copies of the timer, interrupt and Port I/O records
    // (edited only by the nested sheets).
    explicit CSMBusPropPage(PageContext& context);

    void OnSetActive() override;
    void Refresh() override;
    void OnCommand(int id) override;

    // The timer page "Configure SMBus Bit Rate" opens for the chosen source:
    // 0, 1, or 2 for either half of Timer 2.
    int SourceTimer() const;

private:
    void ShowTimeout();
    void ShowBitRate();
    void ShowTexts();

    PeripheralRecord* timers_;
};
