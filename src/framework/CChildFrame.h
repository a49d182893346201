#pragma once
// An MDI child frame: one project window holding its document and its view.
// The frame owns the document; closing the frame destroys both.

#include <QMdiSubWindow>

#include <memory>

class CDocument;
class CView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // Takes the document; the view becomes the frame's widget and is given
    // the document. The window title follows the document's title.
    CChildFrame(std::unique_ptr<CDocument> document, CView* view, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CDocument* GetDocument() const { return document_.get(); }
    CView* GetActiveView() const { return view_; }
    // True once the frame has been closed (it is deleted later).
    bool IsClosing() const { return closing_; }

signals:
    // Emitted when the frame is about to go away (before the document is destroyed).
    void frameClosing(CChildFrame* frame);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<CDocument> document_;
    CView* view_;
    bool closing_ = false;
};
