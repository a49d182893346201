#include "pages/timers/CSplitTimerPropPage.h"

#include "chip/TimerMath.h"
#include "devices/Registers.h"

using namespace timerids;

namespace {
constexpr std::uint8_t kExtClock = 0x01;  // TMRnCN: external oscillator / 8 instead of SYSCLK / 12
constexpr std::uint8_t kCaptureLfBit = 0x02;
constexpr std::uint8_t kRun = 0x04;
constexpr std::uint8_t kSplit = 0x08;
constexpr std::uint8_t kCapture = 0x10;
constexpr std::uint8_t kLowOverflow = 0x20;
}  // namespace

CSplitTimerPropPage::CSplitTimerPropPage(PageContext& context, const std::string& caption,
                                         const Layout& layout)
    : CTimerPropPage(context, caption, false), l_(layout) {}

void CSplitTimerPropPage::BuildShared(PageBuilder& b) {
    const std::string n = std::to_string(l_.timer);
    b.Group("Timer Mode");
    b.Radio(kMode0, "16 Bit Auto Reload Timer", false);
    b.Radio(kMode1, "Two 8 Bit Auto Reload Timers", false);
    b.Group("Clock Source (TL" + n + " in Mode 2)");
    b.Radio(l_.lowSysclkId, "SYSCLK", false);
    b.Radio(l_.lowDiv12Id, "SYSCLK / 12", false);
    b.Radio(l_.lowExtId, "External Oscillator / 8", false);
    b.Group("TH" + n + " Clock Source");
    b.Radio(l_.highSysclkId, "SYSCLK", false);
    b.Radio(l_.highDiv12Id, "SYSCLK / 12", false);
    b.Radio(l_.highExtId, "External Oscillator / 8", false);

    b.NextColumn();
    b.Group("Timer Control");
    b.Check(l_.enableId, "Enable Timer").Bit(l_.cn, kRun);
    b.Check(l_.overflowId, "Enable Timer " + n + " Low Byte Overflow").Bit(l_.cn, kLowOverflow);
    b.Group("Low Frequency Capture");
    b.Check(kCaptureEnable, "Enable Low Frequency Capture").Bit(l_.cn, kCapture);
    b.Radio(kCaptureUsb, "USB Start-Of-Frame", false).Field(l_.cn, kCaptureLfBit, 0);
    b.Radio(kCaptureLf, "Falling Edge L-F Oscillator", false).Field(l_.cn, kCaptureLfBit, kCaptureLfBit);
    b.Group("Timer Initial Value (Hex)");
    AddHexEdit(b, l_.hId, "TMR" + n + "H (High Byte):", l_.hPos);
    AddHexEdit(b, l_.lId, "TMR" + n + "L (Low Byte):", l_.lPos);
    b.Group("Timer Reload Value (Hex)");
    AddHexEdit(b, l_.rlhId, "TMR" + n + "RLH (High Byte):", l_.rlhPos);
    AddHexEdit(b, l_.rllId, "TMR" + n + "RLL (Low Byte):", l_.rllPos);

    b.NextColumn();
    AddInterruptGroup(b, l_.intTextId);
}

void CSplitTimerPropPage::Refresh() {
    RefreshBound();
    const bool split = TestBits(l_.cn, kSplit);
    CheckRadio(kMode0, kMode1, split ? kMode1 : kMode0);
    for (int id = l_.highSysclkId; id <= l_.highExtId; ++id)
        Enable(id, split);
    const bool ext = TestBits(l_.cn, kExtClock);
    CheckRadio(l_.highSysclkId, l_.highExtId,
               TestBits(TimersReg::CKCON, l_.highSysclk) ? l_.highSysclkId
               : ext                                     ? l_.highExtId
                                                         : l_.highDiv12Id);
    CheckRadio(l_.lowSysclkId, l_.lowExtId,
               TestBits(TimersReg::CKCON, l_.lowSysclk) ? l_.lowSysclkId
               : ext                                    ? l_.lowExtId
                                                        : l_.lowDiv12Id);
    UpdateTexts();
    UpdateDisplays();
}

void CSplitTimerPropPage::UpdateTexts() {
    ShowInterruptText(l_.intTextId, l_.timer, l_.intPosition, l_.intMask);
}

void CSplitTimerPropPage::OnHexChanged(int editId) {
    if (editId == l_.rlhId || editId == l_.rllId) UpdateDisplays();
}

void CSplitTimerPropPage::ShowSixteenBit() {
    CheckRadio(kMode0, kMode1, kMode0);
    CheckRadio(l_.highSysclkId, l_.highExtId, l_.highDiv12Id);
    for (int id = l_.highSysclkId; id <= l_.highExtId; ++id)
        Enable(id, false);
}

CSplitTimerPropPage::Half CSplitTimerPropPage::LowHalf() const {
    return {l_.lowSysclkId, l_.lowDiv12Id, l_.lowExtId, l_.lowSysclk};
}

CSplitTimerPropPage::Half CSplitTimerPropPage::HighHalf() const {
    return {l_.highSysclkId, l_.highDiv12Id, l_.highExtId, l_.highSysclk};
}

void CSplitTimerPropPage::SetHalfClock(int id, const Half& half, const Half& other) {
    CheckRadio(half.sysclkId, half.extId, id);
    SetBits(id == half.sysclkId, TimersReg::CKCON, half.ckconSysclk);
    if (id == half.sysclkId) return;
    // The external-clock bit serves both halves: the other half follows
    // unless it counts SYSCLK.
    const bool ext = id == half.extId;
    SetBits(ext, l_.cn, kExtClock);
    if (!IsChecked(other.sysclkId))
        CheckRadio(other.sysclkId, other.extId, ext ? other.extId : other.div12Id);
}

void CSplitTimerPropPage::OnCommand(int id) {
    using TimersReg::CKCON;
    if (id == kMode0) {
        SetBits(0, l_.cn, kSplit);
        if (!IsChecked(l_.lowExtId)) SetBits(0, l_.cn, kExtClock);
        SetBits(0, TimersReg::CKCON, l_.highSysclk);
        ShowSixteenBit();
    } else if (id == kMode1) {
        SetBits(1, l_.cn, kSplit);
        CheckRadio(kMode0, kMode1, kMode1);
        for (int h = l_.highSysclkId; h <= l_.highExtId; ++h)
            Enable(h, true);
    } else if (id >= l_.lowSysclkId && id <= l_.lowExtId) {
        SetHalfClock(id, LowHalf(), HighHalf());
    } else if (id >= l_.highSysclkId && id <= l_.highExtId) {
        SetHalfClock(id, HighHalf(), LowHalf());
    } else if (id == kConfigureInterrupts) {
        ConfigureInterrupts();
        return;
    } else {
        CPropPage::OnCommand(id);
        return;
    }
    UpdateDisplays();
    RefreshPreview();
}
