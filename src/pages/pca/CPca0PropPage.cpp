#include "pages/pca/CPca0PropPage.h"

#include "chip/PcaMath.h"
#include "chip/PcaRecord.h"
#include "devices/Registers.h"
#include "pages/pca/PcaCalculators.h"

namespace {

constexpr int kRun = 11329;
constexpr int kInterruptText = 11330;
constexpr int kConfigureInterrupts = 11331;
constexpr int kOverflowInterrupt = 11332;
constexpr int kSuspend = 11335;
constexpr int kEciRadio = 11339;
constexpr int kPca0hEdit = 11352;
constexpr int kPca0lEdit = 11353;
constexpr std::uint8_t kEie1Pca0 = 0x10;

const char* const kTimebaseGroup = "PCA Timebase Input";

}  // namespace

CPca0PropPage::CPca0PropPage(PageContext& context)
    : CPropPage(context, "PCA0"), interrupts_(&context.Record(Pid::Interrupts)) {
    using PcaReg::PCA0MD;
    const std::vector<BitControl> table = {
        {kRun, ControlKind::Check, "Enable PCA0", "", 0, PcaReg::PCA0CN, pca::kCounterRun, 0},
        {kSuspend, ControlKind::Check,
         "Suspend PCA operation while system controller is in Idle Mode", "", 0, PcaReg::PCA0MD,
         pca::kSuspendIdle, 0},
        {kOverflowInterrupt, ControlKind::Check,
         "Enable PCA Counter/Timer Overflow Interrupt (occurs when CF is set)", "", 0,
         PcaReg::PCA0MD, pca::kOverflowInterrupt, 0},
        {11336, ControlKind::Radio, "SYSCLK / 12", "", 0, PcaReg::PCA0MD, pca::kTimebaseMask,
         pca::kSysclkDiv12},
        {11337, ControlKind::Radio, "SYSCLK / 4", "", 0, PcaReg::PCA0MD, pca::kTimebaseMask,
         pca::kSysclkDiv4},
        {11338, ControlKind::Radio, "Timer 0 Overflow", "", 0, PcaReg::PCA0MD, pca::kTimebaseMask,
         pca::kTimer0Overflow},
        {kEciRadio, ControlKind::Radio, "High to Low Transitions on ECI", "", 0, PcaReg::PCA0MD,
         pca::kTimebaseMask, pca::kEciFalling},
        {11340, ControlKind::Radio, "SYSCLK", "", 0, PcaReg::PCA0MD, pca::kTimebaseMask,
         pca::kSysclk},
        {11341, ControlKind::Radio, "External Oscillator / 8", "", 0, PcaReg::PCA0MD,
         pca::kTimebaseMask, pca::kExtOscDiv8},
    };
    PageBuilder b(this, this);
    b.Group("PCA Counter/Timer Run");
    b.Check(kRun, table[0].caption);
    b.Group("PCA Counter/Timer Idle Control");
    b.Check(kSuspend, table[1].caption);
    b.Group("PCA Interrupt");
    b.Check(kOverflowInterrupt, table[2].caption);
    b.Label(kInterruptText, "");
    b.Button(kConfigureInterrupts, "Configure PCA Interrupts");
    b.NextColumn();
    b.Group(kTimebaseGroup);
    for (std::size_t i = 3; i < table.size(); ++i)
        b.Radio(table[i].id, table[i].caption);
    b.Group("PCA Counter/Timer Initial Value (Hex)");
    b.Edit(kPca0hEdit, "PCA0H (High Byte):");
    b.Edit(kPca0lEdit, "PCA0L (Low Byte):");
    b.Preview();
    Bind(table);
    BindHex(kPca0hEdit, PcaReg::PCA0H);
    BindHex(kPca0lEdit, PcaReg::PCA0L);
}

void CPca0PropPage::ShowInterruptText() {
    const bool on = interrupts_ && interrupts_->Registers.size() > InterruptsReg::EIE1 &&
                    (interrupts_->Registers[InterruptsReg::EIE1].Value & kEie1Pca0) != 0;
    SetText(kInterruptText, on ? "PCA0 Interrupt is Enabled" : "PCA0 Interrupt is Disabled");
}

void CPca0PropPage::Refresh() {
    RefreshBound();
    ShowInterruptText();
}

void CPca0PropPage::OnSetActive() {
    pca::ApplyPca0WatchdogRule(*Record());
    Refresh();
    RefreshPreview();
}

void CPca0PropPage::ResetRegisters() {
    pca::ResetPcaRecord(*Record());
}

void CPca0PropPage::OnHexChanged(int) {
    pca::ApplyPca0WatchdogRule(*Record());
}

void CPca0PropPage::OnCommand(int id) {
    if (id == kConfigureInterrupts) {
        if (Ctx().OpenSheet(SheetId::Interrupts))
            ShowInterruptText();
        return;
    }
    if (!Bound(id)) return;
    // A click on the ECI radio that leaves it unchecked does nothing.
    if (id == kEciRadio && !IsChecked(kEciRadio)) return;
    CPropPage::OnCommand(id);
    // Every control but the run bit changes PCA0MD.
    if (id != kRun) {
        pca::ApplyPca0WatchdogRule(*Record());
        RefreshPreview();
    }
    if (id == kEciRadio) {
        CEciFrequencyDlg dlg(Ctx());
        dlg.Run();  // its answer changes nothing here
    }
}
