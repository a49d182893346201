#pragma once
// Pages and calculators are laid out in code: columns of group boxes, each a
// stack of rows of numbered controls, and the register preview underneath.

#include <string>
#include <vector>

#include <QRadioButton>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QVBoxLayout;
class QWidget;
class CNumberedControls;

inline constexpr int kPreviewId = 11110;

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

class PageBuilder {
public:
    // Lays out `host` (which must have no layout yet) and files controls in `controls`.
    PageBuilder(QWidget* host, CNumberedControls* controls);

    // Starts a new column of groups to the right of the current one.
    void NextColumn();
    // Starts a group box in the current column; an empty caption makes a plain frame.
    QGroupBox* Group(const std::string& caption);
    // Controls are stacked in the current group (or column); BeginRow puts the
    // following ones side by side until EndRow.
    void BeginRow();
    void EndRow();
    void Stretch();

    QCheckBox* Check(int id, const std::string& caption);
    CRadio* Radio(int id, const std::string& caption, bool automatic = true);
    QPushButton* Toggle(int id, const std::string& caption);
    QPushButton* Button(int id, const std::string& caption);
    // A drop-down list with an optional label in front of it.
    QComboBox* List(int id, const std::string& label, const std::vector<std::string>& items);
    // An edit with an optional label in front and an optional unit behind.
    QLineEdit* Edit(int id, const std::string& label, const std::string& unit = std::string());
    // Static text; id 0 leaves it unnumbered.
    QLabel* Label(int id, const std::string& text);
    QSlider* Slider(int id, int min, int max);
    // Places an existing widget in the current group or row.
    void Add(QWidget* w);
    // The read-only register preview (id 11110) under all columns, `lines` high.
    QPlainTextEdit* Preview(int lines = 5);

private:
    QBoxLayout* Target();
    // Labelled drop-downs and edits that follow one another in a group share
    // a grid, so that their fields start at one x position.
    QGridLayout* Form();
    void EndForm() { form_ = nullptr; }

    QWidget* host_;
    CNumberedControls* controls_;
    QVBoxLayout* outer_;
    class QHBoxLayout* columns_;
    QVBoxLayout* column_ = nullptr;
    QVBoxLayout* group_ = nullptr;
    QBoxLayout* row_ = nullptr;
    QGridLayout* form_ = nullptr;
};
