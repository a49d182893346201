#pragma once
// The "PCA0" page: counter run, idle control, overflow interrupt, timebase
// and the counter's initial value; it keeps the watchdog's force-write flags
// up to date whenever PCA0MD or the counter changes, and when it is shown.

#include <cstdint>

#include "pages/common/CPropPage.h"

class CPca0PropPage : public CPropPage {
    Q_OBJECT
public:
    // `interrupts`: the command's copy of the interrupt record (for the
    // status text and the nested Interrupts sheet); `eciFrequency`: the
    // document's word, which the ECI dialog writes directly.
    CPca0PropPage(PeripheralRecord* interrupts, std::uint32_t* eciFrequency);

    void Refresh() override;
    void OnSetActive() override;
    void OnCommand(int id) override;
    void ResetRegisters() override;

protected:
    void OnHexChanged(int editId) override;

private:
    void ShowInterruptText();

    PeripheralRecord* interrupts_;
    std::uint32_t* eci_;
};
