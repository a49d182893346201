// The built module, loaded as the host loads it: its two entry points and the
// eight templates it registers (their menus, as the window shows them:
// MainWindowTest).

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/CApplication.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CView.h"
#include "model/DeviceDocument.h"

namespace {

struct Module {
    void (*init)() = nullptr;
    std::int16_t (*version)() = nullptr;
};

Module Load() {
    QLibrary library(
        QDir(QCoreApplication::applicationDirPath()).filePath("plugins/ZorvantQ7R2x.so"));
    Module m;
    if (!library.load()) {
        ADD_FAILURE() << library.errorString().toStdString();
        return m;
    }
    m.init = reinterpret_cast<void (*)()>(library.resolve("InitQ7R2xDLL"));
    m.version = reinterpret_cast<std::int16_t (*)()>(library.resolve("GetDLLVersion"));
    return m;
}

TEST(Registration, EntryPointsAndTheEightTemplates) {
    const Module module = Load();
    ASSERT_TRUE(module.init);
    ASSERT_TRUE(module.version);
    EXPECT_EQ(module.version(), 0);

    // Without an application object there is nothing to add to.
    module.init();

    CApplication app;
    module.init();
    const auto& templates = app.DocTemplates();
    ASSERT_EQ(templates.size(), 8u);
    const int ids[] = {11000, 11001, 11002, 11003, 11004, 11005, 11007, 11009};
    for (int n = 0; n < 8; ++n) {
        const std::string name = "Q7R2" + std::to_string(n);
        SCOPED_TRACE(name);
        const CDocTemplate& t = *templates[n];
        EXPECT_EQ(t.GetResourceId(), ids[n]);
        EXPECT_EQ(t.GetDocStringRaw(), "\n" + name + " \n" + name);
        EXPECT_EQ(t.FileNewName(), name);

        auto doc = t.CreateNewDocument();
        ASSERT_TRUE(doc);
        EXPECT_EQ(std::string(doc->GetRuntimeClass()), "C" + name + "Doc");
        ASSERT_TRUE(doc->OnNewDocument());
        ASSERT_NE(doc->DeviceDocument(), nullptr);
        EXPECT_EQ(doc->DeviceDocument()->DeviceCode, 160 + n);
        std::unique_ptr<CView> view(t.CreateView());
        EXPECT_TRUE(view);
    }
    // The commands of the projects come with the templates.
    ASSERT_NE(app.Commands().Find(43015), nullptr);
    EXPECT_EQ(app.Commands().Find(43015)->Caption, "Reset All");

    // Every call adds a further set.
    module.init();
    ASSERT_EQ(app.DocTemplates().size(), 16u);
    EXPECT_EQ(app.DocTemplates()[8]->FileNewName(), "Q7R20");
    EXPECT_NE(app.DocTemplates()[8].get(), app.DocTemplates()[0].get());
}

TEST(Registration, OnlyTheEntryPointsLeaveTheModule) {
    QLibrary library(
        QDir(QCoreApplication::applicationDirPath()).filePath("plugins/ZorvantQ7R2x.so"));
    ASSERT_TRUE(library.load());
    EXPECT_EQ(library.resolve("_ZN7plugin17RegisterTemplatesER12CApplication"), nullptr);
    EXPECT_EQ(library.resolve("_ZN5pages20HasPeripheralCommandEi"), nullptr);
}

}  // namespace
