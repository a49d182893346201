#include "framework/CModalDialog.h"

#include <QApplication>
#include <QLayout>
#include <QScreen>

#include "framework/CApplication.h"
#include "framework/CMainFrame.h"

namespace {

// The main window when there is one on screen, else the given owner.
const QWidget* ScreenHolder(const QWidget* owner) {
    if (CApplication* app = TheApp())
        if (CMainFrame* frame = app->GetMainFrame())
            if (const QWidget* main = frame->Window(); main && main->isVisible()) return main;
    return owner ? owner->window() : nullptr;
}

// A title bar and thin borders, for a window manager that has not said yet.
constexpr QMargins kDefaultFrame(4, 32, 4, 4);

}  // namespace

// Without an explicit owner a dialog belongs to the window the user is in:
// the main window for a menu command, the outer sheet for a nested one, so
// that it stays in front of it.
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

QRect CModalDialog::ScreenArea(const QWidget* owner) {
    const QWidget* holder = ScreenHolder(owner);
    const QScreen* screen = holder ? holder->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
}

QMargins CModalDialog::FrameMargins(const QWidget* owner) {
    const QWidget* holder = ScreenHolder(owner);
    if (!holder || !holder->isVisible()) return kDefaultFrame;
    const QRect outer = holder->frameGeometry();
    const QRect inner = holder->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    // No frame yet (not mapped, or a platform without decorations): assume one.
    return frame.isNull() ? kDefaultFrame : frame;
}

void CModalDialog::FitInto(const QRect& available, const QMargins& frame) {
    const QRect room = available.marginsRemoved(frame);
    LimitTo(room.size());
    if (QLayout* l = layout()) l->activate();
    const QSize size = sizeHint().expandedTo(minimumSizeHint()).boundedTo(room.size());
    resize(size.expandedTo(minimumSize()));
    QRect placed(QPoint(0, 0), this->size());
    placed.moveCenter(room.center());
    // A dialog that cannot shrink enough keeps its title bar on the screen.
    placed.moveTop(std::max(placed.top(), room.top()));
    placed.moveLeft(std::max(placed.left(), room.left()));
    move(placed.topLeft() - QPoint(frame.left(), frame.top()));
}

void CModalDialog::showEvent(QShowEvent* event) {
    if (!placed_) {
        placed_ = true;
        const QWidget* owner = parentWidget();
        FitInto(ScreenArea(owner), FrameMargins(owner));
    }
    QDialog::showEvent(event);
}
