#pragma once
// "Calculate Bit Rate": the SMBus bit rate as a reload of Timer 0, Timer 1
// or a half of Timer 2, with the clock that timer should count.

#include "pages/timers/CRateCalculatorDlg.h"

class CBitRateDlg : public CRateCalculatorDlg {
    Q_OBJECT
public:
    // `timers`: the timer record the reload is written into; `choice`: one
    // of timers::BitRateChoice ("0H", "1H", "2L", "2H").
    CBitRateDlg(CDeviceDocument& doc, PeripheralRecord& timers, int choice);

protected:
    timers::ReloadResult Compute(std::uint32_t sysclk, int target) const override;
    void Apply(const timers::ReloadResult& result) override;

private:
    PeripheralRecord& record_;
    int choice_;
};
