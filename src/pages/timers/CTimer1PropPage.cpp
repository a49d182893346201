#include "pages/timers/CTimer1PropPage.h"

#include <QLabel>

#include "pages/timers/CBaudRateDlg.h"
#include "pages/timers/CBitRateDlg.h"
#include "pages/timers/TimerMath.h"

using namespace timerids;
using namespace timers;

namespace {

constexpr int kEnable = 11119;
constexpr int kGate = 11118;
constexpr int kLevel = 11111;
constexpr int kEdge = 11112;
constexpr int kConfigureInt1 = 11114;
constexpr int kTh1Edit = 11123;
constexpr int kTl1Edit = 11124;
constexpr int kIntText = 11252;
constexpr int kInt1Pin = 11326;
constexpr int kBaudRate = 11167;
constexpr int kChangeBaudRate = 11157;
constexpr int kConfigureT1 = 11116;

constexpr std::uint8_t kTmodMode = 0x30;
constexpr std::uint8_t kTmodCounter = 0x40;
constexpr std::uint8_t kTmodGate = 0x80;
constexpr std::uint8_t kTconRun = 0x40;
constexpr std::uint8_t kTconEdge = 0x04;

}  // namespace

CTimer1PropPage::CTimer1PropPage(PeripheralRecord* interrupts, PeripheralRecord* portIO)
    : CTimerPropPage("Timer 1", interrupts, portIO) {
    PageBuilder b(this, this);
    b.Group("Timer Mode");
    b.Radio(kMode0, "13 Bit Counter/Timer", false);
    b.Radio(kMode1, "16 Bit Counter/Timer", false);
    b.Radio(kMode2, "8 Bit Counter/Timer Auto-Reload", false);
    b.Radio(kMode3, "Timer 1 Disabled", false);
    b.Group("Prescaled Clock Inputs");
    b.Radio(kPre12, "SYSCLK / 12", false);
    b.Radio(kPre4, "SYSCLK / 4", false);
    b.Radio(kPre48, "SYSCLK / 48", false);
    b.Radio(kPreExt, "External Oscillator / 8", false);
    b.Group("Clock Source");
    b.Radio(kSrcSysclk, "SYSCLK", false);
    b.Radio(kSrcPrescaled, "Prescaled Clock Input (Above)", false);
    b.Radio(kSrcExternal, "External T1", false);
    b.Button(kConfigureT1, "Configure External T1");

    b.NextColumn();
    b.Group("Timer Control");
    b.Check(kEnable, "Enable Timer");
    b.Check(kGate, "Gate Timer Depending on /INT1");
    b.Radio(kLevel, "/INT1 is Level Triggered", false);
    b.Radio(kEdge, "/INT1 is Edge Triggered", false);
    b.Label(kInt1Pin, "")->setWordWrap(false);
    b.Button(kConfigureInt1, "Configure /INT1 Ports");
    b.Group("Timer Initial Value (Hex)");
    AddHexEdit(b, kTh1Edit, "TH1 (High Byte - Reload Val in Mode 2):");
    AddHexEdit(b, kTl1Edit, "TL1 (Low Byte):");

    b.NextColumn();
    AddInterruptGroup(b, kIntText);
    b.Group("Baud Rate for UART");
    AddDisplay(b, kBaudRate, "bps", kChangeBaudRate, "Change Baud Rate");
    b.Group("Bit Rate for SMBus");
    AddDisplay(b, kBitRate, "Hz", kChangeBitRate, "Change Bit Rate");
    b.Preview();

    Bind({{kEnable, ControlKind::Check, "", "", 0, kTcon, kTconRun, 0}});
    BindHex(kTh1Edit, kTh1);
    BindHex(kTl1Edit, kTl1);
}

void CTimer1PropPage::EnablePrescalers(bool on) {
    for (int id = kPre12; id <= kPreExt; ++id)
        Enable(id, on);
}

void CTimer1PropPage::FixPrescalerAt12() {
    CheckRadio(kPre12, kPreExt, kPre12);
    SetField(kCkcon, kCkconPrescale, 0);
    EnablePrescalers(false);
}

