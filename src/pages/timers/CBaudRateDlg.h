#pragma once
// "Calculate Baud Rate": a UART baud rate as a reload, either of Timer 1
// (UART0, on the timer record) or of UART1's own 16-bit generator (on the
// UART record: SBRLH1:SBRLL1, the prescaler code and SBCON1 bit 6).

#include "pages/timers/CRateCalculatorDlg.h"

class CBaudRateDlg : public CRateCalculatorDlg {
    Q_OBJECT
public:
    // `uartRecord` false: `record` is the timer record (Timer 1 reload);
    // true: it is the UART record (SBRL1 reload).
    CBaudRateDlg(CDeviceDocument& doc, PeripheralRecord& record, bool uartRecord);

protected:
    timers::ReloadResult Compute(std::uint32_t sysclk, int target) const override;
    void Apply(const timers::ReloadResult& result) override;

private:
    PeripheralRecord& record_;
    bool uart_;
};
