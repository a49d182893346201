#include "pages/common/PageLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "pages/common/CNumberedControls.h"

CRadio::CRadio(const QString& text, bool automatic, QWidget* parent)
    : QRadioButton(text, parent), automatic_(automatic) {
    setAutoExclusive(false);
}

QList<CRadio*> CRadio::Group() const {
    if (!parentWidget()) return {const_cast<CRadio*>(this)};
    return parentWidget()->findChildren<CRadio*>(QString(), Qt::FindDirectChildrenOnly);
}

void CRadio::TakeTabStop() {
    for (CRadio* radio : Group())
        radio->setFocusPolicy(radio == this ? Qt::StrongFocus : Qt::ClickFocus);
}

void CRadio::nextCheckState() {
    if (!automatic_) return;  // the handler sets the mark
    setChecked(true);
    TakeTabStop();
    for (CRadio* sibling : Group())
        if (sibling != this) sibling->setChecked(false);
}

void CRadio::checkStateSet() {
    QRadioButton::checkStateSet();
    if (isChecked()) TakeTabStop();
}

void CRadio::focusInEvent(QFocusEvent* event) {
    TakeTabStop();
    QRadioButton::focusInEvent(event);
}

void CRadio::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            step = -1;
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            step = 1;
            break;
        default:
            QRadioButton::keyPressEvent(event);
            return;
    }
    // The next radio of the group a user can reach, round the end.
    const QList<CRadio*> group = Group();
    const qsizetype count = group.size();
    const qsizetype at = group.indexOf(this);
    for (qsizetype i = 1; i < count; ++i) {
        CRadio* next = group[((at + step * i) % count + count) % count];
        if (next->isEnabled() && next->isVisibleTo(window())) {
            next->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
            next->click();
            return;
        }
    }
}

PageBuilder::PageBuilder(QWidget* host, CNumberedControls* controls, std::vector<Binding>* bindings)
    : host_(host), controls_(controls), bindings_(bindings) {
    outer_ = new QVBoxLayout(host);
    columns_ = new QHBoxLayout;
    columns_->setAlignment(Qt::AlignTop);
    outer_->addLayout(columns_);
    NextColumn();
}

void PageBuilder::NextColumn() {
    column_ = new QVBoxLayout;
    column_->setAlignment(Qt::AlignTop);
    columns_->addLayout(column_, 1);
    group_ = nullptr;
    row_ = nullptr;
    EndForm();
}

QGroupBox* PageBuilder::Group(const std::string& caption) {
    auto* box = new QGroupBox(CNumberedControls::ToQt(caption), host_);
    column_->addWidget(box);
    group_ = new QVBoxLayout(box);
    group_->setContentsMargins(9, 4, 9, 4);
    group_->setSpacing(3);
    row_ = nullptr;
    EndForm();
    return box;
}

QGridLayout* PageBuilder::Form() {
    if (!form_) {
        form_ = new QGridLayout;
        form_->setColumnStretch(1, 1);
        (group_ ? group_ : column_)->addLayout(form_);
    }
    return form_;
}

void PageBuilder::BeginRow() {
    EndForm();
    auto* row = new QHBoxLayout;
    (group_ ? group_ : column_)->addLayout(row);
    row_ = row;
}

void PageBuilder::EndRow() {
    if (row_) row_->addStretch(1);
    row_ = nullptr;
}

void PageBuilder::Stretch() {
    EndForm();
    Target()->addStretch(1);
}

QBoxLayout* PageBuilder::Target() {
    if (row_) return row_;
    if (group_) return group_;
    return column_;
}

void PageBuilder::Add(QWidget* w) {
    if (!row_) EndForm();
    Target()->addWidget(w);
}

void PageBuilder::Bind(const Binding& binding) {
    Q_ASSERT(bindings_);  // only pages bind controls to a record
    bindings_->push_back(binding);
}

void PageBuilder::ReserveRoom(int id, const std::vector<std::string>& texts) {
    QWidget* w = controls_->Control(id);
    const std::string shown = controls_->Text(id);
    QSize room;
    for (const auto& text : texts) {
        controls_->SetText(id, text);
        room = room.expandedTo(w->sizeHint());
    }
    controls_->SetText(id, shown);
    w->setMinimumSize(room);
}

Placed<QCheckBox> PageBuilder::Check(int id, const std::string& caption) {
    auto* w = new QCheckBox(CNumberedControls::ToQt(caption), host_);
    controls_->Register(id, w, ControlKind::Check);
    Add(w);
    return {*this, id, w};
}

Placed<CRadio> PageBuilder::Radio(int id, const std::string& caption, bool automatic) {
    auto* w = new CRadio(CNumberedControls::ToQt(caption), automatic, host_);
    controls_->Register(id, w, ControlKind::Radio);
    Add(w);
    // Placed, it has its siblings: the first radio of a group is its Tab stop
    // until one is checked.
    w->setFocusPolicy(Qt::ClickFocus);
    for (CRadio* radio : w->parentWidget()->findChildren<CRadio*>(QString(), Qt::FindDirectChildrenOnly))
        if (radio->focusPolicy() == Qt::StrongFocus || radio->isChecked()) return {*this, id, w};
    w->TakeTabStop();
    return {*this, id, w};
}

