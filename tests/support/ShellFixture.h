// The desktop window with the real device module and a scripted UI service,
// the fixture of the shell and desktop tests.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>
#include <string>

#include "framework/CApplication.h"
#include "host/CMainWindow.h"
#include "host/PluginLoader.h"
#include "support/ScopedUi.h"

class ShellFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        QStandardPaths::setTestModeEnabled(true);
        qunsetenv(host::kPluginPathVariable);
    }
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(AddDeviceModule());
        window = std::make_unique<CMainWindow>(app);
    }
    // Loads the module as the program does; a test that links it in registers it instead.
    virtual void AddDeviceModule() {
        const QString error = host::LoadDeviceModule(app, QCoreApplication::applicationDirPath());
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    }
    void TearDown() override { window.reset(); }

    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    // Lets closed windows go.
    static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    ScopedScriptUi ui;
    CApplication app;
    std::unique_ptr<CMainWindow> window;
    QTemporaryDir dir;
};
