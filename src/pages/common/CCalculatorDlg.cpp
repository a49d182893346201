#include "pages/common/CCalculatorDlg.h"

#include <QApplication>
#include <QHBoxLayout>
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
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    Register(kIdOk, ok, ControlKind::Button);
    Register(kIdCancel, cancel, ControlKind::Button);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
}

CCalculatorDlg::~CCalculatorDlg() = default;

bool CCalculatorDlg::Run() {
    OnInitDialog();
    return RunModal();
}

void CCalculatorDlg::PressOk() {
    if (OnOK()) accept();
}

void CCalculatorDlg::OnCommand(int id) {
    if (id == kIdOk) PressOk();
    else if (id == kIdCancel) reject();
}

void CCalculatorDlg::AddAchievedLine() { Builder().Label(kAchievedId, std::string()); }
