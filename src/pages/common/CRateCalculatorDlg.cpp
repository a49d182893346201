#include "pages/common/CRateCalculatorDlg.h"

#include <QLabel>
#include <QLineEdit>

#include <cstdio>

#include "chip/Achieved.h"
#include "model/Ui.h"
#include "pages/common/PageContext.h"

using namespace calcids;

namespace {
const char* Unit(RateKind kind) {
    return kind == RateKind::BitRate ? "Hz" : "bps";
}
}  // namespace

CRateCalculatorDlg::CRateCalculatorDlg(PageContext& context, PeripheralRecord& record,
                                       RateKind kind, int choice)
    : CCalculatorDlg(kind == RateKind::BitRate ? "Calculate Bit Rate" : "Calculate Baud Rate"),
      context_(context),
      record_(record),
      kind_(kind),
      choice_(choice) {
    PageBuilder& b = Builder();
    b.Group("");
    b.Display(kSysclk, "SYSCLK Frequency", "Hz");
    b.Edit(kTarget, kind == RateKind::BitRate ? "Target Bit Rate" : "Target Baud Rate", Unit(kind));
    AddAchievedLine();
    // One line that grows with its text rather than wrapping.
    if (auto* line = qobject_cast<QLabel*>(Control(kAchievedId))) line->setWordWrap(false);
    b.Button(kChangeClock, "Change Clock Frequency");
}

void CRateCalculatorDlg::OnInitDialog() {
    ShowSysclk();
    UpdateAchieved();
}

void CRateCalculatorDlg::ShowSysclk() {
    sysclk_ = context_.Sysclk();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", static_cast<int>(sysclk_));
    SetText(kSysclk, buf);
}

timers::ReloadResult CRateCalculatorDlg::Compute(std::uint32_t sysclk, int target) const {
    switch (kind_) {
        case RateKind::BitRate:
            return timers::BitRateReload(sysclk, target, choice_);
        case RateKind::Timer1Baud:
            return timers::Timer1BaudReload(sysclk, target);
        case RateKind::Uart1Baud:
            break;
    }
    return timers::Uart1BaudReload(sysclk, target);
}

void CRateCalculatorDlg::UpdateAchieved() {
    const int target = timers::LeadingInt(Text(kTarget));
    SetText(kAchievedId, timers::ReloadAchievedText(Compute(sysclk_, target), target, Unit(kind_)));
}

void CRateCalculatorDlg::OnEditChange(int id) {
    if (id == kTarget) UpdateAchieved();
}

void CRateCalculatorDlg::OnCommand(int id) {
    if (id == kChangeClock) {
        context_.OpenSheet(SheetId::Oscillators);
        // On Cancel the sheet has put the clock back; either way show what holds now.
        ShowSysclk();
        UpdateAchieved();
        return;
    }
    CCalculatorDlg::OnCommand(id);
}

bool CRateCalculatorDlg::OnOK() {
    const timers::ReloadResult result = Compute(sysclk_, timers::LeadingInt(Text(kTarget)));
    if (result.status != timers::CalcStatus::Ok) {
        TheUi().Error(result.error);
        return false;
    }
    if (!TheUi().Ask(result.question)) return false;
    if (kind_ == RateKind::Uart1Baud)
        timers::ApplyUart1Baud(record_, result);
    else  // Timer 1's baud-rate reload is written as the bit rate's "1H"
        timers::ApplyBitRate(record_, kind_ == RateKind::BitRate ? choice_ : timers::kChoice1H,
                             result);
    return true;
}
