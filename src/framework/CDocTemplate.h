#pragma once
// A document template: the resource id that names its menu, icon and
// document string, and the factories of its document and view. Its menu is
// what the command registry shows for its documents.
// The application keeps the templates in the order they were added.

#include <functional>
#include <memory>
#include <string>

class CDocument;
class CView;

class CDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using ViewFactory = std::function<CView*()>;

    // Parts of the document string, which holds them separated by newlines.
    enum DocStringIndex { windowTitle = 0, docName, fileNewName, filterName, filterExt };

    CDocTemplate(int resourceId, std::string docString, DocumentFactory createDocument,
                 ViewFactory createView);

    int GetResourceId() const { return resourceId_; }
    const std::string& GetDocStringRaw() const { return docString_; }
    // The part `index` of the document string; false when the string has none.
    bool GetDocString(std::string& out, DocStringIndex index) const;
    // The name offered in File New (the third part of the document string).
    std::string FileNewName() const;

    // A new document of this template (not yet set up), attached to it.
    std::unique_ptr<CDocument> CreateNewDocument() const;
    // A new view for a document of this template (owned by the caller's frame).
    CView* CreateView() const;

    // The title of the next new document: the document name followed by a
    // running number ("Q7R20 " gives "Q7R20 1", "Q7R20 2", ...).
    std::string NextUntitledTitle();
    // A title given out earlier (a recovered project keeps its own): later
    // untitled titles count on past it, so no two windows share one.
    void TakeUntitledTitle(const std::string& title);

private:
    // The document name untitled titles start with ("Untitled" without one).
    std::string UntitledName() const;

    int resourceId_;
    std::string docString_;
    DocumentFactory createDocument_;
    ViewFactory createView_;
    int untitledCount_ = 0;
};
