#include "framework/ControlDriver.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QValidator>
#include <QVariant>
#include <QWidget>

#include <map>


namespace driver {
namespace {

// Control texts are Latin-1, as the pages write them.
QString ToQt(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
std::string FromQt(const QString& s) { return s.toLatin1().toStdString(); }

int IdOf(const QWidget* w) {
    const QVariant v = w->property("zvId");
    return v.isValid() ? v.toInt() : -1;
}

// Finds the control and checks that a user could act on it.
QWidget* Usable(QWidget* root, int id, std::string& error) {
    QWidget* w = Find(root, id);
    if (!w) {
        error = "no control " + std::to_string(id);
    } else if (!w->isVisible()) {
        error = "control " + std::to_string(id) + " is hidden";
        w = nullptr;
    } else if (!w->isEnabled()) {
        error = "control " + std::to_string(id) + " is disabled";
        w = nullptr;
    }
    return w;
}

}  // namespace

QWidget* Find(QWidget* root, int id) {
    if (!root) return nullptr;
    if (IdOf(root) == id) return root;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (IdOf(w) == id) return w;
    return nullptr;
}

std::string Click(QWidget* root, int id) {
    std::string error;
    QWidget* w = Usable(root, id, error);
    if (!w) return error;
    auto* b = qobject_cast<QAbstractButton*>(w);
    if (!b) return "control " + std::to_string(id) + " is not a button";
    b->click();
    return {};
}

std::string SetText(QWidget* root, int id, const std::string& text) {
    std::string error;
    QWidget* w = Usable(root, id, error);
    if (!w) return error;
    auto* e = qobject_cast<QLineEdit*>(w);
    if (!e) return "control " + std::to_string(id) + " is not an edit";
    if (e->isReadOnly()) return "control " + std::to_string(id) + " is read-only";
    // Text set this way is taken as it is: the edit's validator, which shapes
    // what a user types, does not see it.
    const QValidator* validator = e->validator();
    e->setValidator(nullptr);
    e->setText(ToQt(text));
    e->setValidator(validator);
    return {};
}

std::string SelectIndex(QWidget* root, int id, int index) {
    std::string error;
    QWidget* w = Usable(root, id, error);
    if (!w) return error;
    auto* c = qobject_cast<QComboBox*>(w);
    if (!c) return "control " + std::to_string(id) + " is not a drop-down list";
    if (index < 0 || index >= c->count())
        return "control " + std::to_string(id) + " has no entry #" + std::to_string(index);
    c->setCurrentIndex(index);
    emit c->activated(index);
    return {};
}

std::string SelectText(QWidget* root, int id, const std::string& item) {
    auto* c = qobject_cast<QComboBox*>(Find(root, id));
    if (!c) return SelectIndex(root, id, 0);  // reports the missing or wrong control
    const int index = c->findText(ToQt(item), Qt::MatchExactly);
    if (index < 0) return "control " + std::to_string(id) + " has no entry \"" + Escape(item) + "\"";
    return SelectIndex(root, id, index);
}

std::string Slide(QWidget* root, int id, int pos) {
    std::string error;
    QWidget* w = Usable(root, id, error);
    if (!w) return error;
    auto* s = qobject_cast<QSlider*>(w);
    if (!s) return "control " + std::to_string(id) + " is not a slider";
    if (pos < s->minimum() || pos > s->maximum())
        return "position " + std::to_string(pos) + " is outside the slider's range";
    s->setSliderDown(true);
    s->setSliderPosition(pos);
    s->setSliderDown(false);
    return {};
}

bool IsChecked(QWidget* w) {
    auto* b = qobject_cast<QAbstractButton*>(w);
    return b && b->isChecked();
}

std::string TextOf(QWidget* w) {
    // A control that draws its content (a table) publishes what it shows.
    const QVariant shown = w->property("zvText");
    if (shown.isValid()) return FromQt(shown.toString());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return FromQt(b->text());
    if (auto* e = qobject_cast<QLineEdit*>(w)) return FromQt(e->text());
    if (auto* l = qobject_cast<QLabel*>(w)) return FromQt(l->text());
    if (auto* c = qobject_cast<QComboBox*>(w)) return FromQt(c->currentText());
    if (auto* s = qobject_cast<QSlider*>(w)) return std::to_string(s->value());
    if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        return FromQt(p->toPlainText());
    return {};
}

std::string KindOf(QWidget* w) {
    static const char* const names[] = {"check", "radio", "toggle", "button", "list", "edit",
                                        "label", "slider", "preview", "table", "group"};
    const QVariant v = w->property("zvKind");
    const int k = v.isValid() ? v.toInt() : -1;
    return k >= 0 && k < static_cast<int>(std::size(names)) ? names[k] : "control";
}

std::string Describe(QWidget* root) {
    std::map<int, QWidget*> byId;
    if (IdOf(root) >= 0) byId[IdOf(root)] = root;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (IdOf(w) >= 0) byId.emplace(IdOf(w), w);
    std::string out;
    for (const auto& [id, w] : byId) {
        const std::string kind = KindOf(w);
        const bool checkable = kind == "check" || kind == "radio" || kind == "toggle";
        out += std::to_string(id) + " " + kind + " " + (w->isEnabled() ? "enabled" : "disabled") +
               " " + (w->isVisible() ? "visible" : "hidden") + " " +
               (checkable ? (IsChecked(w) ? "checked" : "unchecked") : "-") + " \"" +
               Escape(TextOf(w)) + "\"\n";
    }
    return out;
}

QPixmap Picture(QWidget* w) {
    w->ensurePolished();
    if (!w->isVisible()) w->show();
    // A layout request may resize a widget whose layout then asks again.
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
    return w->grab();
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace driver
