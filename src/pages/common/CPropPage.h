#pragma once
// Base of every peripheral page: a widget with numbered controls that edits
// a working copy of one record through CRegisterAccess and shows the C lines
// of that record in its preview box (control 11110).
//
// A page lays its controls out with the builder from Builder() and binds each
// to its bits in the same statement; the base sets bound controls from the
// record and writes clicks, choices and typed hex back, so pages only add
// what goes beyond plain bits.

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

#include "pages/common/CNumberedControls.h"
#include "pages/common/CRegisterAccess.h"
#include "pages/common/PageContext.h"
#include "pages/common/PageLayout.h"

inline constexpr const char* kResetQuestion = "Reset all registers to default for this peripheral?";

class CPropPage : public QWidget, public CNumberedControls, public CRegisterAccess {
    Q_OBJECT
public:
    explicit CPropPage(const std::string& caption, QWidget* parent = nullptr);
    // A page that reads its sheet's context while it is built.
    CPropPage(PageContext& context, const std::string& caption);

    const std::string& Caption() const { return caption_; }

    // The sheet's context (the runner sets it before the sheet runs): the
    // document, the clock words, the record copies, the nested sheets.
    void SetContext(PageContext* context);
    PageContext& Ctx() const { return *context_; }
    bool HasContext() const { return context_ != nullptr; }

    // Life cycle, driven by the sheet.
    virtual void OnInitDialog();  // default: Refresh and preview
    virtual void OnSetActive();   // default: Refresh and preview
    virtual void OnOK() {}
    // The sheet's Reset button (command 8888): asks, then resets and refreshes.
    virtual void OnReset();

    // Sets every control from the record; the default sets the bound ones.
    virtual void Refresh() { RefreshBound(); }
    // What Reset puts back; the default is every register of the record.
    virtual void ResetRegisters() { ResetAllRegisters(); }

    // Bound controls write their bits, then the preview is rebuilt.
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    // Bound hex edits run the hex entry rule; pages overriding this call it.
    void OnEditChange(int id) override;

    void RefreshPreview() { SetText(kPreviewId, PreviewText()); }

protected:
    // A builder that lays this page out (it must have no layout yet) and
    // binds the controls it places.
    PageBuilder Builder() { return PageBuilder(this, this, &bound_); }
    // Sets the bound controls, hex edits included, from the record.
    void RefreshBound();
    const Binding* Bound(int id) const;

    // Hexadecimal register edits (every hex edit of every page, placed with
    // PageBuilder::Hex). On each change of the text: ValidateHex with two
    // digits; a refused text is written back corrected; the text is then
    // read again, parsed with ParseHex (width 2) and stored into the field;
    // a number too large for the field stores the field's largest value
    // (OnHexChanged may then tell the user), the other bits staying. Then
    // OnHexChanged lets the page update what depends on it, and the preview
    // is rebuilt.
    // Shows the register (field) of a bound hex edit as "%02X".
    void ShowHex(int editId);
    virtual void OnHexChanged(int /*editId*/) {}

private:
    std::string caption_;
    PageContext* context_ = nullptr;
    std::vector<Binding> bound_;
};
