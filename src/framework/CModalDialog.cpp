#include "framework/CModalDialog.h"

CModalDialog::CModalDialog(QWidget* parent) : QDialog(parent) {}

bool CModalDialog::ExecModal() {
    finished_ = false;
    return exec() == QDialog::Accepted;
}

void CModalDialog::ShowModeless() {
    finished_ = false;
    accepted_ = false;
    show();
}

void CModalDialog::Finish(bool ok) {
    if (ok)
        QDialog::accept();
    else
        reject();
}

bool CModalDialog::RunModal() { return TheUi().RunModal(*this); }

void CModalDialog::done(int result) {
    finished_ = true;
    accepted_ = result == QDialog::Accepted;
    QDialog::done(result);
}