void CTimer1PropPage::Refresh() {
    RefreshBound();
    CheckRadio(kMode0, kMode3, kMode0 + ((Value(kTmod) & kTmodMode) >> 4));
    CheckRadio(kPre12, kPreExt, kPre12 + (Value(kCkcon) & kCkconPrescale));
    const int source = TestBits(kTmod, kTmodCounter)      ? kSrcExternal
                       : TestBits(kCkcon, kCkconT1Sysclk) ? kSrcSysclk
                                                          : kSrcPrescaled;
    CheckRadio(kSrcSysclk, kSrcExternal, source);
    EnablePrescalers(source == kSrcPrescaled);

    const bool gated = TestBits(kTmod, kTmodGate);
    Check(kGate, gated);
    CheckRadio(kLevel, kEdge, TestBits(kTcon, kTconEdge) ? kEdge : kLevel);
    Enable(kLevel, gated);
    Enable(kEdge, gated);
    Enable(kConfigureInt1, gated);
    UpdateDisplays();
    UpdateTexts();
}

void CTimer1PropPage::UpdateTexts() {
    ShowInterruptText(kIntText, 1, 6, 0x08);
    ShowIntPinText(kInt1Pin, 1, TestBits(kTmod, kTmodGate));
}

void CTimer1PropPage::UpdateDisplays() {
    const std::uint32_t clock = Timer01Clock(Sysclk(), Value(kCkcon), 1);
    ShowNumber(kBaudRate, Uart0BaudRate(clock, Value(kTh1)));
    ShowNumber(kBitRate, SmbusBitRate(clock, Value(kTh1)));
}

void CTimer1PropPage::OnHexChanged(int) {
    UpdateDisplays();
}

void CTimer1PropPage::SetGate(bool on) {
    SetBits(on, kTmod, kTmodGate);
    Check(kGate, on);
    if (!on) {
        CheckRadio(kLevel, kEdge, kLevel);
        SetBits(0, kTcon, kTconEdge);
    }
    Enable(kLevel, on);
    Enable(kEdge, on);
    Enable(kConfigureInt1, on);
    UpdateTexts();
}

void CTimer1PropPage::ChangeRate(bool baud) {
    if (!ActiveDocument()) return;
    bool written;
    if (baud) {
        CBaudRateDlg dlg(*ActiveDocument(), *Record(), false);
        written = dlg.Run();
    } else {
        CBitRateDlg dlg(*ActiveDocument(), *Record(), kChoice1H);
        written = dlg.Run();
    }
    if (written) {
        // A reload was written: Timer 1 becomes a free-running 8-bit auto-reload timer.
        PrepareTimerForRate(*Record(), 1);
        Refresh();
    }
    UpdateDisplays();
    RefreshPreview();
}

void CTimer1PropPage::OnCommand(int id) {
    switch (id) {
        case kMode0:
        case kMode1:
        case kMode2:
        case kMode3:
            SetField(kTmod, kTmodMode, static_cast<std::uint8_t>((id - kMode0) << 4));
            CheckRadio(kMode0, kMode3, id);
            break;
        case kPre12:
        case kPre4:
        case kPre48:
        case kPreExt:
            SetField(kCkcon, kCkconPrescale, static_cast<std::uint8_t>(id - kPre12));
            CheckRadio(kPre12, kPreExt, id);
            UpdateDisplays();
            break;
        case kSrcSysclk:
            CheckRadio(kSrcSysclk, kSrcExternal, id);
            SetBits(0, kTmod, kTmodCounter);
            SetBits(1, kCkcon, kCkconT1Sysclk);
            FixPrescalerAt12();
            UpdateDisplays();
            break;
        case kSrcPrescaled:
            CheckRadio(kSrcSysclk, kSrcExternal, id);
            SetBits(0, kTmod, kTmodCounter);
            SetBits(0, kCkcon, kCkconT1Sysclk);
            EnablePrescalers(true);
            UpdateDisplays();
            break;
        case kSrcExternal:
            CheckRadio(kSrcSysclk, kSrcExternal, id);
            SetBits(1, kTmod, kTmodCounter);
            SetBits(0, kCkcon, kCkconT1Sysclk);
            FixPrescalerAt12();
            UpdateDisplays();
            break;
        case kGate:
            SetGate(IsChecked(kGate));
            break;
        case kLevel:
        case kEdge:
            CheckRadio(kLevel, kEdge, id);
            SetBits(id == kEdge, kTcon, kTconEdge);
            break;
        case kConfigureInterrupts:
            ConfigureInterrupts();
            return;
        case kConfigureInt1:
            ConfigureExternalInterrupts();
            return;
        case kConfigureT1:
            ConfigurePortIO();
            return;
        case kChangeBaudRate:
            ChangeRate(true);
            return;
        case kChangeBitRate:
            ChangeRate(false);
            return;
        default:
            CPropPage::OnCommand(id);
            return;
    }
    RefreshPreview();
}
