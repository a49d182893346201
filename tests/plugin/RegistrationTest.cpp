// The built module, loaded as the host loads it: its two entry points, the
// eight templates it registers and their menus.

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

// One line per item: "Caption|id", "-" for a separator, "[Caption" ... "]"
// around a popup; "(checked)" and "(grayed)" after the id.
void Flatten(const std::vector<CMenuItem>& items, std::vector<std::string>& out) {
    for (const auto& item : items) {
        if (item.Separator) {
            out.push_back("-");
        } else if (item.IsPopup()) {
            out.push_back("[" + item.Caption);
            Flatten(item.Items, out);
            out.push_back("]");
        } else {
            out.push_back(item.Caption + "|" + std::to_string(item.Id) +
                          (item.Checked ? " (checked)" : "") + (item.Grayed ? " (grayed)" : ""));
        }
    }
}

std::vector<std::string> ExpectedMenu(bool withEmi) {
    std::vector<std::string> m = {
        "[&File",
        "&New|57600",
        "&Open Project...|57601",
        "&Save Project|57603",
        "Save Project &As...|57604",
        "&Close Project|57602",
        "-",
        "Sa&ve Source As...|43005",
        "&Export PDF...|43020",
        "-",
        "&Print...|57607",
        "&Print Setup...|57606",
        "-",
        "Recent File|57616 (grayed)",
        "-",
        "E&xit|57665",
        "]",
        "[&Options",
        "[Code Format",
        "C|43018 (checked)",
        "Asm|43019",
        "]",
        "]",
        "[&Peripherals",
        "Port I/O|43002",
        "Oscillators|43008",
        "Timers|43007",
        "PCA|43016",
        "UART|43004",
        "SMBus|43009",
        "SPI|43006",
        "ADC|43010",
        "EMI|43001",
        "Comparators|43011",
        "Reset Sources|43012",
        "Voltage Reference|43013",
        "Voltage Regulator|43014",
        "Prefetch Engine|43000",
        "Interrupts|43003",
        "-",
        "Reset All|43015",
        "]",
        "[&View",
        "&Toolbar|59392",
        "&Status Bar|59393",
        "]",
        "[&Help",
        "&Help...|43017",
        "-",
        "&About Zorvant...|57664",
        "]",
    };
    if (!withEmi) std::erase(m, "EMI|43001");
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

        std::vector<std::string> menu;
        Flatten(t.Menu(), menu);
        const bool large = n == 0 || n == 1 || n == 4 || n == 5;
        EXPECT_EQ(menu, ExpectedMenu(large));
    }

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
