#pragma once
// "Calculate SAR" and "Calculate SCK": the system clock (read-only, with
// "Change Clock Frequency"), the wanted clock, the live achieved line, and an
// OK that offers a divider in a Yes/No question and writes it into the
// record only on Yes. An error or a No keeps the dialog open.
//
// The SAR clock is ADC0CF bits 7..3 (AD0SC) of the ADC record; SCK is
// SPI0CKR of the SPI0 record. The arithmetic and texts of each are in src/chip.

#include "model/PeripheralRecord.h"
#include "pages/common/CCalculatorDlg.h"

class PageContext;

// Which divider a calculator offers.
enum class ClockTarget { SarClock, Sck };

// Control ids of the clock-target calculators' targets.
namespace calcids {
inline constexpr int kSarTarget = 11302;
inline constexpr int kSckTarget = 11239;
}  // namespace calcids

class CClockTargetDlg : public CCalculatorDlg {
    Q_OBJECT
public:
    // `record`: the page's copy of the ADC record (SarClock) or of the SPI0
    // record (Sck); `context`: the page's (the system clock, the nested
    // Oscillators sheet).
    CClockTargetDlg(PageContext& context, PeripheralRecord& record, ClockTarget target);

    void OnCommand(int id) override;
    void OnEditChange(int id) override;

    // What differs between the calculators.
    struct Kind;

protected:
    void OnInitDialog() override;
    bool OnOK() override;

private:
    void ShowSysclk();
    void UpdateAchieved();

    PageContext& context_;
    PeripheralRecord& record_;
    const Kind& kind_;
};
