#pragma once
// A view shows one document inside a child frame. The commands that concern
// what it shows are registered with the command registry by its module and
// act on the active view.

#include <QWidget>

#include <string>

class CDocument;

class CView : public QWidget {
    Q_OBJECT
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    CDocument* GetDocument() const { return document_; }
    void SetDocument(CDocument* document) { document_ = document; }

    // First display of a new or opened document.
    virtual void OnInitialUpdate() {}
    // The document changed (its `changed` signal); show it anew.
    virtual void OnUpdate() {}
    // The view's frame became (true) or stopped being (false) the active one.
    virtual void OnActivateView(bool activate) { (void)activate; }
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
    // Switches the generated text to output format `format` (0 C, 1
    // assembly) as the menu does; false when the view has no such format.
    virtual bool SetCodeFormat(int format) {
        (void)format;
        return false;
    }
    // Why the last SaveSourceAs or ExportPdf failed ("cannot write PATH: REASON").
    virtual std::string WriteError() const { return {}; }

private:
    CDocument* document_ = nullptr;
};
