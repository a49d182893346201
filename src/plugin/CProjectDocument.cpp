#include "plugin/CProjectDocument.h"

#include "model/FileIo.h"
#include "model/Ui.h"

CProjectDocument::CProjectDocument(std::unique_ptr<CQ7R2xDoc> doc) : doc_(std::move(doc)) {
    // Every step the commands take on the project becomes an undo entry.
    doc_->OnStep = [this](const std::string& caption, const DocumentState& before,
                          const DocumentState& after) { RecordStep(caption, before, after); };
}

CProjectDocument::~CProjectDocument() = default;

bool CProjectDocument::OnNewDocument() {
    return CDocument::OnNewDocument() && doc_->OnNewDocument();
}

bool CProjectDocument::OnOpenDocument(const std::string& path) {
    // Bounded, and only regular files: a FIFO or a device would block or
    // never end.
    std::string bytes;
    if (!fileio::ReadFileBounded(path, fileio::kProjectSizeLimit, bytes).empty()) {
        TheUi().Error(kOpenErrorMessage);
        return false;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const LoadStatus status =
        doc_->LoadProject({data, static_cast<std::size_t>(bytes.size())}, TheUi());
    if (status == LoadStatus::Corrupt) {
        TheUi().Error(kCorruptFileMessage);
        return false;
    }
    return true;
}

FileDialogRequest CProjectDocument::SaveAsRequest() const {
    FileDialogRequest request;
    request.Title = "Save Project As";
    request.DefaultExtension = "zvp";
    request.InitialName = "Untitled.zvp";
    request.Filter = "Zorvant Files (*.zvp)|*.zvp|All Files (*.*)|*.*|";
    request.HideReadOnly = true;
    request.PromptOverwrite = true;
    return request;
}
