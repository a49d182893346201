#include "pages/timers/CBitRateDlg.h"

CBitRateDlg::CBitRateDlg(CDeviceDocument& doc, PeripheralRecord& timers, int choice)
    : CRateCalculatorDlg("Calculate Bit Rate", doc, "Target Bit Rate", "Hz"),
      record_(timers),
      choice_(choice) {}

timers::ReloadResult CBitRateDlg::Compute(std::uint32_t sysclk, int target) const {
    return timers::BitRateReload(sysclk, target, choice_);
}

void CBitRateDlg::Apply(const timers::ReloadResult& result) {
    timers::ApplyBitRate(record_, choice_, result);
}
