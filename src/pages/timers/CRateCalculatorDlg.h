#pragma once
// What the bit-rate and baud-rate calculators share: the system clock
// (read-only, with "Change Clock Frequency"), the target rate, the live
// achieved line, and an OK that offers the reload in a Yes/No question and
// writes it only on Yes. An error or a No keeps the dialog open.

#include "pages/common/CCalculatorDlg.h"
#include "pages/timers/TimerMath.h"

class CDeviceDocument;

class CRateCalculatorDlg : public CCalculatorDlg {
    Q_OBJECT
public:
    void OnCommand(int id) override;
    void OnEditChange(int id) override;

protected:
    CRateCalculatorDlg(const std::string& caption, CDeviceDocument& doc,
                       const std::string& targetLabel, const std::string& unit);

    void OnInitDialog() override;
    bool OnOK() override;

    // The reload for a target at the given clock.
    virtual timers::ReloadResult Compute(std::uint32_t sysclk, int target) const = 0;
    // Writes a confirmed result into the record.
    virtual void Apply(const timers::ReloadResult& result) = 0;

    CDeviceDocument& doc_;

private:
    void ShowSysclk();
    void UpdateAchieved();

    std::uint32_t sysclk_ = 0;
    std::string unit_;
};

// Control ids of the rate calculators.
namespace calcids {
inline constexpr int kSysclk = 11166;
inline constexpr int kTarget = 11167;
inline constexpr int kChangeClock = 11173;
}  // namespace calcids
