#pragma once
// "Calculate SCK": the SPI0CKR divider for a wanted SCK frequency at the
// document's system clock, with a live line of the SCK that divider gives.

#include "model/PeripheralRecord.h"
#include "pages/common/CCalculatorDlg.h"

class PageContext;

class CSckCalculatorDlg : public CCalculatorDlg {
    Q_OBJECT
public:
    static constexpr int kSysclk = 11166;
    static constexpr int kTarget = 11239;
    static constexpr int kChangeClock = 11173;

    // Writes SPI0CKR of `spi` when the user accepts the offer; `context` is
    // the calling page's (the system clock, the nested Oscillators sheet).
    CSckCalculatorDlg(PageContext& context, PeripheralRecord& spi);

    void OnCommand(int id) override;
    void OnEditChange(int id) override;

protected:
    void OnInitDialog() override;
    bool OnOK() override;

private:
    void ShowSysclk();
    void ShowAchieved();

    PageContext& context_;
    PeripheralRecord& spi_;
};