QPushButton* PageBuilder::Toggle(int id, const std::string& caption) {
    auto* w = new QPushButton(CNumberedControls::ToQt(caption), host_);
    w->setCheckable(true);
    controls_->Register(id, w, ControlKind::Toggle);
    Add(w);
    return w;
}

QPushButton* PageBuilder::Button(int id, const std::string& caption) {
    // In a dialog a focused push button takes Return for itself.
    auto* w = new QPushButton(CNumberedControls::ToQt(caption), host_);
    controls_->Register(id, w, ControlKind::Button);
    Add(w);
    return w;
}

Placed<QComboBox> PageBuilder::List(int id, const std::string& label, const std::vector<std::string>& items) {
    auto* w = new QComboBox(host_);
    for (const auto& item : items) w->addItem(CNumberedControls::ToQt(item));
    controls_->Register(id, w, ControlKind::List);
    if (label.empty()) {
        Add(w);
    } else if (row_) {
        row_->addWidget(new QLabel(CNumberedControls::ToQt(label), host_));
        row_->addWidget(w, 1);
    } else {
        QGridLayout* form = Form();
        const int line = form->count() == 0 ? 0 : form->rowCount();
        form->addWidget(new QLabel(CNumberedControls::ToQt(label), host_), line, 0);
        form->addWidget(w, line, 1);
    }
    return {*this, id, w};
}

Placed<QLineEdit> PageBuilder::Edit(int id, const std::string& label, const std::string& unit) {
    auto* w = new QLineEdit(host_);
    controls_->Register(id, w, ControlKind::Edit);
    const Placed<QLineEdit> placed{*this, id, w};
    if (label.empty() && unit.empty()) {
        Add(w);
        return placed;
    }
    if (row_) {
        if (!label.empty()) row_->addWidget(new QLabel(CNumberedControls::ToQt(label), host_));
        row_->addWidget(w, 1);
        if (!unit.empty()) row_->addWidget(new QLabel(CNumberedControls::ToQt(unit), host_));
        return placed;
    }
    QGridLayout* form = Form();
    const int line = form->count() == 0 ? 0 : form->rowCount();
    if (!label.empty()) form->addWidget(new QLabel(CNumberedControls::ToQt(label), host_), line, 0);
    form->addWidget(w, line, 1);
    if (!unit.empty()) form->addWidget(new QLabel(CNumberedControls::ToQt(unit), host_), line, 2);
    return placed;
}

Placed<QLineEdit> PageBuilder::Hex(int id, const std::string& label, int position, std::uint8_t mask) {
    Placed<QLineEdit> w = Edit(id, label);
    // The edit takes whatever is typed (no mask, no length limit), so that a
    // bad character reaches the page's hex entry rule.
    w->setAlignment(Qt::AlignCenter);
    Bind({id, ControlKind::Edit, position, mask});
    return w;
}

Placed<QLineEdit> PageBuilder::Display(int id, const std::string& label, const std::string& unit) {
    Placed<QLineEdit> w = Edit(id, label, unit);
    w->setReadOnly(true);
    return w;
}

Placed<QLabel> PageBuilder::Label(int id, const std::string& text) {
    auto* w = new QLabel(CNumberedControls::ToQt(text), host_);
    w->setWordWrap(true);
    if (id != 0) controls_->Register(id, w, ControlKind::Label);
    Add(w);
    return {*this, id, w};
}

Placed<QLabel> PageBuilder::Status(int id, const std::vector<std::string>& texts) {
    Placed<QLabel> w = Label(id, std::string());
    w->setWordWrap(false);
    if (!texts.empty()) w.Room(texts);
    return w;
}

QSlider* PageBuilder::Slider(int id, int min, int max) {
    auto* w = new QSlider(Qt::Horizontal, host_);
    w->setRange(min, max);
    controls_->Register(id, w, ControlKind::Slider);
    Add(w);
    return w;
}

QPlainTextEdit* PageBuilder::Preview(int lines, PreviewPlace place) {
    auto* box = new QGroupBox(host_);
    // As high as its lines: room the page does not use stays above it, not
    // inside an empty frame.
    box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* w = new QPlainTextEdit(box);
    w->setReadOnly(true);
    w->setLineWrapMode(QPlainTextEdit::NoWrap);
    w->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Longer previews scroll.
    w->setFixedHeight(w->fontMetrics().lineSpacing() * lines + 12);
    layout->addWidget(w);
    controls_->Register(kPreviewId, w, ControlKind::Preview);
    if (place == PreviewPlace::PageBottom) outer_->addStretch(1);
    outer_->addWidget(box);
    return w;
}
