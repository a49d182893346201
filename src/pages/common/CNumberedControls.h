#pragma once
// Controls addressed by number, with the semantics the pages rely on:
// buttons report user clicks only (a programmatic check fires nothing), edits
// report every text change (programmatic ones too), drop-down lists report
// the user's choice only, sliders report moves and the end of a move.
// Shared by property pages and calculator dialogs.

#include <QString>

#include <map>
#include <string>
#include <vector>

class QWidget;

// The kinds of numbered control.
enum class ControlKind { Check, Radio, Toggle, Button, List, Edit, Label, Slider, Preview, Table, Group };

class CNumberedControls {
public:
    virtual ~CNumberedControls() = default;

    // Files `w` under `id` and wires its notifications to the handlers below.
    void Register(int id, QWidget* w, ControlKind kind);
    QWidget* Control(int id) const;
    bool Has(int id) const { return controls_.count(id) != 0; }
    ControlKind KindOf(int id) const;
    // Every registered control in id order.
    const std::map<int, QWidget*>& Controls() const { return controls_; }

    void Check(int id, bool on);
    bool IsChecked(int id) const;
    // Checks `id` and clears every other radio button numbered first..last.
    void CheckRadio(int first, int last, int id);
    void Enable(int id, bool on);
    bool IsEnabled(int id) const;
    void Show(int id, bool on);
    void SetText(int id, const std::string& text);
    std::string Text(int id) const;
    void SetItems(int id, const std::vector<std::string>& items);
    void Select(int id, int index);
    int Selected(int id) const;
    void SetSliderRange(int id, int min, int max);
    void SetSliderPos(int id, int pos);
    int SliderPos(int id) const;

    // Notifications; the defaults do nothing.
    virtual void OnCommand(int /*id*/) {}
    virtual void OnEditChange(int /*id*/) {}
    virtual void OnSelChange(int /*id*/) {}
    virtual void OnSlide(int /*id*/, int /*pos*/, bool /*ended*/) {}

    static QString ToQt(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
    static std::string FromQt(const QString& s) { return s.toLatin1().toStdString(); }

private:
    std::map<int, QWidget*> controls_;
    std::map<int, ControlKind> kinds_;
};
