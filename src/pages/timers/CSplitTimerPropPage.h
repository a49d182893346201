#pragma once
// What Timers 2 and 3 share: a 16-bit auto-reload timer or two 8-bit ones,
// each half clocked by SYSCLK, SYSCLK / 12 or the external oscillator / 8
// (the last two chosen by one TMRnCN bit for both halves, so a choice on one
// half is mirrored onto the other unless that one counts SYSCLK), the
// low-frequency capture, and the four value edits.

#include "pages/timers/CTimerPropPage.h"

class CSplitTimerPropPage : public CTimerPropPage {
    Q_OBJECT
public:
    // Control ids and register bits of one of the two timers.
    struct Layout {
        int timer;                // 2 or 3
        int cn;                   // TMRnCN position
        std::uint8_t lowSysclk;   // CKCON bit of the low byte
        std::uint8_t highSysclk;  // CKCON bit of the high byte
        int lowSysclkId, lowDiv12Id, lowExtId;
        int highSysclkId, highDiv12Id, highExtId;
        int enableId, overflowId;
        int hId, lId, rlhId, rllId;  // value edits
        int hPos, lPos, rlhPos, rllPos;
        int intTextId, intPosition;
        std::uint8_t intMask;
    };

    CSplitTimerPropPage(PageContext& context, const std::string& caption, const Layout& layout);

    void Refresh() override;
    void OnCommand(int id) override;

protected:
    // Lays out the columns the two pages share; the page adds its own
    // group(s) in the last column and then the preview.
    void BuildShared(PageBuilder& b);
    void OnHexChanged(int editId) override;
    void UpdateTexts() override;
    // Sets the 16-bit mode radio and disables the high-byte clock buttons.
    void ShowSixteenBit();

    const Layout l_;

private:
    // One half's clock radios (ids in the order SYSCLK, / 12, external) and
    // its CKCON SYSCLK bit.
    struct Half {
        int sysclkId, div12Id, extId;
        std::uint8_t ckconSysclk;
    };
    Half LowHalf() const;
    Half HighHalf() const;
    // A clock radio of `half` clicked.
    void SetHalfClock(int id, const Half& half, const Half& other);
};
