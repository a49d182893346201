#pragma once
// The capture/compare module pages of the PCA sheet. One class serves the
// five modules from a table of what differs between them; Module 4 adds the
// watchdog check boxes.

#include <cstdint>

#include "chip/PcaMath.h"
#include "pages/common/CPropPage.h"

class QGroupBox;

// What differs between the modules.
struct PcaModule {
    int number;
    int dialogId;
    int cphEdit;
    int cplEdit;
    bool watchdog;  // Module 4/WDT
};

// Module 0 to 4, by number.
const PcaModule& PcaModuleRow(int number);

class CPca0ModulePropPage : public CPropPage {
    Q_OBJECT
public:
    // Reads the sheet's copies of the Port I/O record (for XBR1 and the
    // nested Port I/O sheet) and of the timer record (for the Timer 0
    // timebase), and the document's clock words.
    CPca0ModulePropPage(PageContext& context, int module);

    void Refresh() override;
    void OnCommand(int id) override;
    void ResetRegisters() override;

    // The counter's clock from the record and the inputs.
    std::uint32_t Clock() const;

protected:
    void OnHexChanged(int editId) override;
    // Switches the value display (label, edit, unit, button) to the mode.
    void ShowValue();
    // Runs the calculator of the current mode; true when it ended with OK.
    virtual bool RunCalculator();
    // The edits and the value display after a calculator changed the registers.
    virtual void AfterCalculator();

    const PcaModule& module_;
    int Cpm() const;
    pca::ClockInputs Inputs() const;
    bool refreshing_ = false;  // set while Refresh writes the edits

private:
    void ShowCrossbar();
    std::string Digit(const std::string& text) const;

    PeripheralRecord* portIO_;
    PeripheralRecord* timers_;
    // The frame of the mode's value display, shown with it.
    QGroupBox* valueBox_ = nullptr;
};

// "Module 4/WDT": the module that doubles as the watchdog timer.
class CPca0Module4PropPage : public CPca0ModulePropPage {
    Q_OBJECT
public:
    explicit CPca0Module4PropPage(PageContext& context);

    void Refresh() override;
    void OnCommand(int id) override;

protected:
    void OnHexChanged(int editId) override;
    bool RunCalculator() override;
    void AfterCalculator() override;

private:
    void ApplyWatchdogRule();
    void EnableModeButtons(bool on);
};
