#pragma once
// Base of every dialog that is run modally through the UI service: a QDialog
// that the service can run blocking (desktop) or show and drive (scripts).

#include <QDialog>

#include "model/Ui.h"

class CModalDialog : public QDialog, public ModalDialog {
    Q_OBJECT
public:
    explicit CModalDialog(QWidget* parent = nullptr);

    bool ExecModal() override;
    void ShowModeless() override;
    bool IsFinished() const override { return finished_; }
    bool WasAccepted() const override { return finished_ && accepted_; }
    void Finish(bool ok) override;

    // Runs this dialog through the process-wide UI service.
    bool RunModal();

    void done(int result) override;

private:
    bool finished_ = false;
    bool accepted_ = false;
};
