#pragma once
// Base of every peripheral page: a widget with numbered controls that edits
// a working copy of one record through CRegisterAccess and shows the C lines
// of that record in its preview box (control 11110).
//
// Plain bit editors describe their controls as a table of BitControl rows;
// the base lays them out, sets them from the record and writes clicks and
// choices back, so pages only add what goes beyond plain bits.

#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

#include "pages/common/CNumberedControls.h"
#include "pages/common/CRegisterAccess.h"
#include "pages/common/PageContext.h"
#include "pages/common/PageLayout.h"

// One control bound to register bits.
struct BitControl {
    int id;
    ControlKind kind;  // Check (one bit), Radio (one field value) or List (field = entry index)
    std::string caption;  // check/radio caption; the label of a list
    std::string group;    // caption of the group box it stands in
    int column;           // column of that group box (0-based)
    int position;         // register position in the record
    std::uint8_t mask;    // the bit, or the field's mask
    std::uint8_t value;   // radio: the field value it selects; list: the field's shift
    std::vector<std::string> items = {};  // list entries
};

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
    virtual void OnSetActive();   // default: preview
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
    // Lays out and binds a table of controls: one group box per distinct
    // group caption, in order, in the column of its first row; then the preview.
    void BuildBound(const std::vector<BitControl>& table);
    // Binds controls that the page laid out itself.
    void Bind(const std::vector<BitControl>& table);
    // Sets the bound controls, hex edits included, from the record.
    void RefreshBound();
    const BitControl* Bound(int id) const;

    // Hexadecimal register edits (every hex edit of every page). On each
    // change of the text: ValidateHex with `maxLength`; a refused text is
    // written back corrected; the text is then read again, parsed with
    // ParseHex (width 2) and stored into the register at `position`; then
    // OnHexChanged lets the page update what depends on it, and the preview
    // is rebuilt. The edit itself takes whatever is typed (no mask, no
    // length limit), so that a bad character reaches ValidateHex.
    void BindHex(int editId, int position, int maxLength = 2);
    // The same for a field of a register: the edit shows (value & mask) >>
    // shift, and a typed number goes into the field, the other bits staying;
    // a number too large for the field stores the field's largest value
    // (OnHexChanged may then tell the user).
    void BindHexField(int editId, int position, std::uint8_t mask, int shift, int maxLength = 2);
    // Shows the register (field) of a bound hex edit as "%02X".
    void ShowHex(int editId);
    bool IsHexBound(int editId) const;
    virtual void OnHexChanged(int /*editId*/) {}

private:
    struct HexEdit {
        int editId;
        int position;
        int maxLength;
        std::uint8_t mask = 0xFF;
        int shift = 0;
    };
    const HexEdit* FindHex(int editId) const;

    std::string caption_;
    PageContext* context_ = nullptr;
    std::vector<BitControl> bound_;
    std::vector<HexEdit> hex_;
};
