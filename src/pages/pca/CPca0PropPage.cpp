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

}  // namespace

CPca0PropPage::CPca0PropPage(PageContext& context)
    : CPropPage(context, "PCA0"), interrupts_(&context.Record(Pid::Interrupts)) {
    using PcaReg::PCA0CN;
    using PcaReg::PCA0MD;
    PageBuilder b = Builder();
    b.Group("PCA Counter/Timer Run");
    b.Check(kRun, "Enable PCA0").Bit(PCA0CN, pca::kCounterRun);
    b.Group("PCA Counter/Timer Idle Control");
    b.Check(kSuspend, "Suspend PCA operation while system controller is in Idle Mode")
        .Bit(PCA0MD, pca::kSuspendIdle);
    b.Group("PCA Interrupt");
    b.Check(kOverflowInterrupt, "Enable PCA Counter/Timer Overflow Interrupt (occurs when CF is set)")
        .Bit(PCA0MD, pca::kOverflowInterrupt);
    b.Label(kInterruptText, "");
    b.Button(kConfigureInterrupts, "Configure PCA Interrupts");
    b.NextColumn();
    b.Group("PCA Timebase Input");
    b.Radio(11336, "SYSCLK / 12").Field(PCA0MD, pca::kTimebaseMask, pca::kSysclkDiv12);
    b.Radio(11337, "SYSCLK / 4").Field(PCA0MD, pca::kTimebaseMask, pca::kSysclkDiv4);
    b.Radio(11338, "Timer 0 Overflow").Field(PCA0MD, pca::kTimebaseMask, pca::kTimer0Overflow);
    b.Radio(kEciRadio, "High to Low Transitions on ECI").Field(PCA0MD, pca::kTimebaseMask, pca::kEciFalling);
    b.Radio(11340, "SYSCLK").Field(PCA0MD, pca::kTimebaseMask, pca::kSysclk);
    b.Radio(11341, "External Oscillator / 8").Field(PCA0MD, pca::kTimebaseMask, pca::kExtOscDiv8);
    b.Group("PCA Counter/Timer Initial Value (Hex)");
    b.Hex(kPca0hEdit, "PCA0H (High Byte):", PcaReg::PCA0H);
    b.Hex(kPca0lEdit, "PCA0L (Low Byte):", PcaReg::PCA0L);
    b.Preview();
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
