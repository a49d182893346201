#include "pages/timers/CRateCalculatorDlg.h"

#include <QLabel>
#include <QLineEdit>

#include <cstdio>

#include "model/DeviceDocument.h"
#include "model/Ui.h"
#include "pages/common/Achieved.h"
#include "pages/common/CommandTable.h"

using namespace calcids;

CRateCalculatorDlg::CRateCalculatorDlg(const std::string& caption, CDeviceDocument& doc,
                                       const std::string& targetLabel, const std::string& unit)
    : CCalculatorDlg(caption), doc_(doc), unit_(unit) {
    PageBuilder& b = Builder();
    b.Group("");
    b.Edit(kSysclk, "SYSCLK Frequency", "Hz")->setReadOnly(true);
    b.Edit(kTarget, targetLabel, unit);
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
    sysclk_ = doc_.SysclkFrequency;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", static_cast<int>(sysclk_));
    SetText(kSysclk, buf);
}

void CRateCalculatorDlg::UpdateAchieved() {
    const int target = timers::LeadingInt(Text(kTarget));
    SetText(kAchievedId, timers::ReloadAchievedText(Compute(sysclk_, target), target, unit_));
}

void CRateCalculatorDlg::OnEditChange(int id) {
    if (id == kTarget) UpdateAchieved();
}

void CRateCalculatorDlg::OnCommand(int id) {
    if (id == kChangeClock) {
        RunOscillatorsSheet(doc_);
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
    Apply(result);
    return true;
}
