#pragma once
// Finding and loading the device module ZorvantQ7R2x.so. It is looked for,
// in this order, at $ZORVANT_PLUGIN_PATH (the module file itself or the
// directory holding it), in <exe dir>/plugins (the build tree) and in
// <exe dir>/../lib/zorvant/plugins (an installed tree).

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class CApplication;

namespace host {

inline constexpr const char* kModuleFileName = "ZorvantQ7R2x.so";
inline constexpr const char* kPluginPathVariable = "ZORVANT_PLUGIN_PATH";

// The places to look, in order; `envValue` is the variable's value (empty
// when unset).
QStringList ModuleCandidates(const QString& envValue, const QString& exeDir);
// The first candidate that exists, or an empty string.
QString FindModule(const QString& envValue, const QString& exeDir);

struct DeviceModule {
    QString Path;
    void (*InitQ7R2xDLL)() = nullptr;
    std::int16_t (*GetDLLVersion)() = nullptr;
};

// Loads the module at `path` (never unloaded) and resolves its two entry
// points; nothing, with `error` set, when that fails.
std::optional<DeviceModule> LoadModule(const QString& path, QString& error);

// Finds and loads the module and calls its InitQ7R2xDLL, which adds the
// templates to `app`. Returns an empty string on success, else the error.
QString LoadDeviceModule(CApplication& app, const QString& exeDir);

}  // namespace host
