// Where the host finds the device module, loading it, and a program
// started without one.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "framework/CApplication.h"
#include "host/PluginLoader.h"

namespace {

QString BuiltModule() {
    return QDir(QCoreApplication::applicationDirPath()).filePath("plugins/ZorvantQ7R2x.so");
}

// Copies the built module to `dir`/ZorvantQ7R2x.so, making the folders.
QString PlaceModule(const QString& dir) {
    QDir().mkpath(dir);
    const QString target = QDir(dir).filePath(host::kModuleFileName);
    EXPECT_TRUE(QFile::copy(BuiltModule(), target)) << target.toStdString();
    return target;
}

TEST(PluginLoader, LooksAtTheVariableThenBesideThenInstalled) {
    QTemporaryDir t;
    const QString exe = t.filePath("bin");
    QDir().mkpath(t.filePath("custom"));
    EXPECT_EQ(host::ModuleCandidates("", exe),
              (QStringList{t.filePath("bin/plugins/ZorvantQ7R2x.so"),
                           t.filePath("lib/zorvant/plugins/ZorvantQ7R2x.so")}));
    EXPECT_EQ(host::ModuleCandidates(t.filePath("custom"), exe).value(0),
              t.filePath("custom/ZorvantQ7R2x.so"));
    EXPECT_EQ(host::ModuleCandidates(t.filePath("custom/mine.so"), exe).value(0),
              t.filePath("custom/mine.so"));
    EXPECT_EQ(host::FindModule("", exe), "");
}

TEST(PluginLoader, FindsTheModuleInEachOfItsThreePlaces) {
    QTemporaryDir t;
    // Build tree: <exe dir>/plugins.
    const QString beside = PlaceModule(t.filePath("build/bin/plugins"));
    EXPECT_EQ(host::FindModule("", t.filePath("build/bin")), beside);
    // Installed tree: <exe dir>/../lib/zorvant/plugins.
    const QString installed = PlaceModule(t.filePath("usr/lib/zorvant/plugins"));
    EXPECT_EQ(host::FindModule("", t.filePath("usr/bin")), installed);
    // The variable, as a folder or as the file, comes before both.
    const QString custom = PlaceModule(t.filePath("custom"));
    EXPECT_EQ(host::FindModule(t.filePath("custom"), t.filePath("build/bin")), custom);
    EXPECT_EQ(host::FindModule(custom, t.filePath("usr/bin")), custom);
    // A variable naming nothing falls through to the usual places.
    EXPECT_EQ(host::FindModule(t.filePath("nowhere"), t.filePath("usr/bin")), installed);

    // Each copy loads and gives its entry points.
    for (const QString& path : {beside, installed, custom}) {
        QString error;
        const auto module = host::LoadModule(path, error);
        ASSERT_TRUE(module) << error.toStdString();
        EXPECT_EQ(module->GetDLLVersion(), 0);
        CApplication app;
        module->InitQ7R2xDLL();
        EXPECT_EQ(app.DocTemplates().size(), 8u);
    }
}

TEST(PluginLoader, RefusesWhatIsNotTheModule) {
    QTemporaryDir t;
    const QString junk = t.filePath("ZorvantQ7R2x.so");
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a library");
    f.close();
    QString error;
    EXPECT_FALSE(host::LoadModule(junk, error));
    EXPECT_TRUE(error.startsWith("cannot load the device module")) << error.toStdString();

    // A library without the entry points.
    const QString core = QDir(QCoreApplication::applicationDirPath()).filePath("libzv_core.so");
    EXPECT_FALSE(host::LoadModule(core, error));
    EXPECT_TRUE(error.contains("lacks InitQ7R2xDLL")) << error.toStdString();

    qputenv(host::kPluginPathVariable, t.filePath("none").toLocal8Bit());
    CApplication app;
    const QString missing = host::LoadDeviceModule(app, t.filePath("bin"));
    qunsetenv(host::kPluginPathVariable);
    EXPECT_TRUE(missing.startsWith("cannot find the device module ZorvantQ7R2x.so"))
        << missing.toStdString();
    EXPECT_TRUE(missing.contains(t.filePath("bin/plugins/ZorvantQ7R2x.so")));
    EXPECT_TRUE(app.DocTemplates().empty());
}

TEST(PluginLoader, TheProgramWithoutItsModuleFailsClearly) {
    QTemporaryDir t;
    QDir().mkpath(t.filePath("bin"));
    const QString exe = t.filePath("bin/zorvant");
    ASSERT_TRUE(QFile::copy(ZORVANT_EXE, exe));
    auto env = QProcessEnvironment::systemEnvironment();
    env.remove(host::kPluginPathVariable);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LD_LIBRARY_PATH", QCoreApplication::applicationDirPath());
    auto run = [&] {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(exe, {});
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 1);
        return process.readAllStandardError();
    };
    // Only the command: the desktop program is not installed.
    EXPECT_TRUE(run().startsWith(
        "zorvant: cannot open the desktop program: it is not installed (no libzorvant-desktop.so"));
    // The desktop program without the device module.
    ASSERT_TRUE(QFile::copy(QFileInfo(ZORVANT_EXE).dir().filePath("libzorvant-desktop.so"),
                            t.filePath("bin/libzorvant-desktop.so")));
    EXPECT_TRUE(run().contains("zorvant: cannot find the device module ZorvantQ7R2x.so"));
}

}  // namespace
