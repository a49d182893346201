#pragma once
// "Calculate SAR": the AD0SC divider for a wanted SAR clock, offered for
// ADC0CF bits 7..3 of the ADC record the page edits. "Change Clock
// Frequency" opens the Oscillators sheet over it.

#include "model/PeripheralRecord.h"
#include "pages/common/CCalculatorDlg.h"

class PageContext;

class CSarCalcDlg : public CCalculatorDlg {
    Q_OBJECT
public:
    static constexpr int kIdSysclk = 11166;
    static constexpr int kIdTarget = 11302;
    static constexpr int kIdChangeClock = 11173;

    // `adc`: the ADC record copy the page edits; only a confirmed result
    // changes its ADC0CF. `context`: the page's (the system clock, the
    // nested Oscillators sheet).
    CSarCalcDlg(PageContext& context, PeripheralRecord& adc);

    void OnCommand(int id) override;
    void OnEditChange(int id) override;

protected:
    void OnInitDialog() override;
    bool OnOK() override;

private:
    void UpdateAchieved();

    PageContext& context_;
    PeripheralRecord& adc_;
};
