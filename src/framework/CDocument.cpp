#include "framework/CDocument.h"

#include <QFileInfo>
#include <QUndoStack>

#include "framework/CApplication.h"
#include "framework/CMainFrame.h"
#include "framework/CView.h"
#include "model/DeviceDocument.h"
#include "model/FileIo.h"

namespace {

// One step of a document: the device document's state before and after it.
class CSnapshotCommand : public QUndoCommand {
public:
    CSnapshotCommand(CDocument& doc, const std::string& caption, const DocumentState& before,
                     const DocumentState& after)
        : QUndoCommand(QString::fromLatin1(caption.c_str())),
          doc_(doc),
          before_(before),
          after_(after) {}

    void undo() override { Apply(before_); }
    void redo() override {
        // The step was taken before it was recorded.
        if (first_) {
            first_ = false;
            return;
        }
        Apply(after_);
    }

private:
    void Apply(const DocumentState& state) {
        if (CDeviceDocument* device = doc_.DeviceDocument()) device->RestoreState(state);
        doc_.NotifyChanged();
    }

    CDocument& doc_;
    DocumentState before_;
    DocumentState after_;
    bool first_ = true;
};

}  // namespace

CDocument::CDocument() : undoStack_(new QUndoStack(this)) {
    connect(undoStack_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

CDocument::~CDocument() {
    // The undo stack is a child, deleted by the QObject base once this is no
    // longer a CDocument; clearing itself then, it would tell the windows
    // about a half-destroyed document. Nobody is told any more.
    undoStack_->blockSignals(true);
}

void CDocument::RecordStep(const std::string& caption, const DocumentState& before,
                           const DocumentState& after) {
    undoStack_->push(new CSnapshotCommand(*this, caption, before, after));
    NotifyChanged();
}

bool CDocument::IsModified() const {
    return !undoStack_->isClean();
}

void CDocument::MarkModified() {
    // No state of the undo stack is the saved one any more.
    undoStack_->resetClean();
}

std::string CDocument::WriteCopy(const std::string& path) const {
    const std::vector<std::uint8_t> bytes = Serialize();
    return fileio::WriteFileSafely(path, std::span<const std::uint8_t>(bytes));
}

bool CDocument::SaveModified() {
    if (!IsModified()) return true;
    const std::string text = "Save changes to " + title_ + "?";
    switch (TheUi().Message(text, MsgButtons::SaveDiscardCancel, MsgIcon::Exclamation, "Zorvant")) {
        case MsgResult::Save:
            return OnFileSave();
        case MsgResult::Discard:
            return true;
        default:
            return false;
    }
}

void CDocument::SetTitle(const std::string& title) {
    title_ = title;
    emit titleChanged(QString::fromLocal8Bit(title.c_str()));
}

void CDocument::SetPathName(const std::string& path, bool addToRecent) {
    path_ = path;
    SetTitle(
        QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName().toLocal8Bit().toStdString());
    if (CApplication* app = TheApp()) {
        app->NoteFileUsed(path);
        if (addToRecent) app->AddToRecentFileList(path);
    }
}

bool CDocument::OnSaveDocument(const std::string& path) {
    const std::vector<std::uint8_t> bytes = Serialize();
    saveError_ = fileio::WriteFileSafely(path, std::span<const std::uint8_t>(bytes));
    return saveError_.empty();
}

bool CDocument::OnFileSave() {
    if (path_.empty()) return OnFileSaveAs();
    return DoSave(path_, false);
}

bool CDocument::OnFileSaveAs() {
    FileDialogRequest request = SaveAsRequest();
    request.Directory = StartFolder(this);
    // The dialog refuses the file of another open project before it asks
    // whether to replace it.
    request.Refuse = [this](const std::string& path) {
        return IsOpenElsewhere(path) ? std::string(kOpenElsewhereText) : std::string();
    };
    const auto name = TheUi().SaveFileName(request);
    if (!name) return false;
    return DoSave(*name, true);
}

bool CDocument::IsOpenElsewhere(const std::string& path) const {
    CApplication* app = TheApp();
    CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
    return frame && frame->IsOpenElsewhere(path, this);
}

bool CDocument::DoSave(const std::string& path, bool replacePath) {
    saveError_.clear();
    // Writing over the file of another open project would leave that window
    // claiming a file that no longer holds it.
    if (IsOpenElsewhere(path)) {
        saveError_ = path + " is open in another window";
        TheUi().Error(kOpenElsewhereText);
        return false;
    }
    if (!OnSaveDocument(path)) {
        if (saveError_.empty()) saveError_ = "cannot write " + path;
        TheUi().Error(SaveErrorText());
        return false;
    }
    if (replacePath) SetPathName(path);
    undoStack_->setClean();
    if (CApplication* app = TheApp())
        if (CMainFrame* frame = app->GetMainFrame())
            frame->SetStatusText("Saved " + QFileInfo(QString::fromLocal8Bit(path.c_str()))
                                                .fileName()
                                                .toLocal8Bit()
                                                .toStdString());
    return true;
}
