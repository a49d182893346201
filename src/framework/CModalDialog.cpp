#include "framework/CModalDialog.h"

#include <QApplication>

// Without an explicit owner a dialog belongs to the window the user is in:
// the main window for a menu command, the outer sheet for a nested one, so
// that it opens centred over it and stays in front of it.
CModalDialog::CModalDialog(QWidget* parent)
    : QDialog(parent ? parent : QApplication::activeWindow()) {}

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
