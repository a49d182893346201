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
#include "pages/common/SheetSpec.h"

// The "ADC" sheet: this page alone, with copies of the Port I/O and interrupt
// records; stores record 6 on OK.
SheetSpec AdcSheet();

class CAdc0PropPage : public CPropPage {
    Q_OBJECT
public:
    // Control ids.
    static constexpr int kIdEnable = 11293;
    static constexpr int kIdLowPowerTrack = 11296;
    static constexpr int kIdLeftJustify = 11313;
    static constexpr int kIdStartBusy = 11316;    // AD0BUSY write, value 0
    static constexpr int kIdStartTimer0 = 11317;  // 1
    static constexpr int kIdStartTimer1 = 11318;  // 3
    static constexpr int kIdStartTimer2 = 11319;  // 2
    static constexpr int kIdStartTimer3 = 11320;  // 5
    static constexpr int kIdStartCnvstr = 11321;  // 4
    static constexpr int kIdPositive = 11300;
    static constexpr int kIdNegative = 11301;
    static constexpr int kIdGreaterHigh = 11314;
    static constexpr int kIdGreaterLow = 11315;
    static constexpr int kIdLessHigh = 11133;
    static constexpr int kIdLessLow = 11135;
    static constexpr int kIdAd0sc = 11306;
    static constexpr int kIdSarClock = 11302;
    static constexpr int kIdChangeSar = 11304;
    static constexpr int kIdInterrupts = 11308;
    static constexpr int kIdPortIO = 11281;
    static constexpr int kIdConversionInterrupt = 11309;
    static constexpr int kIdWindowInterrupt = 11310;
    static constexpr int kIdMode = 11311;
    static constexpr int kIdPositiveStatus = 11287;
    static constexpr int kIdNegativeStatus = 11288;
    static constexpr int kIdCnvstrStatus = 11312;
    static constexpr int kIdConversion = 11298;
    static constexpr int kIdConversionMore = 11299;

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
