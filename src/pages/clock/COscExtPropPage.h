#pragma once
// External Oscillator: the OSCXCN mode and frequency-control bits, the
// typed frequency (ExtOscFrequency), the XTAL pin checks against the Port I/O
// record and a nested Port I/O sheet to put the pins right.

#include "pages/clock/COscPage.h"

class COscExtPropPage : public COscPage {
    Q_OBJECT
public:
    // Reads the sheet's copy of the Port I/O record for the pin checks; the
    // nested Port I/O sheet edits it.
    explicit COscExtPropPage(PageContext& context);

    void Refresh() override;
    void OnCommand(int id) override;
    void OnEditChange(int id) override;
    void OnOK() override;

private:
    void ApplyLabelSet();
    void UpdateXtalTexts();

    PeripheralRecord* portIO_;
    bool showingFrequency_ = false;
};
