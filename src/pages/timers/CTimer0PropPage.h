#pragma once
// Timer 0: mode, the prescaler shared with Timer 1, the TL0 and TH0 clocks
// (TH0 runs as a second timer in mode 3 only), gating by /INT0, the initial
// values and the SMBus bit rate it gives.

#include "pages/timers/CTimerPropPage.h"

class CTimer0PropPage : public CTimerPropPage {
    Q_OBJECT
public:
    CTimer0PropPage(PeripheralRecord* interrupts, PeripheralRecord* portIO);

    void Refresh() override;
    void OnCommand(int id) override;

protected:
    void OnHexChanged(int editId) override;
    void UpdateTexts() override;
    void UpdateDisplays() override;

private:
    void SetMode(int id);
    void SetPrescaler(int id);
    void EnablePrescalers(bool on);
    // Checks SYSCLK / 12 and clears the prescaler, then disables the buttons.
    void FixPrescalerAt12();
    void SetGate(bool on);
    void ChangeBitRate();
};
