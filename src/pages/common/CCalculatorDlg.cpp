#include "pages/common/CCalculatorDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "chip/Achieved.h"
#include "pages/common/CDeviceDlg.h"

CCalculatorDlg::CCalculatorDlg(const std::string& caption, QWidget* parent)
    : CModalDialog(parent ? parent : QApplication::activeWindow()) {
    setWindowTitle(ToQt(caption));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* body = new QWidget(this);
    layout->addWidget(body);
    builder_ = std::make_unique<PageBuilder>(body, this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton("OK", this);
    auto* cancel = new QPushButton("Cancel", this);
    // Return presses OK, unless another button has the focus: that one takes it.
    ok->setDefault(true);
    Register(kIdOk, ok, ControlKind::Button);
    Register(kIdCancel, cancel, ControlKind::Button);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
}

CCalculatorDlg::~CCalculatorDlg() = default;

bool CCalculatorDlg::Run() {
    OnInitDialog();
    FocusFirstField();
    return RunModal();
}

void CCalculatorDlg::FocusFirstField() {
    // OK and Cancel were made before the body: they go last in the Tab order.
    QWidget* ok = Control(kIdOk);
    QWidget* cancel = Control(kIdCancel);
    QWidget* last = previousInFocusChain();
    if (last != cancel) {
        setTabOrder(last, ok);
        setTabOrder(ok, cancel);
    }
    // The target can be typed at once, over the value shown.
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        auto* edit = qobject_cast<QLineEdit*>(w);
        if (edit && !edit->isReadOnly() && edit->isEnabled() && edit->isVisibleTo(this)) {
            edit->setFocus(Qt::TabFocusReason);
            edit->selectAll();
            return;
        }
    }
}

void CCalculatorDlg::PressOk() {
    if (OnOK()) accept();
}

void CCalculatorDlg::OnCommand(int id) {
    if (id == kIdOk) PressOk();
    else if (id == kIdCancel) reject();
}

void CCalculatorDlg::AddAchievedLine() { Builder().Label(kAchievedId, std::string()); }
