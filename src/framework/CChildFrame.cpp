#include "framework/CChildFrame.h"

#include <QCloseEvent>

#include "framework/CDocument.h"
#include "framework/CView.h"

CChildFrame::CChildFrame(std::unique_ptr<CDocument> document, CView* view, QWidget* parent)
    : QMdiSubWindow(parent), document_(std::move(document)), view_(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    view_->SetDocument(document_.get());
    setWidget(view_);
    setWindowTitle(QString::fromLocal8Bit(document_->GetTitle().c_str()));
    connect(document_.get(), &CDocument::titleChanged, this, &QWidget::setWindowTitle);
}

CChildFrame::~CChildFrame() {
    if (!closing_) emit frameClosing(this);
    // The view goes first: it refers to the document.
    delete widget();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted() && !closing_) {
        closing_ = true;
        emit frameClosing(this);
    }
}
