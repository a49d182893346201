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
    static constexpr int kBitRate = 11169;
    static constexpr int kTimer3Status = 11312;
    static constexpr int kEnable = 11372;
    static constexpr int kInhibitSlave = 11373;
    static constexpr int kExtendedTimes = 11374;
    static constexpr int kSclTimeout = 11375;
    static constexpr int kFreeTimeout = 11376;
    static constexpr int kCrossbarText = 11377;
    static constexpr int kConfigureTimer3 = 11378;
    static constexpr int kInterruptText = 11379;
    static constexpr int kConfigureBitRate = 11380;
    static constexpr int kConfigureInterrupts = 11381;
    static constexpr int kTimer0 = 11382;
    static constexpr int kTimer1 = 11383;
    static constexpr int kTimer2High = 11384;
    static constexpr int kTimer2Low = 11385;
    static constexpr int kLowTime = 11389;

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
