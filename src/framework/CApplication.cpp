#include "framework/CApplication.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QUrl>

#include "framework/CDocument.h"

namespace {
CApplication* g_app = nullptr;
constexpr const char* kRecentKey = "RecentFiles";
constexpr const char* kLastFolderKey = "LastFolder";
}  // namespace

CApplication* TheApp() {
    return g_app;
}

CApplication::CApplication(QString settingsGroup) : settingsGroup_(std::move(settingsGroup)) {
    g_app = this;
    if (!settingsGroup_.isEmpty()) {
        QSettings settings;
        settings.beginGroup(settingsGroup_);
        recent_ = settings.value(kRecentKey).toStringList();
        while (recent_.size() > kMaxRecentFiles)
            recent_.removeLast();
        lastFolder_ = settings.value(kLastFolderKey).toString();
    }
}

CApplication::~CApplication() {
    if (g_app == this) g_app = nullptr;
}

void CApplication::AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate) {
    if (!docTemplate) return;
    templates_.push_back(std::move(docTemplate));
    emit templatesChanged();
}

CDocTemplate* CApplication::FindTemplate(const std::string& name) const {
    for (const auto& t : templates_)
        if (t->FileNewName() == name) return t.get();
    return nullptr;
}

void CApplication::AddToRecentFileList(const std::string& path) {
    const QString full =
        QDir::cleanPath(QFileInfo(QString::fromLocal8Bit(path.c_str())).absoluteFilePath());
    recent_.removeAll(full);
    recent_.prepend(full);
    while (recent_.size() > kMaxRecentFiles)
        recent_.removeLast();
    SaveRecentFiles();
    emit recentFilesChanged();
}

void CApplication::NoteFileUsed(const std::string& path) {
    lastFolder_ = QFileInfo(QString::fromLocal8Bit(path.c_str())).absolutePath();
    if (settingsGroup_.isEmpty()) return;
    QSettings settings;
    settings.beginGroup(settingsGroup_);
    settings.setValue(kLastFolderKey, lastFolder_);
}

std::string StartFolder(const CDocument* doc) {
    if (doc && !doc->GetPathName().empty())
        return QFileInfo(QString::fromLocal8Bit(doc->GetPathName().c_str()))
            .absolutePath()
            .toLocal8Bit()
            .toStdString();
    const CApplication* app = TheApp();
    return app ? app->LastFolder().toLocal8Bit().toStdString() : std::string();
}

void CApplication::RemoveFromRecentFileList(const QString& path) {
    if (recent_.removeAll(path) == 0) return;
    SaveRecentFiles();
    emit recentFilesChanged();
}

void CApplication::SaveRecentFiles() const {
    if (settingsGroup_.isEmpty()) return;
    QSettings settings;
    settings.beginGroup(settingsGroup_);
    settings.setValue(kRecentKey, recent_);
}

namespace {

// The desktop's handler for `url`. On the free desktops the handler is run
// through xdg-open, whose exit status says whether anything could show the
// file; the desktop services report success as soon as xdg-open starts.
bool OpenWithDesktop(const QUrl& url) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    auto* process = new QProcess(QCoreApplication::instance());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(QStringLiteral("xdg-open"), {url.toString()});
    if (!process->waitForStarted(3000)) {
        delete process;
        return false;
    }
    // A handler that stays in front (a browser started directly) is showing it.
    if (!process->waitForFinished(3000)) return true;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
#else
    return QDesktopServices::openUrl(url);
#endif
}

QString InstalledGuidePath() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/doc/zorvant/guide/index.html"));
}

}  // namespace

std::function<bool(const QUrl&)>& UrlOpener() {
    static std::function<bool(const QUrl&)> opener = OpenWithDesktop;
    return opener;
}

QString UserGuidePath() {
    const QString path = InstalledGuidePath();
    return QFileInfo::exists(path) ? path : QString();
}

std::string ShowUserGuide() {
    const QString path = InstalledGuidePath();
    const std::string shown = QDir::toNativeSeparators(path).toLocal8Bit().toStdString();
    if (!QFileInfo::exists(path)) return "The user guide is not installed: " + shown;
    if (!UrlOpener()(QUrl::fromLocalFile(path)))
        return "Could not open the user guide (no program to show it): " + shown;
    return "Opened the user guide";
}
