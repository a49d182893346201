#pragma once
// The "PCA0" page: counter run, idle control, overflow interrupt, timebase
// and the counter's initial value; it keeps the watchdog's force-write flags
// up to date whenever PCA0MD or the counter changes, and when it is shown.

#include <cstdint>

#include "pages/common/CPropPage.h"

class CPca0PropPage : public CPropPage {
    Q_OBJECT
public:
    // Reads the sheet's copy of the interrupt record (for the status text and
    // the nested Interrupts sheet); the ECI dialog writes the document's
    // EciFrequency directly.
    explicit CPca0PropPage(PageContext& context);

    void Refresh() override;
    void OnSetActive() override;
    void OnCommand(int id) override;
    void ResetRegisters() override;

protected:
    void OnHexChanged(int editId) override;

private:
    void ShowInterruptText();

    PeripheralRecord* interrupts_;
};
