#include "plugin/CProjectDocument.h"

#include <QFile>

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
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) {
        TheUi().Error(kOpenErrorMessage);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        TheUi().Error(kOpenErrorMessage);
        return false;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
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
