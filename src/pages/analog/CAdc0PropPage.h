#pragma once
// ADC0: converter enable, start-of-conversion source, input multiplexer, SAR
// clock divider, justification and the window detector limits, with the
// checks that the selected input pins (and CNVSTR) are analog and skipped on
// the page's copy of the Port I/O record.

#include <cstdint>
#include <string>
#include <vector>

#include "chip/AdcMux.h"
#include "pages/common/CPropPage.h"
#include "pages/common/SheetPlan.h"

// The "ADC" sheet: this page alone, with copies of the Port I/O and interrupt
// records; stores record 6 on OK.
SheetPlan AdcSheet();

class CAdc0PropPage : public CPropPage {
    Q_OBJECT
public:
    // Control ids. The start-of-conversion radios run from kIdStartBusy to
    // kIdStartCnvstr (AD0CM values 0, 1, 3, 2, 5, 4).
    enum : int {
        kIdLessHigh = 11133, kIdLessLow = 11135, kIdPortIO = 11281,
        kIdPositiveStatus = 11287, kIdNegativeStatus,
        kIdEnable = 11293, kIdLowPowerTrack = 11296,
        kIdConversion = 11298, kIdConversionMore, kIdPositive, kIdNegative, kIdSarClock,
        kIdChangeSar = 11304, kIdAd0sc = 11306, kIdInterrupts = 11308,
        kIdConversionInterrupt, kIdWindowInterrupt, kIdMode, kIdCnvstrStatus, kIdLeftJustify,
        kIdGreaterHigh, kIdGreaterLow,
        kIdStartBusy, kIdStartTimer0, kIdStartTimer1, kIdStartTimer2, kIdStartTimer3, kIdStartCnvstr,
    };

    // Reads the sheet's copies of the Port I/O and interrupt records, which
    // only the nested sheets edit.
    explicit CAdc0PropPage(PageContext& context);

    void OnInitDialog() override;
    void Refresh() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;

    // Whether the drop-down item is marked as an input whose pin is not
    // configured properly.
    bool IsItemMarked(int listId, int index) const;

protected:
    void OnHexChanged(int editId) override;

private:
    const std::vector<adc::AdcMuxEntry>& ListOf(int listId) const;
    adc::AdcMuxEntry SelectedEntry(int listId) const;
    void UpdateSarClock();
    void UpdateInterruptTexts();
    void UpdateInputTexts();
    void UpdateConversionTexts();
    void MarkItems(int listId);
    void ChangeSar();

    PeripheralRecord* portIO_;
    PeripheralRecord* interrupts_;
    bool large_;
    const std::vector<adc::AdcMuxEntry>* positive_ = nullptr;
    const std::vector<adc::AdcMuxEntry>* negative_ = nullptr;
};
