// The desktop shell with the real module: projects, menus, saving and
// opening, driven through the window's programmatic interface and its menu
// commands, with a scripted UI service.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>

#include <optional>

#include "devices/Q7R2xDoc.h"
#include "framework/CChildFrame.h"
#include "framework/CDocument.h"
#include "model/DeviceDocument.h"
#include "support/Files.h"
#include "support/FullDisk.h"
#include "support/ShellFixture.h"

namespace {

using testing_files::Slurp;
using testing_files::Spit;

class Shell : public ShellFixture {
protected:
    bool Has(const std::string& item) const { return window->FindCommand(item).has_value(); }
};

// One line per item of the window's menus: "Caption|id", "-" for a
// separator, "[Caption" ... "]" around a popup; "*" after a checked item.
// Peripherals commands added after the original fifteen are left out.
void Flatten(const QList<QAction*>& actions, std::string& out) {
    for (QAction* a : actions) {
        const std::string text = a->text().toStdString();
        if (a->isSeparator()) {
            out += "-\n";
        } else if (!a->data().isValid() && a->menu()) {
            // A popup that holds only additions (Tools) is left out with them.
            std::string items;
            Flatten(a->menu()->actions(), items);
            if (!items.empty()) out += "[" + text + "\n" + items + "]\n";
        } else if (const int id = a->data().toInt(); id < 43021 || id > 43999) {
            out += text + "|" + std::to_string(id) + (a->isChecked() ? "*" : "") + "\n";
        }
    }
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

std::string ExpectedMenu(bool withEmi) {
    std::vector<std::string> m = {
        "[&File", "&New|57600", "&Open Project...|57601", "&Save Project|57603",
        "Save Project &As...|57604", "&Close Project|57602", "-", "Sa&ve Source As...|43005",
        "&Export PDF...|43020", "-", "&Print...|57607", "&Print Setup...|57606", "-",
        "Recent File|57616", "-", "E&xit|57665", "]",
        "[&Edit", "&Undo|57643", "&Redo|57644", "]",
        "[&Options", "[Code Format", "C|43018*", "Asm|43019", "]", "]",
        "[&Peripherals", "Port I/O|43002", "Oscillators|43008", "Timers|43007", "PCA|43016",
        "UART|43004", "SMBus|43009", "SPI|43006", "ADC|43010", "EMI|43001", "Comparators|43011",
        "Reset Sources|43012", "Voltage Reference|43013", "Voltage Regulator|43014",
        "Prefetch Engine|43000", "Interrupts|43003", "-", "Reset All|43015", "]",
        "[&View", "&Toolbar|59392*", "&Status Bar|59393*", "-", "&Problems|59394", "]",
        "[&Window", "&Cascade|57650", "&Tile|57651", "Ne&xt|57680", "Pre&vious|57681", "-",
        "&1 Q7R20 1|65280*", "]",
        "[&Help", "&Help...|43017", "-", "&About Zorvant...|57664", "]",
    };
    if (!withEmi) std::erase(m, "EMI|43001");
    return Lines(m);
}

// Part of the menus: the shell's, with the module's for a project of each model.
TEST_F(Shell, MenuBarsOfTheShellAndOfEachModel) {
    std::string menu;
    Flatten(window->menuBar()->actions(), menu);
    EXPECT_EQ(menu, Lines({
                        "[&File", "&New|57600", "&Open Project...|57601", "-",
                        "&Print Setup...|57606", "-", "Recent File|57616", "-", "E&xit|57665", "]",
                        "[&Edit", "&Undo|57643", "&Redo|57644", "]",
                        "[&View", "&Toolbar|59392*", "&Status Bar|59393*", "-", "&Problems|59394", "]",
                        "[&Window", "&Cascade|57650", "&Tile|57651", "Ne&xt|57680",
                        "Pre&vious|57681", "]",
                        "[&Help", "&About Zorvant...|57664", "]"}));
    for (int n = 0; n < 8; ++n) {
        const std::string model = "Q7R2" + std::to_string(n);
        SCOPED_TRACE(model);
        window->NewProject(model);
        menu.clear();
        Flatten(window->menuBar()->actions(), menu);
        std::string expected = ExpectedMenu(n == 0 || n == 1 || n == 4 || n == 5);
        expected.replace(expected.find("&1 Q7R20 1"), 10, "&1 " + model + " 1");
        EXPECT_EQ(menu, expected);
        ASSERT_EQ(window->CloseProject(), "");
        Settle();
    }

    // A mark set on a command from outside shows on its menu item.
    window->NewProject("Q7R20");
    QIcon warning = window->style()->standardIcon(QStyle::SP_MessageBoxWarning);
    app.Commands().SetIcon(43010, warning);  // ADC
    QAction* adc = nullptr;
    for (QAction* popup : window->menuBar()->actions())
        if (popup->text() == "&Peripherals")
            for (QAction* a : popup->menu()->actions())
                if (a->data().toInt() == 43010) adc = a;
    ASSERT_NE(adc, nullptr);
    EXPECT_FALSE(adc->icon().isNull());
}

TEST_F(Shell, HostMenuWhileNoProjectIsOpen) {
    EXPECT_EQ(window->FrameCount(), 0);
    EXPECT_EQ(window->ActiveDocument(), nullptr);
    EXPECT_EQ(window->CodeText(), "");
    EXPECT_EQ(window->windowTitle(), "Zorvant");
    // The items themselves: MenuBarsOfTheShellAndOfEachModel.
    EXPECT_FALSE(window->FindCommand("Recent File")->Enabled);
    EXPECT_EQ(window->TriggerCommand("Recent File"), "menu item Recent File is disabled");
    EXPECT_EQ(window->TriggerCommand("Nothing"), "no menu item Nothing");
    EXPECT_NE(window->SaveProjectAs(Path("x.zvp")), "");
    EXPECT_FALSE(QFile::exists(dir.filePath("x.zvp")));
}

TEST_F(Shell, NewProjectShowsItsCodeUnderItsTemplatesMenu) {
    std::string error;
    EXPECT_EQ(window->NewProject("Q7R29", &error), nullptr);
    EXPECT_EQ(error, "unknown model Q7R29");

    CChildFrame* frame = window->NewProject("Q7R20");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(window->ActiveFrame(), frame);
    ASSERT_NE(window->ActiveDocument(), nullptr);
    EXPECT_EQ(window->ActiveDocument()->DeviceCode, 160);
    EXPECT_EQ(window->CodeText(), NewProject(0)->GenerateSource());
    EXPECT_NE(window->CodeText().find("// Empty configuration"), std::string::npos);
    EXPECT_EQ(frame->GetDocument()->GetTitle(), "Q7R20 1");
    EXPECT_EQ(window->windowTitle(), "Zorvant - [Q7R20 1[*]]");
    EXPECT_TRUE(window->FindCommand("C")->Checked);
    EXPECT_FALSE(window->FindCommand("Asm")->Checked);
    EXPECT_TRUE(window->FindCommand("43015")->Enabled);  // Reset All
    EXPECT_TRUE(window->FindCommand("Save Project As...")->Enabled);

    window->NewProject("q7r22");
    EXPECT_EQ(window->ActiveDocument()->DeviceCode, 162);
    EXPECT_EQ(window->FrameCount(), 2);
    window->NewProject("Q7R20");
    EXPECT_EQ(window->ActiveFrame()->GetDocument()->GetTitle(), "Q7R20 2");
}

TEST_F(Shell, CodeFormatChecksFollowTheActiveProject) {
    CChildFrame* first = window->NewProject("Q7R20");
    // Switching and saving the text itself: CodeViewTest.
    const std::string c = window->CodeText();
    EXPECT_EQ(window->TriggerCommand("Asm"), "");
    const std::string asmText = window->CodeText();

    CChildFrame* second = window->NewProject("Q7R21");
    EXPECT_TRUE(window->FindCommand("C")->Checked);
    EXPECT_FALSE(window->FindCommand("Asm")->Checked);

    window->ActivateFrame(first);
    EXPECT_TRUE(window->FindCommand("Asm")->Checked);
    EXPECT_FALSE(window->FindCommand("C")->Checked);
    EXPECT_EQ(window->CodeText(), asmText);

    EXPECT_EQ(window->SetCodeFormat(0), "");
    EXPECT_EQ(window->CodeText(), c);  // C, Asm, C: byte for byte the same
    EXPECT_TRUE(window->FindCommand("C")->Checked);
    EXPECT_EQ(second->GetDocument()->DeviceDocument()->DeviceData.CodeFormat, 0);
}

TEST_F(Shell, SaveProjectWithoutPathGoesThroughSaveAsAndWritesWhatTheCliWrites) {
    window->NewProject("Q7R20");
    const std::string path = Path("board.zvp");
    ui.SaveNames.push_back(path);
    EXPECT_EQ(window->TriggerCommand("Save Project"), "");
    ASSERT_EQ(ui.FileRequests.size(), 1u);
    EXPECT_EQ(ui.FileRequests[0].DefaultExtension, "zvp");
    EXPECT_EQ(ui.FileRequests[0].InitialName, "Untitled.zvp");
    EXPECT_EQ(ui.FileRequests[0].Filter, "Zorvant Files (*.zvp)|*.zvp|All Files (*.*)|*.*|");
    EXPECT_TRUE(ui.FileRequests[0].PromptOverwrite);
    EXPECT_TRUE(ui.FileRequests[0].HideReadOnly);

    // What `zorvant new` writes: CliTest.NewWritesTheProjectOfEveryModel.
    const std::vector<std::uint8_t> bytes = NewProject(0)->SaveProject();
    const std::string saved = Slurp(path);
    EXPECT_EQ(saved, std::string(bytes.begin(), bytes.end()));

    EXPECT_EQ(window->ActiveFrame()->GetDocument()->GetTitle(), "board.zvp");
    EXPECT_EQ(window->windowTitle(), "Zorvant - [board.zvp[*]]");
    EXPECT_EQ(app.RecentFileList().value(0).toStdString(), path);
    EXPECT_TRUE(Has("1 " + path));

    // With a path, Save Project writes there without asking.
    window->SetCodeFormat(1);
    EXPECT_EQ(window->TriggerCommand("57603"), "");
    EXPECT_EQ(ui.FileRequests.size(), 1u);
    EXPECT_NE(Slurp(path), saved);
    EXPECT_TRUE(ui.Shown.empty());
}

// Two windows must never claim one file: Save As onto the file of another
// open project is refused, the file and both windows stay as they were.
TEST_F(Shell, SaveAsOntoTheFileOfAnotherOpenProjectIsRefused) {
    window->NewProject("Q7R20");
    ASSERT_EQ(window->SaveProjectAs(Path("a.zvp")), "");
    const std::string first = Slurp(Path("a.zvp"));
    window->NewProject("Q7R27");
    ui.Shown.clear();
    EXPECT_NE(window->SaveProjectAs(Path("a.zvp")), "");
    ASSERT_EQ(ui.Shown.size(), 1u);
    EXPECT_EQ(ui.Shown[0].Text, "Error: The File Is Open In Another Window. Close It There First.");
    EXPECT_EQ(Slurp(Path("a.zvp")), first);
    EXPECT_EQ(window->ActiveFrame()->GetDocument()->GetPathName(), "");
    // Chosen in the dialog, the file is refused there and another name is taken.
    ui.SaveNames = {Path("a.zvp"), Path("c.zvp")};
    EXPECT_EQ(window->TriggerCommand("Save Project As..."), "");
    ASSERT_EQ(ui.Shown.size(), 2u);
    EXPECT_EQ(ui.Shown[1].Text, ui.Shown[0].Text);
    EXPECT_EQ(Slurp(Path("a.zvp")), first);
    EXPECT_EQ(window->ActiveFrame()->GetDocument()->GetPathName(), Path("c.zvp"));
    // Its own file it may always write again.
    window->OpenProject(Path("a.zvp"));
    EXPECT_EQ(window->SaveProjectAs(Path("a.zvp")), "");
    EXPECT_EQ(window->SaveProjectAs(Path("b.zvp")), "");
    EXPECT_EQ(window->FrameCount(), 2);
}

TEST_F(Shell, OpenPicksTheTemplateByTheFirstByte) {
    window->NewProject("Q7R22");
    window->SetCodeFormat(1);
    ASSERT_EQ(window->SaveProjectAs(Path("small.zvp")), "");
    const std::string asmText = window->CodeText();
    EXPECT_EQ(window->CloseProject(), "");
    Settle();
    EXPECT_EQ(window->FrameCount(), 0);

    ui.OpenNames.push_back(Path("small.zvp"));
    EXPECT_EQ(window->TriggerCommand("Open Project..."), "");
    ASSERT_EQ(ui.FileRequests.size(), 1u);
    EXPECT_EQ(ui.FileRequests[0].Filter, "Zorvant Files (*.zvp)|*.zvp|All Files (*.*)|*.*|");
    ASSERT_NE(window->ActiveDocument(), nullptr);
    EXPECT_EQ(window->ActiveDocument()->DeviceCode, 162);
    EXPECT_EQ(std::string(window->ActiveFrame()->GetDocument()->GetRuntimeClass()), "CQ7R22Doc");
    EXPECT_EQ(window->CodeText(), asmText);
    EXPECT_TRUE(window->FindCommand("Asm")->Checked);
    EXPECT_EQ(window->ActiveFrame()->GetDocument()->GetTitle(), "small.zvp");
    EXPECT_TRUE(ui.Shown.empty());

    // The same file again brings its window forward.
    window->NewProject("Q7R20");
    CChildFrame* again = window->OpenProject(Path("small.zvp"));
    EXPECT_EQ(window->FrameCount(), 2);
    EXPECT_EQ(window->ActiveFrame(), again);

    // The recent-file entry opens it too.
    window->CloseProject();
    Settle();
    EXPECT_EQ(window->TriggerCommand("1 " + Path("small.zvp")), "");
    EXPECT_EQ(window->ActiveDocument()->DeviceCode, 162);
}

TEST_F(Shell, ANewerFileOpensWithAnEmptyConfiguration) {
    auto bytes = NewProject(0)->SaveProject();
    bytes[5] = 61;  // minor version 61
    Spit(Path("newer.zvp"), bytes);
    ASSERT_NE(window->OpenProject(Path("newer.zvp")), nullptr);
    ASSERT_EQ(ui.Shown.size(), 1u);
    EXPECT_EQ(ui.Shown[0].Text, "Error: This file is not supported under this DLL version");
    EXPECT_EQ(ui.Shown[0].Icon, MsgIcon::Exclamation);
    EXPECT_TRUE(window->ActiveDocument()->DeviceData.Peripherals.empty());
    EXPECT_NE(window->CodeText().find("// Empty configuration"), std::string::npos);
    EXPECT_EQ(window->CodeText(), window->ActiveDocument()->GenerateSource());
}

TEST_F(Shell, UnreadableFilesAreRefusedWithoutAWindow) {
    const auto bytes = NewProject(3)->SaveProject();
    const std::string whole(bytes.begin(), bytes.end());
    struct Case {
        const char* name;
        std::string content;
        const char* message;
    };
    const Case cases[] = {
        {"truncated.zvp", whole.substr(0, whole.size() / 2),
         "Error: This project file is damaged and cannot be read."},
        {"header.zvp", whole.substr(0, 7), "Error: This project file is damaged and cannot be read."},
        {"empty.zvp", "", "Error: This file is not a Q7R2x project file."},
        {"text.zvp", "hello", "Error: This file is not a Q7R2x project file."},
        {"code168.zvp", "\xA8" + whole.substr(1), "Error: This file is not a Q7R2x project file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.Shown.clear();
        Spit(Path(c.name), c.content);
        std::string error;
        EXPECT_EQ(window->OpenProject(Path(c.name), &error), nullptr);
        EXPECT_EQ(window->FrameCount(), 0);
        ASSERT_EQ(ui.Shown.size(), 1u);
        EXPECT_EQ(ui.Shown[0].Text, c.message);
        EXPECT_EQ(ui.Shown[0].Icon, MsgIcon::Exclamation);
        EXPECT_NE(error, "");
    }
    ui.Shown.clear();
    EXPECT_EQ(window->OpenProject(Path("missing.zvp")), nullptr);
    ASSERT_EQ(ui.Shown.size(), 1u);
    EXPECT_EQ(ui.Shown[0].Text, "Error: Could Not Open File.");
    EXPECT_TRUE(app.RecentFileList().isEmpty());
}

TEST_F(Shell, ClosingTheActiveProjectActivatesTheNextOne) {
    window->show();
    CChildFrame* first = window->NewProject("Q7R20");
    first->showMaximized();
    window->SetCodeFormat(1);
    window->NewProject("Q7R26");
    EXPECT_EQ(window->TriggerCommand("Close Project"), "");
    Settle();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->FrameCount(), 1);
    EXPECT_EQ(window->ActiveFrame(), first);
    // The main window's title names the project now active, modified mark and all.
    EXPECT_EQ(window->windowTitle().toStdString(), "Zorvant - [" + first->GetDocument()->GetTitle() + "[*]]");
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(window->FindCommand("Asm")->Checked);
    EXPECT_TRUE(Has("EMI"));
    // The format change left it modified: the question comes first.
    ui.Answers.push_back(MsgResult::Discard);
    EXPECT_EQ(window->CloseProject(), "");
    Settle();
    EXPECT_EQ(window->ActiveFrame(), nullptr);
    EXPECT_EQ(window->windowTitle(), "Zorvant");
    EXPECT_FALSE(Has("Reset All"));
}

TEST_F(Shell, ToolbarAndStatusBarToggle) {
    window->show();
    EXPECT_TRUE(window->FindCommand("Toolbar")->Checked);
    window->TriggerCommand("Toolbar");
    EXPECT_FALSE(window->FindCommand("Toolbar")->Checked);
    window->TriggerCommand("Status Bar");
    EXPECT_FALSE(window->FindCommand("Status Bar")->Checked);
    window->TriggerCommand("Toolbar");
    EXPECT_TRUE(window->FindCommand("Toolbar")->Checked);

    window->TriggerCommand("About Zorvant...");
    ASSERT_EQ(ui.Shown.size(), 1u);
    EXPECT_NE(ui.Shown[0].Text.find("Version 1.60"), std::string::npos);
    window->TriggerCommand("Print Setup...");
    EXPECT_EQ(ui.PrintRequests, std::vector<PrintDialogKind>{PrintDialogKind::PageSetup});
}

// Every desktop writer on a full disk: the save-failure message, the reason
// for the caller, the old files byte for byte, the document's path as it was.
TEST_F(Shell, AFullDiskFailsEverySaveAndKeepsFilesAndPath) {
    const QString full = dir.filePath("full");
    ASSERT_TRUE(QDir().mkpath(full));
    testing_disk::FullDisk disk(full.toStdString());
    const std::string project = (full + "/p.zvp").toStdString();
    const std::string source = (full + "/init.c").toStdString();
    const std::string pdf = (full + "/code.pdf").toStdString();
    window->NewProject("Q7R20");
    ASSERT_EQ(window->SaveProjectAs(project), "");
    ASSERT_EQ(window->SaveSourceAs(source), "");
    ASSERT_EQ(window->ExportPdf(pdf), "");
    const std::string oldProject = Slurp(project), oldSource = Slurp(source), oldPdf = Slurp(pdf);
    window->SetCodeFormat(1);  // a change the saves below would carry
    CDocument* doc = window->ActiveFrame()->GetDocument();
    ui.Shown.clear();

    std::optional<testing_disk::FileSizeLimit> limit;
    if (disk.Mounted()) disk.Fill();
    else limit.emplace(0);
    const std::string reason = disk.Mounted() ? "No space left on device" : "File too large";
    const bool saved = doc->OnFileSave();
    const std::string saveError = doc->SaveError();
    const std::string saveAs = window->SaveProjectAs((full + "/other.zvp").toStdString());
    const std::string saveSource = window->SaveSourceAs(source);
    const std::string exportPdf = window->ExportPdf(pdf);
    limit.reset();

    EXPECT_FALSE(saved);
    EXPECT_EQ(saveError, "cannot write " + project + ": " + reason);
    EXPECT_EQ(saveAs, "cannot write " + (full + "/other.zvp").toStdString() + ": " + reason);
    EXPECT_EQ(saveSource, "cannot write " + source + ": " + reason);
    EXPECT_EQ(exportPdf, "cannot write " + pdf + ": " + reason);
    ASSERT_EQ(ui.Shown.size(), 4u);
    for (const auto& shown : ui.Shown) EXPECT_EQ(shown.Text, "Error: Could Not Open File For Save.");
    EXPECT_EQ(Slurp(project), oldProject);
    EXPECT_EQ(Slurp(source), oldSource);
    EXPECT_EQ(Slurp(pdf), oldPdf);
    EXPECT_FALSE(QFile::exists(full + "/other.zvp"));
    EXPECT_EQ(doc->GetPathName(), project);
    EXPECT_EQ(window->ActiveDocument()->DeviceData.CodeFormat, 1);
    QStringList left = QDir(full).entryList(QDir::Files | QDir::Hidden);
    left.removeAll("filler");
    EXPECT_EQ(left, (QStringList{"code.pdf", "init.c", "p.zvp"}));
}

}  // namespace
