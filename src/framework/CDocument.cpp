#include "framework/CDocument.h"

#include <QFileInfo>

#include "framework/CApplication.h"
#include "framework/CView.h"
#include "framework/CommandIds.h"
#include "model/FileIo.h"

CDocument::CDocument() = default;
CDocument::~CDocument() = default;

void CDocument::SetTitle(const std::string& title) {
    title_ = title;
    emit titleChanged(QString::fromLocal8Bit(title.c_str()));
}

void CDocument::SetPathName(const std::string& path, bool addToRecent) {
    path_ = path;
    SetTitle(
        QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName().toLocal8Bit().toStdString());
    if (addToRecent) {
        if (CApplication* app = TheApp()) app->AddToRecentFileList(path);
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
    const auto name = TheUi().SaveFileName(SaveAsRequest());
    if (!name) return false;
    return DoSave(*name, true);
}

bool CDocument::DoSave(const std::string& path, bool replacePath) {
    saveError_.clear();
    if (!OnSaveDocument(path)) {
        if (saveError_.empty()) saveError_ = "cannot write " + path;
        TheUi().Error(SaveErrorText());
        return false;
    }
    if (replacePath) SetPathName(path);
    return true;
}

bool CDocument::OnCommand(int id) {
    switch (id) {
        case fwcmd::FileSave:
            OnFileSave();
            return true;
        case fwcmd::FileSaveAs:
            OnFileSaveAs();
            return true;
        default:
            return false;
    }
}

void CDocument::OnUpdateCommand(CCmdUI& ui) {
    if (ui.Id == fwcmd::FileSave || ui.Id == fwcmd::FileSaveAs) ui.Enable(true);
}
