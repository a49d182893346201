#pragma once
// "Calculate Bit Rate" and "Calculate Baud Rate": the system clock
// (read-only, with "Change Clock Frequency"), the target rate, the live
// achieved line, and an OK that offers the reload in a Yes/No question and
// writes it only on Yes. An error or a No keeps the dialog open.
//
// The bit rate is an SMBus rate as a reload of Timer 0, Timer 1 or a half of
// Timer 2 (on the timer record). The baud rate is a UART rate as a reload of
// Timer 1 (UART0, on the timer record) or of UART1's own 16-bit generator
// (on the UART record: SBRLH1:SBRLL1, the prescaler code and SBCON1 bit 6).

#include "chip/TimerMath.h"
#include "pages/common/CCalculatorDlg.h"

class PageContext;

// What a calculator turns the target into.
enum class RateKind { BitRate, Timer1Baud, Uart1Baud };

class CRateCalculatorDlg : public CCalculatorDlg {
    Q_OBJECT
public:
    // `context`: the calling page's (the system clock, the nested
    // Oscillators sheet); `record`: the timer record (BitRate, Timer1Baud)
    // or the UART record (Uart1Baud); `choice`: for BitRate one of
    // timers::BitRateChoice ("0H", "1H", "2L", "2H").
    CRateCalculatorDlg(PageContext& context, PeripheralRecord& record, RateKind kind,
                       int choice = timers::kChoice0H);

    void OnCommand(int id) override;
    void OnEditChange(int id) override;

protected:
    void OnInitDialog() override;
    bool OnOK() override;

private:
    // The reload for a target at the given clock.
    timers::ReloadResult Compute(std::uint32_t sysclk, int target) const;
    void ShowSysclk();
    void UpdateAchieved();

    PageContext& context_;
    PeripheralRecord& record_;
    const RateKind kind_;
    const int choice_;
    std::uint32_t sysclk_ = 0;
};

// Control id of the rate calculators' target.
namespace calcids {
inline constexpr int kTarget = 11167;
}  // namespace calcids
