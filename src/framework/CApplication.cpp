#include "framework/CApplication.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

namespace {
CApplication* g_app = nullptr;
constexpr const char* kRecentKey = "RecentFiles";
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

std::function<bool(const QUrl&)>& UrlOpener() {
    static std::function<bool(const QUrl&)> opener = [](const QUrl& url) {
        return QDesktopServices::openUrl(url);
    };
    return opener;
}

QString UserGuidePath() {
    const QString path = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                         QStringLiteral("/../share/doc/zorvant/guide/index.html"));
    return QFileInfo::exists(path) ? path : QString();
}

bool OpenUserGuide() {
    const QString path = UserGuidePath();
    return !path.isEmpty() && UrlOpener()(QUrl::fromLocalFile(path));
}
