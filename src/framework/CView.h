#pragma once
// A view shows one document inside a child frame and handles the commands
// that concern what it shows. The main window routes menu commands to the
// active view first, then to its document.

#include <QWidget>

#include <string>

class CDocument;

// What a command's menu item should look like; handlers fill it in.
struct CCmdUI {
    int Id = 0;
    bool Enabled = true;
    bool Handled = false;  // set by whoever knows the command

    void Enable(bool on) {
        Enabled = on;
        Handled = true;
    }
};

class CView : public QWidget {
    Q_OBJECT
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    CDocument* GetDocument() const { return document_; }
    void SetDocument(CDocument* document) { document_ = document; }

    // First display of a new or opened document.
    virtual void OnInitialUpdate() {}
    // The document was put in another state (undo, redo); show it anew.
    virtual void OnUpdate() {}
    // The view's frame became (true) or stopped being (false) the active one.
    virtual void OnActivateView(bool activate) { (void)activate; }
    // Runs command `id`; false when the view does not handle it.
    virtual bool OnCommand(int id) {
        (void)id;
        return false;
    }
    virtual void OnUpdateCommand(CCmdUI& ui) { (void)ui; }

    // The text the view shows, as the document produced it.
    virtual std::string GetText() const { return {}; }
    // Writes that text to `path` (File > Save Source As without its dialog);
    // false, after telling the user, when the file cannot be written.
    virtual bool SaveSourceAs(const std::string& path) {
        (void)path;
        return false;
    }
    // Writes the text, in its formats, to a PDF file at `path`.
    virtual bool ExportPdf(const std::string& path) {
        (void)path;
        return false;
    }
    // Why the last SaveSourceAs or ExportPdf failed ("cannot write PATH: REASON").
    virtual std::string WriteError() const { return {}; }

private:
    CDocument* document_ = nullptr;
};
