#include "host/PluginLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include "framework/CApplication.h"

namespace host {

QStringList ModuleCandidates(const QString& envValue, const QString& exeDir) {
    QStringList candidates;
    if (!envValue.isEmpty()) {
        const QFileInfo info(envValue);
        candidates << (info.isDir() ? QDir(envValue).filePath(kModuleFileName) : envValue);
    }
    const QDir dir(exeDir);
    candidates << QDir::cleanPath(dir.filePath(QStringLiteral("plugins/") + kModuleFileName));
    candidates << QDir::cleanPath(
        dir.filePath(QStringLiteral("../lib/zorvant/plugins/") + kModuleFileName));
    return candidates;
}

QString FindModule(const QString& envValue, const QString& exeDir) {
    for (const QString& candidate : ModuleCandidates(envValue, exeDir))
        if (QFileInfo(candidate).isFile()) return candidate;
    return {};
}

std::optional<DeviceModule> LoadModule(const QString& path, QString& error) {
    // The library object may go; the module stays loaded for the process's life.
    QLibrary library(path);
    if (!library.load()) {
        error =
            QStringLiteral("cannot load the device module %1: %2").arg(path, library.errorString());
        return std::nullopt;
    }
    DeviceModule module;
    module.Path = path;
    module.InitQ7R2xDLL = reinterpret_cast<void (*)()>(library.resolve("InitQ7R2xDLL"));
    module.GetDLLVersion = reinterpret_cast<std::int16_t (*)()>(library.resolve("GetDLLVersion"));
    if (!module.InitQ7R2xDLL || !module.GetDLLVersion) {
        error =
            QStringLiteral("the device module %1 lacks InitQ7R2xDLL or GetDLLVersion").arg(path);
        return std::nullopt;
    }
    return module;
}

QString LoadDeviceModule(CApplication& app, const QString& exeDir) {
    const QString env = qEnvironmentVariable(kPluginPathVariable);
    const QString path = FindModule(env, exeDir);
    if (path.isEmpty())
        return QStringLiteral("cannot find the device module %1; looked at:\n  %2")
            .arg(kModuleFileName, ModuleCandidates(env, exeDir).join("\n  "));
    QString error;
    const auto module = LoadModule(path, error);
    if (!module) return error;
    const std::size_t before = app.DocTemplates().size();
    module->InitQ7R2xDLL();
    if (app.DocTemplates().size() == before)
        return QStringLiteral("the device module %1 registered no document templates").arg(path);
    return {};
}

}  // namespace host
