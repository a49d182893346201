#pragma once
// The application object: its document templates (added by the device
// module), its main frame and its recent-file list. There is one per process,
// reachable through TheApp(); host and module share it through this library.

#include <QObject>
#include <QPageLayout>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/CCommandRegistry.h"
#include "framework/CDocTemplate.h"

class CDocument;
class CMainFrame;

class CApplication : public QObject {
    Q_OBJECT
public:
    // Becomes the process's application object. `settingsGroup` names where
    // the recent-file list is kept in QSettings; empty keeps it in memory only.
    explicit CApplication(QString settingsGroup = QString());
    ~CApplication() override;

    // Takes the template and adds it at the end of the list.
    void AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate);
    const std::vector<std::unique_ptr<CDocTemplate>>& DocTemplates() const { return templates_; }
    // The template whose File New name is `name`, or nullptr.
    CDocTemplate* FindTemplate(const std::string& name) const;

    // Every command of the shell and of the loaded modules.
    CCommandRegistry& Commands() { return commands_; }

    CMainFrame* GetMainFrame() const { return mainFrame_; }
    void SetMainFrame(CMainFrame* frame) { mainFrame_ = frame; }

    // Most recent first, at most kMaxRecentFiles entries, no duplicates.
    static constexpr int kMaxRecentFiles = 4;
    const QStringList& RecentFileList() const { return recent_; }
    void AddToRecentFileList(const std::string& path);
    void RemoveFromRecentFileList(const QString& path);

    // The page set up in File > Print Setup, once the user has chosen one:
    // what Export PDF lays its pages out on.
    const std::optional<QPageLayout>& PageSetup() const { return pageSetup_; }
    void SetPageSetup(const QPageLayout& layout) { pageSetup_ = layout; }

    // The folder of the file last opened or saved (remembered with the
    // recent files); file dialogs of a project without a file start there.
    const QString& LastFolder() const { return lastFolder_; }
    void NoteFileUsed(const std::string& path);

signals:
    void templatesChanged();
    void recentFilesChanged();

private:
    void SaveRecentFiles() const;

    std::vector<std::unique_ptr<CDocTemplate>> templates_;
    CCommandRegistry commands_;
    CMainFrame* mainFrame_ = nullptr;
    QString settingsGroup_;
    QStringList recent_;
    QString lastFolder_;
    std::optional<QPageLayout> pageSetup_;
};

// The process's application object, or nullptr before one exists.
CApplication* TheApp();

// Where a file dialog for `doc` starts: the folder of its file, else the
// folder last used, else "" (the working directory).
std::string StartFolder(const CDocument* doc);

class QUrl;
// How the program opens a help file or the user guide (the desktop's handler
// by default); tests replace it.
std::function<bool(const QUrl&)>& UrlOpener();
// The user guide installed with the program (index.html of
// <exe dir>/../share/doc/zorvant/guide), or an empty string when it is missing.
QString UserGuidePath();
// Opens the user guide and says how that went, for the status bar:
// "Opened the user guide", or why not, with the guide's path.
std::string ShowUserGuide();
