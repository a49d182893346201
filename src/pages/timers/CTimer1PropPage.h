#pragma once
// Timer 1: mode, the prescaler shared with Timer 0, its clock, gating by
// /INT1, the initial values, and the UART0 baud rate and SMBus bit rate its
// reload gives.

#include "pages/timers/CTimerPropPage.h"

class CTimer1PropPage : public CTimerPropPage {
    Q_OBJECT
public:
    CTimer1PropPage(PeripheralRecord* interrupts, PeripheralRecord* portIO);

    void Refresh() override;
    void OnCommand(int id) override;

protected:
    void OnHexChanged(int editId) override;
    void UpdateTexts() override;
    void UpdateDisplays() override;

private:
    void EnablePrescalers(bool on);
    void FixPrescalerAt12();
    void SetGate(bool on);
    // Runs a calculator; `baud` picks the baud-rate one, else the bit-rate one.
    void ChangeRate(bool baud);
};
