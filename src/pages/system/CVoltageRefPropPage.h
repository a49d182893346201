#pragma once
// REF0CN: reference source, temperature sensor, bias generator and buffer,
// with a check that the VREF pin is analog and skipped on the crossbar.

#include "pages/common/CPropPage.h"

class CVoltageRefPropPage : public CPropPage {
    Q_OBJECT
public:
    // `portIO`: the command's working copy of the Port I/O record, which the
    // page reads for the pin check and its nested Port I/O sheet edits.
    explicit CVoltageRefPropPage(PageContext& context);

    void Refresh() override;
    void OnCommand(int id) override;

    // The status text for the current selection and pin settings.
    std::string PinStatus() const;

private:
    void CheckVrefPin();

    PeripheralRecord* portIO_;
};
