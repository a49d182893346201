#pragma once
// Timers 0 and 1: mode, the prescaler the two share, the clock source,
// gating by /INT0 or /INT1, the initial values and the rates the reload
// gives (SMBus bit rate; Timer 1 also UART0's baud rate). Timer 0 adds TH0,
// which runs as a second 8-bit timer in mode 3 only. One class; a table per
// timer holds the control ids and register bits.

#include "pages/timers/CTimerPropPage.h"

class CTimer01PropPage : public CTimerPropPage {
    Q_OBJECT
public:
    // Control ids and register bits of one of the two timers.
    struct Layout {
        int timer;  // 0 or 1
        const char* caption;
        const char* mode3Text;
        const char* sourceGroup;
        const char* enableText;
        int enableId, gateId, levelId, edgeId, configureIntId, pinId, configureExtId;
        int thId, tlId, thPos, tlPos;
        int intTextId;
        std::uint8_t intMask;  // IE bit of the timer's interrupt
        int modeShift;         // TMOD mode field at bits shift+1..shift
        std::uint8_t tmodCounter, tmodGate, tconRun, tconEdge, ckconSysclk;
    };

    CTimer01PropPage(PageContext& context, const Layout& layout);

    void Refresh() override;
    void OnCommand(int id) override;

protected:
    void OnHexChanged(int editId) override;
    void UpdateTexts() override;
    void UpdateDisplays() override;

private:
    bool HasTh0() const { return l_.timer == 0; }
    int Mode() const;
    void SetMode(int id);
    void SetSource(int id);
    void SetTh0Clock(int id);
    void EnablePrescalers(bool on);
    // Checks SYSCLK / 12 and clears the prescaler, then disables the buttons.
    void FixPrescalerAt12();
    void EnableTh0Controls(bool on);
    void SetGate(bool on);
    // Runs a calculator; `baud` picks the baud-rate one, else the bit-rate one.
    void ChangeRate(bool baud);

    const Layout l_;
};

class CTimer0PropPage : public CTimer01PropPage {
public:
    explicit CTimer0PropPage(PageContext& context);
};

class CTimer1PropPage : public CTimer01PropPage {
public:
    explicit CTimer1PropPage(PageContext& context);
};
