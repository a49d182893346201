#include "pages/common/CNumberedControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QVariant>
#include <QWidget>

namespace {

// Read-only edits take the look the platform gives them: the window's colour
// behind the text, so that a rate on show is not taken for a field to type in.
class ReadOnlyLook : public QObject {
public:
    static ReadOnlyLook& Instance() {
        static ReadOnlyLook look;
        return look;
    }
    static void Apply(QLineEdit* edit) {
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, edit->isReadOnly()
                                             ? palette.color(QPalette::Window)
                                             : QApplication::palette(edit).color(QPalette::Base));
        edit->setPalette(palette);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ReadOnlyChange)
            if (auto* edit = qobject_cast<QLineEdit*>(watched)) Apply(edit);
        return false;
    }
};

}  // namespace

void CNumberedControls::Register(int id, QWidget* w, ControlKind kind) {
    controls_[id] = w;
    kinds_[id] = kind;
    w->setProperty("zvId", id);
    w->setProperty("zvKind", static_cast<int>(kind));
    w->setObjectName(QString("ctl%1").arg(id));
    switch (kind) {
        case ControlKind::Check:
        case ControlKind::Radio:
        case ControlKind::Toggle:
        case ControlKind::Button:
            QObject::connect(static_cast<QAbstractButton*>(w), &QAbstractButton::clicked, w,
                             [this, id] { OnCommand(id); });
            break;
        case ControlKind::List:
            QObject::connect(static_cast<QComboBox*>(w), &QComboBox::activated, w,
                             [this, id] { OnSelChange(id); });
            break;
        case ControlKind::Edit:
            QObject::connect(static_cast<QLineEdit*>(w), &QLineEdit::textChanged, w,
                             [this, id] { OnEditChange(id); });
            w->installEventFilter(&ReadOnlyLook::Instance());
            if (static_cast<QLineEdit*>(w)->isReadOnly()) ReadOnlyLook::Apply(static_cast<QLineEdit*>(w));
            break;
        case ControlKind::Slider: {
            auto* s = static_cast<QSlider*>(w);
            QObject::connect(s, &QSlider::sliderMoved, w, [this, id](int pos) { OnSlide(id, pos, false); });
            QObject::connect(s, &QSlider::actionTriggered, w, [this, id, s](int action) {
                // Keyboard and page clicks move the slider without a drag.
                if (action != QAbstractSlider::SliderMove && action != QAbstractSlider::SliderNoAction)
                    OnSlide(id, s->sliderPosition(), false);
            });
            QObject::connect(s, &QSlider::sliderReleased, w, [this, id, s] { OnSlide(id, s->value(), true); });
            break;
        }
        default:
            break;
    }
}

QWidget* CNumberedControls::Control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

ControlKind CNumberedControls::KindOf(int id) const {
    auto it = kinds_.find(id);
    return it == kinds_.end() ? ControlKind::Label : it->second;
}

void CNumberedControls::Check(int id, bool on) {
    if (auto* b = qobject_cast<QAbstractButton*>(Control(id))) b->setChecked(on);
}

bool CNumberedControls::IsChecked(int id) const {
    auto* b = qobject_cast<QAbstractButton*>(Control(id));
    return b && b->isChecked();
}

void CNumberedControls::CheckRadio(int first, int last, int id) {
    for (auto it = controls_.lower_bound(first); it != controls_.end() && it->first <= last; ++it)
        if (KindOf(it->first) == ControlKind::Radio) Check(it->first, it->first == id);
}

void CNumberedControls::Enable(int id, bool on) {
    if (auto* w = Control(id)) w->setEnabled(on);
}

bool CNumberedControls::IsEnabled(int id) const {
    auto* w = Control(id);
    return w && w->isEnabled();
}

void CNumberedControls::Show(int id, bool on) {
    if (auto* w = Control(id)) w->setVisible(on);
}

void CNumberedControls::SetText(int id, const std::string& text) {
    QWidget* w = Control(id);
    const QString t = ToQt(text);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(t);
    else if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(t);
    else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(t);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        QString shown = t;
        shown.replace("\r\n", "\n");
        p->setPlainText(shown);
    }
}

std::string CNumberedControls::Text(int id) const {
    QWidget* w = Control(id);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return FromQt(b->text());
    if (auto* e = qobject_cast<QLineEdit*>(w)) return FromQt(e->text());
    if (auto* l = qobject_cast<QLabel*>(w)) return FromQt(l->text());
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return FromQt(p->toPlainText().replace("\n", "\r\n"));
    if (auto* c = qobject_cast<QComboBox*>(w)) return FromQt(c->currentText());
    return {};
}

void CNumberedControls::SetItems(int id, const std::vector<std::string>& items) {
    auto* c = qobject_cast<QComboBox*>(Control(id));
    if (!c) return;
    c->clear();
    for (const auto& item : items) c->addItem(ToQt(item));
}

void CNumberedControls::Select(int id, int index) {
    if (auto* c = qobject_cast<QComboBox*>(Control(id))) c->setCurrentIndex(index);
}

int CNumberedControls::Selected(int id) const {
    auto* c = qobject_cast<QComboBox*>(Control(id));
    return c ? c->currentIndex() : -1;
}

void CNumberedControls::SetSliderRange(int id, int min, int max) {
    if (auto* s = qobject_cast<QSlider*>(Control(id))) s->setRange(min, max);
}

void CNumberedControls::SetSliderPos(int id, int pos) {
    if (auto* s = qobject_cast<QSlider*>(Control(id))) s->setValue(pos);
}

int CNumberedControls::SliderPos(int id) const {
    auto* s = qobject_cast<QSlider*>(Control(id));
    return s ? s->value() : 0;
}
