#include "framework/CChildFrame.h"

#include <QCloseEvent>

#include "framework/CDocument.h"
#include "framework/CView.h"

CChildFrame::CChildFrame(std::unique_ptr<CDocument> document, CView* view, QWidget* parent)
    : QMdiSubWindow(parent), document_(std::move(document)), view_(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    view_->SetDocument(document_.get());
    setWidget(view_);
    // "[*]" is where the platform shows the modified mark.
    setWindowTitle(QString::fromLocal8Bit(document_->GetTitle().c_str()) + QStringLiteral("[*]"));
    connect(document_.get(), &CDocument::titleChanged, this,
            [this](const QString& title) { setWindowTitle(title + QStringLiteral("[*]")); });
    connect(document_.get(), &CDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(document_.get(), &CDocument::changed, this, [this] { view_->OnUpdate(); });
}

CChildFrame::~CChildFrame() {
    if (!closing_) emit frameClosing(this);
    // The view goes first: it refers to the document.
    delete widget();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    // Unsaved changes: the user may save them, drop them or keep the window.
    if (!closing_ && !document_->SaveModified()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted() && !closing_) {
        closing_ = true;
        emit frameClosing(this);
    }
}
