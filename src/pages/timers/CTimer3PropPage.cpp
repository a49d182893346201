#include "pages/timers/CTimer3PropPage.h"

#include <QLabel>

#include "chip/Achieved.h"
#include "chip/TimerMath.h"
#include "devices/Registers.h"
#include "model/Ui.h"
#include "pages/common/CCalculatorDlg.h"

using namespace timers;

namespace {

constexpr int kStatus = 11386;
constexpr int kSet25ms = 11115;

const CSplitTimerPropPage::Layout kTimer3 = {
    .timer = 3, .cn = TimersReg::TMR3CN,
    .lowSysclk = kCkconT3LowSysclk, .highSysclk = kCkconT3HighSysclk,
    .lowSysclkId = 11144, .lowDiv12Id = 11145, .lowExtId = 11146,
    .highSysclkId = 11141, .highDiv12Id = 11142, .highExtId = 11143,
    .enableId = 11136, .overflowId = 11134,
    .hId = 11137, .lId = 11138, .rlhId = 11139, .rllId = 11140,
    .hPos = TimersReg::TMR3H, .lPos = TimersReg::TMR3L,
    .rlhPos = TimersReg::TMR3RLH, .rllPos = TimersReg::TMR3RLL,
    .intTextId = 11253, .intPosition = InterruptsReg::EIE1, .intMask = 0x80,
};

}  // namespace

CTimer3PropPage::CTimer3PropPage(PageContext& context)
    : CSplitTimerPropPage(context, "Timer 3", kTimer3) {
    PageBuilder b = Builder();
    BuildShared(b);
    b.Group("Configure for SMBus Timeout");
    b.Status(kStatus);
    // How long the current reload actually takes to overflow.
    b.Status(kAchievedId);
    b.Button(kSet25ms, "Set Overflow to 25 ms");
    b.Preview();
}

void CTimer3PropPage::UpdateDisplays() {
    const std::uint32_t sysclk = Sysclk();
    const std::uint8_t ckcon = Value(TimersReg::CKCON), rlh = Value(TimersReg::TMR3RLH),
                       rll = Value(TimersReg::TMR3RLL);
    SetText(kStatus, Timer3Overflows25ms(sysclk, ckcon, rlh, rll)
                         ? "Timer 3 will overflow at 25 ms"
                         : "Timer 3 will NOT overflow at 25 ms");
    SetText(kAchievedId, AchievedText(Timer3OverflowMs(sysclk, ckcon, rlh, rll), 25, "ms", 2));
}

void CTimer3PropPage::SetOverflowTo25ms() {
    const Timeout25Result r = Timer3Reload25ms(Sysclk());
    if (r.status != CalcStatus::Ok) {
        TheUi().Error(r.error);
        return;
    }
    const MsgIcon icon = r.sysclk ? MsgIcon::Exclamation : MsgIcon::Question;
    if (TheUi().Message(r.question, MsgButtons::YesNo, icon) != MsgResult::Yes) return;
    ApplyTimer3Reload25ms(*Record(), r, IsChecked(l_.lowExtId));
    ShowSixteenBit();
    CheckRadio(l_.lowSysclkId, l_.lowExtId, r.sysclk ? l_.lowSysclkId : l_.lowDiv12Id);
    ShowHex(l_.rlhId);
    ShowHex(l_.rllId);
    UpdateDisplays();
    RefreshPreview();
}

void CTimer3PropPage::OnCommand(int id) {
    if (id == kSet25ms)
        SetOverflowTo25ms();
    else
        CSplitTimerPropPage::OnCommand(id);
}
