// Where the host finds the device module, loading it, what it registers,
// and a program started without one.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QProcess>
#include <QTemporaryDir>

#include "framework/CApplication.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "host/PluginLoader.h"
#include "model/DeviceDocument.h"
#include "support/Files.h"

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

TEST(PluginLoader, FindsTheModuleInEachOfItsThreePlaces) {
    QTemporaryDir t;
    EXPECT_EQ(host::FindModule("", t.filePath("build/bin")), "");
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
}

// The eight templates the module registers (their menus and commands, and a
// view for each model, as the window shows them: DesktopTest).
TEST(PluginLoader, TheModuleRegistersTheEightTemplatesOnEachCall) {
    QString error;
    const auto module = host::LoadModule(BuiltModule(), error);
    ASSERT_TRUE(module) << error.toStdString();
    EXPECT_EQ(module->GetDLLVersion(), 0);
    // Without an application object there is nothing to add to.
    module->InitQ7R2xDLL();

    CApplication app;
    module->InitQ7R2xDLL();
    const auto& templates = app.DocTemplates();
    ASSERT_EQ(templates.size(), 8u);
    const int ids[] = {11000, 11001, 11002, 11003, 11004, 11005, 11007, 11009};
    for (int n = 0; n < 8; ++n) {
        const std::string name = "Q7R2" + std::to_string(n);
        SCOPED_TRACE(name);
        const CDocTemplate& t = *templates[n];
        EXPECT_EQ(t.GetResourceId(), ids[n]);
        EXPECT_EQ(t.GetDocStringRaw(), "\n" + name + " \n" + name);

        auto doc = t.CreateNewDocument();
        ASSERT_TRUE(doc);
        EXPECT_EQ(std::string(doc->GetRuntimeClass()), "C" + name + "Doc");
        ASSERT_TRUE(doc->OnNewDocument());
        ASSERT_NE(doc->DeviceDocument(), nullptr);
        EXPECT_EQ(doc->DeviceDocument()->DeviceCode, 160 + n);
    }

    // Every call adds a further set.
    module->InitQ7R2xDLL();
    ASSERT_EQ(app.DocTemplates().size(), 16u);
    EXPECT_EQ(app.DocTemplates()[8]->FileNewName(), "Q7R20");
    EXPECT_NE(app.DocTemplates()[8].get(), app.DocTemplates()[0].get());
}

TEST(PluginLoader, OnlyTheEntryPointsLeaveTheModule) {
    QLibrary library(BuiltModule());
    ASSERT_TRUE(library.load());
    EXPECT_EQ(library.resolve("_ZN7plugin17RegisterTemplatesER12CApplication"), nullptr);
    EXPECT_EQ(library.resolve("_ZN5pages20HasPeripheralCommandEi"), nullptr);
}

TEST(PluginLoader, RefusesWhatIsNotTheModule) {
    QTemporaryDir t;
    const QString junk = t.filePath("ZorvantQ7R2x.so");
    testing_files::Spit(junk.toStdString(), "not a library");
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
