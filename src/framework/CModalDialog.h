#pragma once
// Base of every dialog that is run modally through the UI service: a QDialog
// that the service can run blocking (desktop) or show and drive (scripts).
// It opens centred on the screen that holds the main window, no larger than
// that screen's free area.

#include <QDialog>
#include <QMargins>

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

    // Sizes the dialog to its natural size, or smaller so that it and its
    // window frame (`frame`) fit in `available`, and centres it there.
    void FitInto(const QRect& available, const QMargins& frame);
    // The free area of the screen that holds the main window (else the
    // owner's, else the primary screen) and the frame a window gets there.
    static QRect ScreenArea(const QWidget* owner);
    static QMargins FrameMargins(const QWidget* owner);

protected:
    // Told the room (client size) the dialog may take before it is sized.
    virtual void LimitTo(const QSize& room) { (void)room; }
    void showEvent(QShowEvent* event) override;

private:
    bool finished_ = false;
    bool accepted_ = false;
    bool placed_ = false;
};
