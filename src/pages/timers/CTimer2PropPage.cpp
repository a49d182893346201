#include "pages/timers/CTimer2PropPage.h"

#include "chip/TimerMath.h"
#include "devices/Registers.h"
#include "pages/common/CRateCalculatorDlg.h"

using namespace timers;

namespace {

constexpr int kHighRate = 11172;
constexpr int kChangeHigh = 11159;
constexpr int kLowRate = 11387;
constexpr int kChangeLow = 11388;

const CSplitTimerPropPage::Layout kTimer2 = {
    .timer = 2, .cn = TimersReg::TMR2CN,
    .lowSysclk = kCkconT2LowSysclk, .highSysclk = kCkconT2HighSysclk,
    .lowSysclkId = 11106, .lowDiv12Id = 11107, .lowExtId = 11108,
    .highSysclkId = 11147, .highDiv12Id = 11148, .highExtId = 11149,
    .enableId = 11130, .overflowId = 11120,
    .hId = 11131, .lId = 11132, .rlhId = 11127, .rllId = 11125,
    .hPos = TimersReg::TMR2H, .lPos = TimersReg::TMR2L,
    .rlhPos = TimersReg::TMR2RLH, .rllPos = TimersReg::TMR2RLL,
    .intTextId = 11254, .intPosition = InterruptsReg::IE, .intMask = 0x20,
};

}  // namespace

CTimer2PropPage::CTimer2PropPage(PageContext& context)
    : CSplitTimerPropPage(context, "Timer 2", kTimer2) {
    PageBuilder b = Builder();
    BuildShared(b);
    b.Group("Bit Rate for SMBus");
    AddDisplay(b, kHighRate, "Hz (High)", kChangeHigh, "Change Bit Rate");
    AddDisplay(b, kLowRate, "Hz (Low)", kChangeLow, "Change Bit Rate");
    b.Preview();
}

void CTimer2PropPage::UpdateDisplays() {
    const std::uint32_t sysclk = Sysclk();
    ShowNumber(kHighRate, SmbusBitRate(Timer2HalfClock(sysclk, Value(TimersReg::CKCON), true),
                                       Value(TimersReg::TMR2RLH)));
    ShowNumber(kLowRate, SmbusBitRate(Timer2HalfClock(sysclk, Value(TimersReg::CKCON), false),
                                      Value(TimersReg::TMR2RLL)));
}

void CTimer2PropPage::ChangeBitRate(int choice) {
    CRateCalculatorDlg dlg(Ctx(), *Record(), RateKind::BitRate, choice);
    if (dlg.Run()) {
        // A reload was written: Timer 2 runs as two 8-bit timers.
        PrepareTimerForRate(*Record(), 2);
        Refresh();
    }
    UpdateDisplays();
    RefreshPreview();
}

void CTimer2PropPage::OnCommand(int id) {
    if (id == kChangeHigh)
        ChangeBitRate(kChoice2H);
    else if (id == kChangeLow)
        ChangeBitRate(kChoice2L);
    else
        CSplitTimerPropPage::OnCommand(id);
}
