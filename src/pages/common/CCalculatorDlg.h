#pragma once
// Base of the calculator dialogs: a small modal dialog with numbered controls,
// OK (1) and Cancel (2), run through the UI service. A calculator's OnOK may
// refuse to close (a result out of range keeps the dialog open).

#include <memory>
#include <string>

#include "framework/CModalDialog.h"
#include "pages/common/CNumberedControls.h"
#include "pages/common/PageLayout.h"

// Control id of the result line under a calculator's target field.
inline constexpr int kAchievedId = 11990;

// Control ids of the system clock display and its "Change Clock Frequency"
// button, in every calculator that shows them.
namespace calcids {
inline constexpr int kSysclk = 11166;
inline constexpr int kChangeClock = 11173;
}  // namespace calcids

class CCalculatorDlg : public CModalDialog, public CNumberedControls {
    Q_OBJECT
public:
    explicit CCalculatorDlg(const std::string& caption, QWidget* parent = nullptr);
    ~CCalculatorDlg() override;

    // Sets the controls up, then runs the dialog; true when it ended with OK.
    bool Run();
    // As a click on OK: closes with OK when OnOK agrees.
    void PressOk();

    // OK and Cancel; calculators handle their own buttons and pass the rest here.
    void OnCommand(int id) override;

protected:
    // Lays out the body of the dialog (above OK and Cancel).
    PageBuilder& Builder() { return *builder_; }
    // Adds the read-only result line (id kAchievedId) at the builder's place;
    // the calculator fills it with SetText as its inputs change.
    void AddAchievedLine();
    virtual void OnInitDialog() {}
    // Returns false to keep the dialog open.
    virtual bool OnOK() { return true; }

private:
    // Puts OK and Cancel last in the Tab order and the focus in the first
    // field the user can type into, its text selected.
    void FocusFirstField();

    std::unique_ptr<PageBuilder> builder_;
};
