#pragma once
// Pages and calculators are laid out in code: columns of group boxes, each a
// stack of rows of numbered controls, and the register preview underneath.

#include <bit>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "pages/common/CNumberedControls.h"

class QBoxLayout;
class QGridLayout;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QVBoxLayout;
class QWidget;
inline constexpr int kPreviewId = 11110;

// What a bound control shows and edits in its page's record: the bits `mask`
// of the register at `position`.
struct Binding {
    int id;
    // Check: set while the bits are set. Radio: checked while the field holds
    // `value`. List: the selected entry is the field. Edit: a hex edit of the field.
    ControlKind kind;
    int position;
    std::uint8_t mask;
    std::uint8_t value = 0;
    // The field's lowest bit: a list's entry index and a hex edit's number start there.
    int Shift() const { return std::countr_zero(static_cast<unsigned>(mask)); }
};

// Where the register preview stands.
enum class PreviewPlace {
    UnderColumns,  // right under the columns; spare height of the page below it
    PageBottom,    // at the foot of the page; spare height above it
};

// A radio button whose check mark is set either by the click itself
// (automatic: checks itself and clears its sibling radios) or only by the
// page's handler (non-automatic). The radios that share a parent are one
// group for the keyboard: one Tab stop (the checked radio, else the first),
// and the arrow keys move to the next or previous radio and click it.
class CRadio : public QRadioButton {
public:
    CRadio(const QString& text, bool automatic, QWidget* parent = nullptr);
    bool IsAutomatic() const { return automatic_; }
    // Makes this radio its group's Tab stop.
    void TakeTabStop();

protected:
    void nextCheckState() override;
    void checkStateSet() override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // This radio and its siblings, in the order they were laid out.
    QList<CRadio*> Group() const;

    bool automatic_;
};

class PageBuilder;

// A control just placed by the builder. It stands for its widget (`->`, and
// it converts to the widget pointer) and binds it to the page's record in
// the same statement: `b.Check(id, "Enable").Bit(reg, 0x80)`.
template <class W>
class Placed {
public:
    Placed(PageBuilder& builder, int id, W* w) : builder_(builder), id_(id), w_(w) {}
    W* operator->() const { return w_; }
    operator W*() const { return w_; }

    // A check box: set while the bits `mask` of the register at `position` are set.
    Placed& Bit(int position, std::uint8_t mask)
        requires std::is_base_of_v<QCheckBox, W>;
    // A radio: checked while the field `mask` holds `value`; a click writes it.
    Placed& Field(int position, std::uint8_t mask, std::uint8_t value)
        requires std::is_base_of_v<QRadioButton, W>;
    // A drop-down list: the selected entry is the number in the field `mask`.
    Placed& Field(int position, std::uint8_t mask)
        requires std::is_base_of_v<QComboBox, W>;
    // Keeps room for the largest of the texts the control will show, so that
    // a change of text neither clips it nor changes the page's layout.
    Placed& Room(const std::vector<std::string>& texts);

private:
    PageBuilder& builder_;
    int id_;
    W* w_;
};

class PageBuilder {
public:
    // Lays out `host` (which must have no layout yet) and files controls in
    // `controls`; the bindings of placed controls go to `bindings`.
    PageBuilder(QWidget* host, CNumberedControls* controls, std::vector<Binding>* bindings = nullptr);

    // Starts a new column of groups to the right of the current one.
    void NextColumn();
    // Starts a group box in the current column; an empty caption makes a plain frame.
    QGroupBox* Group(const std::string& caption);
    // Controls are stacked in the current group (or column); BeginRow puts the
    // following ones side by side until EndRow.
    void BeginRow();
    void EndRow();
    void Stretch();

    Placed<QCheckBox> Check(int id, const std::string& caption);
    Placed<CRadio> Radio(int id, const std::string& caption, bool automatic = true);
    QPushButton* Toggle(int id, const std::string& caption);
    QPushButton* Button(int id, const std::string& caption);
    // A drop-down list with an optional label in front of it.
    Placed<QComboBox> List(int id, const std::string& label, const std::vector<std::string>& items);
    // An edit with an optional label in front and an optional unit behind.
    Placed<QLineEdit> Edit(int id, const std::string& label, const std::string& unit = std::string());
    // A hexadecimal edit of the register at `position` (or of its field
    // `mask`); the page's hex entry rule stores what is typed.
    Placed<QLineEdit> Hex(int id, const std::string& label, int position, std::uint8_t mask = 0xFF);
    // A read-only edit showing a value the page computes.
    Placed<QLineEdit> Display(int id, const std::string& label, const std::string& unit = std::string());
    // Static text; id 0 leaves it unnumbered.
    Placed<QLabel> Label(int id, const std::string& text);
    // A status line: one line of text the page changes while it is shown,
    // with room for the longest of `texts` from the start.
    Placed<QLabel> Status(int id, const std::vector<std::string>& texts = {});
    QSlider* Slider(int id, int min, int max);
    // Places an existing widget in the current group or row.
    void Add(QWidget* w);
    // The read-only register preview (id 11110) under all columns, `lines` high.
    QPlainTextEdit* Preview(int lines = 5, PreviewPlace place = PreviewPlace::UnderColumns);

    // Used by the handles of placed controls.
    void Bind(const Binding& binding);
    void ReserveRoom(int id, const std::vector<std::string>& texts);

private:
    QBoxLayout* Target();
    // Labelled drop-downs and edits that follow one another in a group share
    // a grid, so that their fields start at one x position.
    QGridLayout* Form();
    void EndForm() { form_ = nullptr; }

    QWidget* host_;
    CNumberedControls* controls_;
    std::vector<Binding>* bindings_;
    QVBoxLayout* outer_;
    class QHBoxLayout* columns_;
    QVBoxLayout* column_ = nullptr;
    QVBoxLayout* group_ = nullptr;
    QBoxLayout* row_ = nullptr;
    QGridLayout* form_ = nullptr;
};

template <class W>
Placed<W>& Placed<W>::Bit(int position, std::uint8_t mask)
    requires std::is_base_of_v<QCheckBox, W>
{
    builder_.Bind({id_, ControlKind::Check, position, mask});
    return *this;
}

template <class W>
Placed<W>& Placed<W>::Field(int position, std::uint8_t mask, std::uint8_t value)
    requires std::is_base_of_v<QRadioButton, W>
{
    builder_.Bind({id_, ControlKind::Radio, position, mask, value});
    return *this;
}

template <class W>
Placed<W>& Placed<W>::Field(int position, std::uint8_t mask)
    requires std::is_base_of_v<QComboBox, W>
{
    builder_.Bind({id_, ControlKind::List, position, mask});
    return *this;
}

template <class W>
Placed<W>& Placed<W>::Room(const std::vector<std::string>& texts) {
    builder_.ReserveRoom(id_, texts);
    return *this;
}
