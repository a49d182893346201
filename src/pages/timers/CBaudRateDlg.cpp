#include "pages/timers/CBaudRateDlg.h"

CBaudRateDlg::CBaudRateDlg(CDeviceDocument& doc, PeripheralRecord& record, bool uartRecord)
    : CRateCalculatorDlg("Calculate Baud Rate", doc, "Target Baud Rate", "bps"),
      record_(record),
      uart_(uartRecord) {}

timers::ReloadResult CBaudRateDlg::Compute(std::uint32_t sysclk, int target) const {
    return uart_ ? timers::Uart1BaudReload(sysclk, target)
                 : timers::Timer1BaudReload(sysclk, target);
}

void CBaudRateDlg::Apply(const timers::ReloadResult& result) {
    if (uart_)
        timers::ApplyUart1Baud(record_, result);
    else
        timers::ApplyBitRate(record_, timers::kChoice1H, result);
}
