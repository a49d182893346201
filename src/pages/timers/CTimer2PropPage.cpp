#include "pages/timers/CTimer2PropPage.h"

#include "pages/timers/CBitRateDlg.h"
#include "pages/timers/TimerMath.h"

using namespace timers;

namespace {

constexpr int kHighRate = 11172;
constexpr int kChangeHigh = 11159;
constexpr int kLowRate = 11387;
constexpr int kChangeLow = 11388;

const CSplitTimerPropPage::Layout kTimer2 = {
    2,     kTmr2cn, kCkconT2LowSysclk, kCkconT2HighSysclk, 11106, 11107, 11108, 11147, 11148, 11149,
    11130, 11120,   11131,             11132,              11127, 11125, kTmr2h, kTmr2l, kTmr2rlh, kTmr2rll,
    11254, 6,       0x20};

}  // namespace

CTimer2PropPage::CTimer2PropPage(PeripheralRecord* interrupts) : CSplitTimerPropPage("Timer 2", kTimer2, interrupts) {
    PageBuilder b(this, this);
    BuildShared(b);
    b.Group("Bit Rate for SMBus");
    AddDisplay(b, kHighRate, "Hz (High)", kChangeHigh, "Change Bit Rate");
    AddDisplay(b, kLowRate, "Hz (Low)", kChangeLow, "Change Bit Rate");
    b.Preview();
}

void CTimer2PropPage::UpdateDisplays() {
    const std::uint32_t sysclk = Sysclk();
    ShowNumber(kHighRate, SmbusBitRate(Timer2HalfClock(sysclk, Value(kCkcon), true), Value(kTmr2rlh)));
    ShowNumber(kLowRate, SmbusBitRate(Timer2HalfClock(sysclk, Value(kCkcon), false), Value(kTmr2rll)));
}

void CTimer2PropPage::ChangeBitRate(int choice) {
    if (!ActiveDocument()) return;
    CBitRateDlg dlg(*ActiveDocument(), *Record(), choice);
    if (dlg.Run()) {
        // A reload was written: Timer 2 runs as two 8-bit timers.
        PrepareTimerForRate(*Record(), 2);
        Refresh();
    }
    UpdateDisplays();
    RefreshPreview();
}

void CTimer2PropPage::OnCommand(int id) {
    if (id == kChangeHigh) ChangeBitRate(kChoice2H);
    else if (id == kChangeLow) ChangeBitRate(kChoice2L);
    else CSplitTimerPropPage::OnCommand(id);
}
