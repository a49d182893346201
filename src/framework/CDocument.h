#pragma once
// A document of the shell: one open file (or a new, unsaved one) with its path
// and title. Saving goes through fileio::WriteFileSafely, so a failed save
// leaves the previous file as it was.

#include <QObject>

#include <cstdint>
#include <string>
#include <vector>

#include "model/Ui.h"

class CDeviceDocument;
class QUndoStack;
struct DocumentState;
class CDocTemplate;

class CDocument : public QObject {
    Q_OBJECT
public:
    CDocument();
    ~CDocument() override;

    // The class name of the document, as its template creates it.
    virtual const char* GetRuntimeClass() const { return "CDocument"; }

    CDocTemplate* GetDocTemplate() const { return template_; }
    void SetDocTemplate(CDocTemplate* t) { template_ = t; }

    const std::string& GetPathName() const { return path_; }
    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title);
    // Makes `path` the document's file: the title becomes its file name and,
    // when `addToRecent`, the path joins the application's recent-file list.
    void SetPathName(const std::string& path, bool addToRecent = true);

    // Sets up a new document; false stops the creation.
    virtual bool OnNewDocument() { return true; }
    // Reads the file into this (new, empty) document; false when it cannot be
    // read (the document has reported why).
    virtual bool OnOpenDocument(const std::string& path) {
        (void)path;
        return false;
    }
    // Writes the document to `path`; false when the file cannot be written
    // (SaveError() then says why).
    virtual bool OnSaveDocument(const std::string& path);
    // Why the last save failed: "cannot write PATH: REASON"; empty after a success.
    const std::string& SaveError() const { return saveError_; }

    // The core device document behind this one, if it has one.
    virtual CDeviceDocument* DeviceDocument() { return nullptr; }

    // Save: with no path yet, as Save As; otherwise writes to the path.
    // True when the document was written (false after a failure, which the
    // user has been told of, or a cancelled dialog).
    bool OnFileSave();
    // Save As: asks for a name through the UI service; on OK writes there and
    // makes it the document's path. Cancel does nothing (returns false).
    bool OnFileSaveAs();
    // Save As without the dialog. Returns false (after the error message)
    // when the file cannot be written; the path then stays as it was.
    bool SaveAs(const std::string& path) { return DoSave(path, true); }

    // The document's undo history. Each step its device document reports
    // (a confirmed sheet, a nested store, Reset All, a code-format switch)
    // becomes one entry; the stack's clean state is the saved one.
    QUndoStack* UndoStack() const { return undoStack_; }
    // Adds a step that has already been applied to the device document,
    // then tells everyone that the document changed.
    void RecordStep(const std::string& caption, const DocumentState& before,
                    const DocumentState& after);
    // True when the document differs from what was last opened or saved.
    bool IsModified() const;
    // Before the document is closed: when it is modified, asks Save / Discard
    // / Cancel through the UI service. True when it may close (saved or
    // discarded); false on Cancel or when the save failed.
    bool SaveModified();

    // A document read from somewhere other than its file (a recovery copy):
    // modified until it is saved, whatever undo does.
    void MarkModified();
    // Writes the bytes Save would write to `path` (a copy: path, title and
    // the saved state stay as they are); "" on success, else why not.
    std::string WriteCopy(const std::string& path) const;

    // Tells the views and windows that the document changed.
    void NotifyChanged() { emit changed(); }

signals:
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);
    // The document is in another state: a step ended that changed it (a
    // sheet, a nested store, Reset All, a code-format switch) or undo or redo
    // took one back or again. Sent once, when the outermost step ends; the
    // code window, the modified mark and the menus follow it.
    void changed();

protected:
    // The bytes OnSaveDocument writes.
    virtual std::vector<std::uint8_t> Serialize() const { return {}; }
    // The save dialog's settings and the message for a file that cannot be written.
    virtual FileDialogRequest SaveAsRequest() const { return {}; }
    virtual std::string SaveErrorText() const { return "Error: Could Not Open File For Save."; }
    // Shown when a Save As names the file of another open project.
    static constexpr const char* kOpenElsewhereText =
        "Error: The File Is Open In Another Window. Close It There First.";

private:
    bool DoSave(const std::string& path, bool replacePath);
    // Whether another open project has the file `path`.
    bool IsOpenElsewhere(const std::string& path) const;

    QUndoStack* undoStack_;
    CDocTemplate* template_ = nullptr;
    std::string path_;
    std::string title_;
    std::string saveError_;
};
