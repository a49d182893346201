#pragma once
// What the four timer pages share: the sheet's interrupt record copy and its
// status text, its Port I/O record copy (Timers 0 and 1), the system clock,
// the nested Interrupts and Port I/O sheets, and the numeric displays.

#include "pages/common/CPropPage.h"

class CTimerPropPage : public CPropPage {
    Q_OBJECT
public:
    // Timers 0 and 1 read the Port I/O copy (`usesPortIO`), the others do not.
    CTimerPropPage(PageContext& context, const std::string& caption, bool usesPortIO);

protected:
    // The document's system clock.
    std::uint32_t Sysclk() const { return Ctx().Sysclk(); }
    // Sets "Timer N Interrupt is Enabled" / "... Disabled" in `id` from the
    // interrupt record's bit `mask` at `position`.
    void ShowInterruptText(int id, int timer, int position, std::uint8_t mask);
    // "/INTn is on P0.x" when the gate bit is set, else empty.
    void ShowIntPinText(int id, int intNumber, bool gated);
    // "%d" into a read-only display.
    void ShowNumber(int id, long long value);

    // "Configure Timer Interrupts": the enable and priority pages on the
    // interrupt copy; true on OK (stored at once).
    bool ConfigureInterrupts();
    // "Configure /INTn Ports": the INT0/INT1 page on the interrupt copy; on
    // OK the Port I/O copy is read again from the document (that page's own
    // Port I/O sheet stores there).
    bool ConfigureExternalInterrupts();
    // "Configure External T0/T1": the Port I/O sheet on the Port I/O copy.
    bool ConfigurePortIO();

    // Builds the interrupt group (status text and 11113).
    void AddInterruptGroup(PageBuilder& b, int statusId);
    // A hexadecimal edit of the register at `position` with its label, sized
    // for two digits.
    void AddHexEdit(PageBuilder& b, int id, const std::string& label, int position);
    // A read-only display with its unit; `buttonId` (0 for none) beside it.
    void AddDisplay(PageBuilder& b, int id, const std::string& unit, int buttonId,
                    const std::string& button);

    // Whatever a page shows that does not come from its own bits.
    virtual void UpdateTexts() {}
    // Rates and timeouts that follow the reloads and clocks.
    virtual void UpdateDisplays() {}

    PeripheralRecord* interrupts_;
    PeripheralRecord* portIO_;
};

// Control ids shared by the timer pages.
namespace timerids {
inline constexpr int kConfigureInterrupts = 11113;
inline constexpr int kMode0 = 11091;
inline constexpr int kMode1 = 11092;
inline constexpr int kMode2 = 11093;
inline constexpr int kMode3 = 11094;
inline constexpr int kPre12 = 11095;
inline constexpr int kPre4 = 11096;
inline constexpr int kPre48 = 11097;
inline constexpr int kPreExt = 11098;
inline constexpr int kSrcSysclk = 11103;
inline constexpr int kSrcPrescaled = 11104;
inline constexpr int kSrcExternal = 11105;
inline constexpr int kBitRate = 11169;
inline constexpr int kChangeBitRate = 11158;
inline constexpr int kCaptureEnable = 11165;
inline constexpr int kCaptureUsb = 11006;
inline constexpr int kCaptureLf = 11008;
}  // namespace timerids
