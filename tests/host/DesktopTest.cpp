// The desktop program through the real window, module and a scripted UI
// service: projects, menus, saving, opening, the modified mark, undo, recovery
// copies and full disks; keys, mouse and dropped files as real events.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include <optional>

#include "devices/Q7R2xDoc.h"
#include "framework/CChildFrame.h"
#include "framework/CDocument.h"
#include "framework/ControlDriver.h"
#include "host/CNewProjectDlg.h"
#include "model/DeviceDocument.h"
#include "model/Ui.h"
#include "support/Files.h"
#include "support/FullDisk.h"
#include "support/ShellFixture.h"

namespace {

using testing_files::Slurp;
using testing_files::Spit;

class Desktop : public ShellFixture {
protected:
    // The next sheet gets these clicks on its first page, then OK or Cancel.
    void QueueSheet(std::vector<int> clicks, bool ok) {
        ui.Modals.push_back([clicks, ok](ModalDialog& d) {
            auto* sheet = dynamic_cast<QWidget*>(&d);
            QWidget* page = sheet->findChild<QTabWidget*>()->currentWidget();
            for (int id : clicks)
                EXPECT_EQ(driver::Click(page, id), "") << id;
            d.Finish(ok);
        });
    }

    CDeviceDocument* Doc() const { return window->ActiveDocument(); }
    CDocument* Document() const { return window->ActiveDocumentObject(); }
    // Closes the active project and lets its window go.
    std::string Close() {
        const std::string error = window->CloseProject();
        Settle();
        return error;
    }
    std::string UndoCaption() const { return window->FindCommand("57643")->Caption; }
    std::string RedoCaption() const { return window->FindCommand("57644")->Caption; }
    // Shows the window and waits for the focus that keys need.
    bool Activate() const {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
};

TEST_F(Desktop, EachKindOfChangeMarksTheProjectAndSavingOrUndoingClearsTheMark) {
    window->NewProject("Q7R20");
    EXPECT_FALSE(Document()->IsModified());
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(window->FindCommand("57643")->Enabled);
    EXPECT_EQ(UndoCaption(), "Undo");

    // A cancelled sheet is no step; which steps count and how nested ones are
    // named: DocumentStepTest.
    QueueSheet({11446}, false);
    window->TriggerCommand("Port I/O");
    EXPECT_FALSE(Document()->IsModified());
    EXPECT_EQ(Document()->UndoStack()->count(), 0);

    // A confirmed sheet. Saving, undoing past the saved state and redoing back
    // to it: tests/scripts/undo.zvs; the captions: the undo and redo test below.
    QueueSheet({11446}, true);
    window->TriggerCommand("Port I/O");
    EXPECT_TRUE(Document()->IsModified());
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(window->ActiveFrame()->isWindowModified());
    EXPECT_TRUE(window->FindCommand("57643")->Enabled);

    // A new step ends the redo history.
    window->SetCodeFormat(1);
    window->Undo();
    ui.Answers.push_back(MsgResult::Yes);
    window->TriggerCommand("Reset All");
    EXPECT_EQ(RedoCaption(), "Redo");
}

// One changed signal per outermost step (none while a nested sheet stores or a
// page writes a clock word); the code window follows it whatever the cause.
TEST_F(Desktop, OneChangedSignalWhenTheOutermostStepEnds) {
    window->NewProject("Q7R20");
    int changes = 0;
    QObject::connect(Document(), &CDocument::changed, [&] { ++changes; });
    int duringOuter = -1;
    ui.Modals.push_back([&](ModalDialog& d) {
        QWidget* page = dynamic_cast<QWidget*>(&d)->findChild<QTabWidget*>()->currentWidget();
        driver::Click(page, 11224);  // VREF
        driver::Click(page, 11281);  // Configure Port I/O: stores at once
        duringOuter = changes;
        d.Finish(true);
    });
    QueueSheet({11477, 11509}, true);
    window->TriggerCommand("Voltage Reference");
    EXPECT_EQ(duringOuter, 0);
    EXPECT_EQ(changes, 1);

    // Oscillators written in place and cancelled, and Reset All answered No:
    // no change, no signal.
    QueueSheet({11163}, false);
    window->TriggerCommand("Oscillators");
    ui.Answers.push_back(MsgResult::No);
    window->TriggerCommand("Reset All");
    EXPECT_EQ(changes, 1);

    // Undo changes the document behind the code window; the signal brings it along.
    window->Undo();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(window->CodeText(), Doc()->GenerateSource());
}

TEST_F(Desktop, UndoAndRedoRestoreRecordsClockWordsAndTextExactly) {
    window->NewProject("Q7R20");
    // Clock words that Reset All changes, so that its undo must restore them.
    Doc()->SysclkFrequency = 24500000;
    Doc()->ExtOscFrequency = 32768;
    window->SetCodeFormat(0);  // regenerates the window for the words above
    Document()->UndoStack()->clear();
    // The project as the user sees it: its state and the code window's text.
    auto look = [&] { return std::pair(Doc()->State(), window->CodeText()); };

    struct Step {
        const char* caption;
        std::function<void()> take;
    };
    const std::vector<Step> steps = {
        {"Port I/O",
         [&] {
             QueueSheet({11464, 11446, 11532}, true);
             window->TriggerCommand("Port I/O");
         }},
        // A nested store inside a confirmed sheet: one step with the outer one.
        {"Voltage Reference",
         [&] {
             QueueSheet({11224, 11281}, true);
             QueueSheet({11477, 11509}, true);
             window->TriggerCommand("Voltage Reference");
         }},
        {"Reset All", [&] { window->TriggerCommand("Reset All"); }},
        {"Code Format", [&] { window->SetCodeFormat(1); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.caption);
        const auto before = look();
        step.take();
        const auto after = look();
        ASSERT_FALSE(after == before);
        EXPECT_EQ(UndoCaption(), std::string("Undo ") + step.caption);

        ASSERT_EQ(window->Undo(), "");
        EXPECT_TRUE(look() == before);
        EXPECT_EQ(RedoCaption(), std::string("Redo ") + step.caption);
        ASSERT_EQ(window->Redo(), "");
        EXPECT_TRUE(look() == after);
    }
    // Undone all the way (each undo restores its state exactly, above): C marked again.
    while (window->Undo().empty()) {
    }
    EXPECT_TRUE(window->FindCommand("C")->Checked);
    EXPECT_FALSE(window->FindCommand("Asm")->Checked);
    EXPECT_EQ(window->Undo(), "nothing to undo");
    EXPECT_EQ(window->StatusText(), "Undone: Port I/O");
}

TEST_F(Desktop, TheCloseQuestionGuardsUnsavedWork) {
    // An unchanged project closes without a question.
    window->NewProject("Q7R22");
    EXPECT_EQ(Close(), "");
    EXPECT_TRUE(ui.Shown.empty());

    window->NewProject("Q7R22");
    window->SetCodeFormat(1);
    // Cancel keeps the window.
    ui.Answers.push_back(MsgResult::Cancel);
    EXPECT_EQ(Close(), "the project was not closed");
    ASSERT_EQ(ui.Shown.size(), 1u);
    EXPECT_EQ(ui.Shown[0].Text, "Save changes to Q7R22 2?");
    EXPECT_EQ(ui.Shown[0].Buttons, MsgButtons::SaveDiscardCancel);
    EXPECT_EQ(window->FrameCount(), 1);

    // Save, but the file cannot be written: the error, and the window stays.
    ui.Answers.push_back(MsgResult::Save);
    ui.SaveNames.push_back(Path("no/such/folder/p.zvp"));
    EXPECT_NE(Close(), "");
    EXPECT_EQ(ui.Shown.back().Text, "Error: Could Not Open File For Save.");
    EXPECT_EQ(ui.Shown.back().Icon, MsgIcon::Exclamation);
    ASSERT_EQ(window->FrameCount(), 1);
    EXPECT_TRUE(Document()->IsModified());
    EXPECT_EQ(Document()->GetPathName(), "");
    EXPECT_EQ(Document()->GetTitle(), "Q7R22 2");
    EXPECT_TRUE(app.RecentFileList().isEmpty());

    // Save as a real file: written, then closed.
    ui.Answers.push_back(MsgResult::Save);
    ui.SaveNames.push_back(Path("p.zvp"));
    EXPECT_EQ(Close(), "");
    EXPECT_EQ(window->FrameCount(), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("p.zvp")));

    // Exit asks for each modified project; Cancel on one keeps the program.
    window->NewProject("Q7R20");
    window->SetCodeFormat(1);
    window->NewProject("Q7R21");
    window->SetCodeFormat(1);
    ui.Shown.clear();
    ui.Answers.push_back(MsgResult::Discard);
    ui.Answers.push_back(MsgResult::Cancel);
    EXPECT_FALSE(window->close());
    Settle();
    EXPECT_EQ(ui.Shown.size(), 2u);
    EXPECT_EQ(window->FrameCount(), 1);
    ui.Answers.push_back(MsgResult::Discard);
    EXPECT_TRUE(window->close());
    Settle();
    EXPECT_EQ(window->FrameCount(), 0);
}

TEST_F(Desktop, CtrlNOpensTheModelPickerOfTheEightModels) {
    ASSERT_TRUE(Activate());
    const std::vector<std::string> models = {"Q7R20", "Q7R21", "Q7R22", "Q7R23", "Q7R24",
                                             "Q7R25", "Q7R26", "Q7R27", "Q7R28"};
    std::vector<std::string> offered;
    ui.Modals.push_back([&](ModalDialog& d) {
        auto& chooser = dynamic_cast<CNewProjectDlg&>(d);
        for (const std::string& n : models)
            if (chooser.Select(n)) offered.push_back(n);
        chooser.Select("Q7R23");
        d.Finish(true);
    });
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(offered, std::vector<std::string>(models.begin(), models.end() - 1));
    ASSERT_EQ(window->FrameCount(), 1);
    EXPECT_EQ(Doc()->DeviceCode, 163);
    // Cancel creates nothing.
    window->OnCommand(57600);
    EXPECT_EQ(window->FrameCount(), 1);

    // Ctrl+Z takes back the last step.
    window->SetCodeFormat(1);
    ASSERT_TRUE(Activate());
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Doc()->DeviceData.CodeFormat, 0);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Doc()->DeviceData.CodeFormat, 1);
}

TEST_F(Desktop, F1OpensTheUserGuideWithOrWithoutAProject) {
    std::vector<QUrl> opened;
    auto saved = UrlOpener();
    UrlOpener() = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    ASSERT_TRUE(Activate());
    QTest::keyClick(window.get(), Qt::Key_F1);
    window->NewProject("Q7R22");
    EXPECT_TRUE(Activate());
    QTest::keyClick(window.get(), Qt::Key_F1);
    UrlOpener() = saved;
    ASSERT_EQ(opened.size(), 2u);
    for (const QUrl& url : opened) {
        EXPECT_TRUE(url.toLocalFile().endsWith("/share/doc/zorvant/guide/index.html"));
        EXPECT_TRUE(QFile::exists(url.toLocalFile()));
    }
    EXPECT_EQ(window->StatusText(), "Opened the user guide");
    // Nothing to show it with: the status bar says so, with the guide's path.
    UrlOpener() = [](const QUrl&) { return false; };
    QTest::keyClick(window.get(), Qt::Key_F1);
    UrlOpener() = saved;
    const std::string status = window->StatusText();
    EXPECT_EQ(status.rfind("Could not open the user guide (no program to show it): ", 0), 0u) << status;
    EXPECT_TRUE(QString::fromStdString(status).endsWith("/share/doc/zorvant/guide/index.html")) << status;
    EXPECT_EQ(ui.Shown.size(), 0u);
}

TEST_F(Desktop, TheWindowMenuListsAndActivatesProjectsAndNewWindowsStayVisible) {
    window->resize(1200, 900);
    ASSERT_TRUE(Activate());
    CChildFrame* first = window->NewProject("Q7R20");
    window->NewProject("Q7R22");
    CChildFrame* third = window->NewProject("Q7R26");
    const QRect area = window->MdiArea()->viewport()->rect();
    for (CChildFrame* frame : window->Frames())
        EXPECT_TRUE(area.contains(frame->geometry())) << frame->GetDocument()->GetTitle();

    // The Window menu, opened and chosen from with the mouse.
    QMenu* menu = nullptr;
    for (QAction* a : window->menuBar()->actions())
        if (a->text() == "&Window") menu = a->menu();
    ASSERT_NE(menu, nullptr);
    QStringList captions;
    for (QAction* a : menu->actions())
        captions << a->text();
    EXPECT_EQ(captions, QStringList({"&Cascade", "&Tile", "Ne&xt", "Pre&vious", "", "&1 Q7R20 1",
                                     "&2 Q7R22 1", "&3 Q7R26 1"}));
    EXPECT_TRUE(menu->actions().last()->isChecked());
    menu->popup(window->mapToGlobal(QPoint(40, 40)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QAction* firstItem = menu->actions()[5];
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(firstItem).center());
    EXPECT_EQ(window->ActiveFrame(), first);

    // Next and Previous go round the list; Ctrl+F6 is Next.
    window->OnCommand(57681);  // Previous
    EXPECT_EQ(window->ActiveFrame(), third);
    ASSERT_TRUE(Activate());
    QTest::keyClick(window.get(), Qt::Key_F6, Qt::ControlModifier);
    EXPECT_EQ(window->ActiveFrame(), first);

    // A new project after a maximised one opens maximised.
    first->showMaximized();
    EXPECT_TRUE(window->NewProject("Q7R21")->isMaximized());
    // Tile leaves every window inside the workspace.
    window->TriggerCommand("Tile");
    for (CChildFrame* frame : window->Frames())
        EXPECT_TRUE(area.contains(frame->geometry())) << frame->GetDocument()->GetTitle();
}

// File dialogs keep their titles and default names and start in the
// project's folder, else in the one last used, else in the working directory.
TEST_F(Desktop, FileDialogsAreTitledForWhatTheySave) {
    const char* items[] = {"Save Project As...", "Save Source As...", "Export PDF...",
                           "Open Project..."};
    auto requests = [&] {
        std::vector<std::string> seen;
        for (const FileDialogRequest& r : ui.FileRequests)
            seen.push_back(r.Title + " | " + r.InitialName + " | " + r.Directory);
        ui.FileRequests.clear();
        return seen;
    };
    window->TriggerCommand("Open Project...");
    window->NewProject("Q7R20");
    for (const char* item : items) EXPECT_EQ(window->TriggerCommand(item), "") << item;  // cancelled
    EXPECT_EQ(requests(), (std::vector<std::string>{"Open Project |  | ",
                                                    "Save Project As | Untitled.zvp | ",
                                                    "Save Source As | Untitled.c | ",
                                                    "Export PDF | Untitled.pdf | ",
                                                    "Open Project |  | "}));
    // Saved in a folder: its dialogs start there, and so do a new project's.
    ASSERT_EQ(window->SaveProjectAs(Path("a.zvp")), "");
    window->SetCodeFormat(1);
    for (const char* item : items) window->TriggerCommand(item);
    window->NewProject("Q7R22");
    window->TriggerCommand("Save Project As...");
    const std::string folder = dir.path().toStdString();
    EXPECT_EQ(requests(), (std::vector<std::string>{"Save Project As | Untitled.zvp | " + folder,
                                                    "Save Source As | Untitled.asm | " + folder,
                                                    "Export PDF | Untitled.pdf | " + folder,
                                                    "Open Project |  | " + folder,
                                                    "Save Project As | Untitled.zvp | " + folder}));
}

TEST_F(Desktop, DroppedProjectFilesOpen) {
    window->NewProject("Q7R24");
    ASSERT_EQ(window->SaveProjectAs(Path("a.zvp")), "");
    ASSERT_EQ(Close(), "");
    Spit(Path("notes.txt"), "");

    auto send = [&](const QList<QUrl>& urls, bool& entered) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        entered = enter.isAccepted();
        if (!entered) return;
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &drop);
    };
    bool entered = true;
    send({QUrl::fromLocalFile(dir.filePath("notes.txt"))}, entered);
    EXPECT_FALSE(entered);
    EXPECT_EQ(window->FrameCount(), 0);
    send({QUrl::fromLocalFile(dir.filePath("notes.txt")),
          QUrl::fromLocalFile(dir.filePath("a.zvp"))},
         entered);
    EXPECT_TRUE(entered);
    ASSERT_EQ(window->FrameCount(), 1);
    EXPECT_EQ(Doc()->DeviceCode, 164);
    EXPECT_EQ(window->StatusText(), "Opened a.zvp");
}

QStringList FilesIn(const QString& folder, const QString& pattern = QStringLiteral("*")) {
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

// One copy per modified project, written about a second after a change and
// gone once it is saved, undone to its saved state or closed.
TEST_F(Desktop, ARecoveryCopyFollowsTheUnsavedChanges) {
    const QString folder = dir.filePath("recovery");
    EXPECT_EQ(window->StartRecovery(folder), 0);
    window->NewProject("Q7R20");
    auto copies = [&] { return FilesIn(folder, "*.zvp"); };
    // Waits for the copy of the project as it is now; "" once it is there.
    auto copied = [&]() -> std::string {
        const auto saved = Doc()->SaveProject();
        const std::string wanted(saved.begin(), saved.end()), in = folder.toStdString() + "/";
        auto there = [&] {
            return copies().size() == 1 && Slurp(in + copies()[0].toStdString()) == wanted;
        };
        if (!QTest::qWaitFor(there, 5000))
            return "no copy of the project as it is: " + copies().join(" ").toStdString();
        return "";
    };

    window->SetCodeFormat(1);
    EXPECT_TRUE(copies().empty());  // not at once: changes come in bursts
    ASSERT_EQ(copied(), "");
    const QString copy = copies()[0];

    QueueSheet({11446}, true);
    window->TriggerCommand("Port I/O");
    ASSERT_EQ(copied(), "");
    EXPECT_EQ(copies()[0], copy);  // the same copy, rewritten

    // Back at the saved state: nothing to recover, at once.
    window->Undo();
    window->Undo();
    EXPECT_TRUE(FilesIn(folder).isEmpty()) << FilesIn(folder).join(" ").toStdString();
    window->Redo();
    ASSERT_EQ(copied(), "");

    ASSERT_EQ(window->SaveProjectAs(Path("p.zvp")), "");
    EXPECT_TRUE(FilesIn(folder).isEmpty());
    window->SetCodeFormat(0);
    ASSERT_EQ(copied(), "");

    // Closed without saving.
    ui.Answers.push_back(MsgResult::Discard);
    ASSERT_EQ(Close(), "");
    EXPECT_TRUE(FilesIn(folder).isEmpty()) << FilesIn(folder).join(" ").toStdString();
}

// Recover opens a killed program's project as it was, modified, with its path.
TEST_F(Desktop, AKilledProgramsChangesAreRecoveredOrDiscarded) {
    // A data folder (and settings) of the test's own.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", dir.filePath("home"));
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    const QString folder = dir.filePath("data/Zorvant/Zorvant Q7R2x/recovery");
    int scripts = 0;
    auto start = [&](QProcess& program, const std::string& script) {
        const std::string name = Path(("s" + std::to_string(++scripts) + ".zvs").c_str());
        Spit(name, script);
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(dir.path());
        program.start(ZORVANT_EXE, {"run", QString::fromStdString(name)});
        ASSERT_TRUE(program.waitForStarted());
    };
    auto run = [&](const std::string& script) {
        QProcess program;
        start(program, script);
        EXPECT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        return program.readAllStandardOutput().toStdString();
    };

    // What the projects hold when the program dies, made the same way.
    run("new Q7R20\nmenu \"Port I/O\"\nclick 11446\nok\nsave expected20.zvp\n"
        "new Q7R22\nformat asm\nsave expected22.zvp\n");

    // One project saved and changed since, one never saved, one to throw away.
    const std::string orig = Path("orig.zvp");
    QProcess first;
    start(first, "recovery\nnew Q7R20\nsave \"" + orig + "\"\nmenu \"Port I/O\"\nclick 11446\nok\n"
                 "new Q7R22\nformat asm\nnew Q7R24\nformat asm\nwait 600000\n");
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return FilesIn(folder, "*.info").size() == 3 || first.state() == QProcess::NotRunning;
    }, 30000));
    ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();

    // Another instance started meanwhile takes none of them.
    EXPECT_EQ(run("recovery\nexpect no-message\n"), "");
    EXPECT_EQ(FilesIn(folder, "*.info").size(), 3);

    first.kill();  // SIGKILL
    ASSERT_TRUE(first.waitForFinished());
    ASSERT_EQ(FilesIn(folder, "*.info").size(), 3);

    // Started again. The recovered projects are modified: the untitled one
    // is saved as a new file; the other's Save writes its own file.
    const std::string out = run(
        "answer recover 2\nanswer discard\nrecovery\n"
        "expect modified yes\nsave untitled.zvp\nclose\n"
        "expect modified yes\nanswer save\nclose\nprint code\n");
    EXPECT_EQ(out, "message: \"Recover unsaved changes to " + orig + "?\" -> recover\n"
                   "message: \"Recover unsaved changes to Q7R22 1?\" -> recover\n"
                   "message: \"Recover unsaved changes to Q7R24 1?\" -> discard\n"
                   "message: \"Save changes to orig.zvp?\" -> save\n");
    EXPECT_EQ(Slurp(orig), Slurp(Path("expected20.zvp")));
    EXPECT_EQ(Slurp(Path("untitled.zvp")), Slurp(Path("expected22.zvp")));
    // Every copy is gone, the discarded one with the others.
    EXPECT_TRUE(FilesIn(folder).isEmpty()) << FilesIn(folder).join(" ").toStdString();
}

// One line per item of the window's menus: "Caption|id", "-" for a
// separator, "[Caption" ... "]" around a popup; "*" after a checked item.
// Peripherals commands added after the original fifteen are left out.
std::vector<std::string> Flatten(const QList<QAction*>& actions) {
    std::vector<std::string> out;
    for (QAction* a : actions) {
        const std::string text = a->text().toStdString();
        if (a->isSeparator()) {
            out.push_back("-");
        } else if (!a->data().isValid() && a->menu()) {
            // A popup that holds only additions (Tools) is left out with them.
            const std::vector<std::string> items = Flatten(a->menu()->actions());
            if (items.empty()) continue;
            out.push_back("[" + text);
            out.insert(out.end(), items.begin(), items.end());
            out.push_back("]");
        } else if (const int id = a->data().toInt(); id < 43021 || id > 43999) {
            out.push_back(text + "|" + std::to_string(id) + (a->isChecked() ? "*" : ""));
        }
    }
    return out;
}

TEST_F(Desktop, MenuBarsOfTheShellAndOfEachModel) {
    EXPECT_EQ(Flatten(window->menuBar()->actions()),
              (std::vector<std::string>{
                  "[&File", "&New|57600", "&Open Project...|57601", "-", "&Print Setup...|57606",
                  "-", "Recent File|57616", "-", "E&xit|57665", "]",
                  "[&Edit", "&Undo|57643", "&Redo|57644", "]",
                  "[&View", "&Toolbar|59392*", "&Status Bar|59393*", "-", "&Problems|59394", "]",
                  "[&Window", "&Cascade|57650", "&Tile|57651", "Ne&xt|57680", "Pre&vious|57681",
                  "]", "[&Help", "&About Zorvant...|57664", "]"}));
    for (int n = 0; n < 8; ++n) {
        const std::string model = "Q7R2" + std::to_string(n);
        SCOPED_TRACE(model);
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
            "&1 " + model + " 1|65280*", "]",
            "[&Help", "&Help...|43017", "-", "&About Zorvant...|57664", "]",
        };
        if (n == 2 || n == 3 || n > 5) std::erase(m, "EMI|43001");
        window->NewProject(model);
        EXPECT_EQ(Flatten(window->menuBar()->actions()), m);
        ASSERT_EQ(Close(), "");
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

// The items themselves: MenuBarsOfTheShellAndOfEachModel; the window after
// its last project closed: ClosingTheActiveProjectActivatesTheNextOne.
TEST_F(Desktop, TheShellCommandsWithoutAProject) {
    window->show();
    EXPECT_EQ(window->CodeText(), "");
    EXPECT_FALSE(window->FindCommand("Recent File")->Enabled);
    EXPECT_EQ(window->TriggerCommand("Recent File"), "menu item Recent File is disabled");
    EXPECT_EQ(window->TriggerCommand("Nothing"), "no menu item Nothing");
    EXPECT_NE(window->SaveProjectAs(Path("x.zvp")), "");
    EXPECT_FALSE(QFile::exists(dir.filePath("x.zvp")));

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

TEST_F(Desktop, NewProjectShowsItsCodeUnderItsTemplatesMenu) {
    std::string error;
    EXPECT_EQ(window->NewProject("Q7R29", &error), nullptr);
    EXPECT_EQ(error, "unknown model Q7R29");

    CChildFrame* frame = window->NewProject("Q7R20");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(window->ActiveFrame(), frame);
    ASSERT_NE(window->ActiveDocument(), nullptr);
    EXPECT_EQ(window->ActiveDocument()->DeviceCode, 160);
    EXPECT_EQ(window->CodeText(), NewProject(0)->GenerateSource());
    EXPECT_EQ(frame->GetDocument()->GetTitle(), "Q7R20 1");
    EXPECT_EQ(window->windowTitle(), "Zorvant - [Q7R20 1[*]]");
    EXPECT_TRUE(window->FindCommand("43015")->Enabled);  // Reset All
    EXPECT_TRUE(window->FindCommand("Save Project As...")->Enabled);

    window->NewProject("q7r22");
    EXPECT_EQ(window->ActiveDocument()->DeviceCode, 162);
    EXPECT_EQ(window->FrameCount(), 2);
    window->NewProject("Q7R20");
    EXPECT_EQ(window->ActiveFrame()->GetDocument()->GetTitle(), "Q7R20 2");
}

TEST_F(Desktop, CodeFormatChecksFollowTheActiveProject) {
    CChildFrame* first = window->NewProject("Q7R20");
    // Saving the text itself: CodeViewTest.
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

TEST_F(Desktop, SaveProjectWithoutPathGoesThroughSaveAsAndWritesWhatTheCliWrites) {
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

    // With a path, Save Project writes there without asking.
    window->SetCodeFormat(1);
    EXPECT_EQ(window->TriggerCommand("57603"), "");
    EXPECT_EQ(ui.FileRequests.size(), 1u);
    EXPECT_NE(Slurp(path), saved);
    EXPECT_TRUE(ui.Shown.empty());
}

// Two windows must never claim one file.
TEST_F(Desktop, SaveAsOntoTheFileOfAnotherOpenProjectIsRefused) {
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

TEST_F(Desktop, OpenPicksTheTemplateByTheFirstByte) {
    window->NewProject("Q7R22");
    window->SetCodeFormat(1);
    ASSERT_EQ(window->SaveProjectAs(Path("small.zvp")), "");
    const std::string asmText = window->CodeText();
    EXPECT_EQ(Close(), "");
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
    Close();
    EXPECT_EQ(window->TriggerCommand("1 " + Path("small.zvp")), "");
    EXPECT_EQ(window->ActiveDocument()->DeviceCode, 162);
}

TEST_F(Desktop, ANewerFileOpensWithAnEmptyConfiguration) {
    auto bytes = NewProject(0)->SaveProject();
    bytes[5] = 61;  // minor version 61
    Spit(Path("newer.zvp"), bytes);
    // The message and the empty records: ProjectFile.NewerVersionsAreRefusedWithTheMessage.
    ASSERT_NE(window->OpenProject(Path("newer.zvp")), nullptr);
    EXPECT_EQ(ui.Shown.size(), 1u);
    EXPECT_TRUE(window->ActiveDocument()->DeviceData.Peripherals.empty());
    EXPECT_EQ(window->CodeText(), window->ActiveDocument()->GenerateSource());
}

TEST_F(Desktop, UnreadableFilesAreRefusedWithoutAWindow) {
    const auto bytes = NewProject(3)->SaveProject();
    const std::string whole(bytes.begin(), bytes.end());
    struct Case {
        const char* name;
        std::optional<std::string> content;  // none: no such file
        const char* message;
    };
    const Case cases[] = {
        {"truncated.zvp", whole.substr(0, whole.size() / 2),
         "Error: This project file is damaged and cannot be read."},
        {"header.zvp", whole.substr(0, 7), "Error: This project file is damaged and cannot be read."},
        {"empty.zvp", "", "Error: This file is not a Q7R2x project file."},
        {"text.zvp", "hello", "Error: This file is not a Q7R2x project file."},
        {"code168.zvp", "\xA8" + whole.substr(1), "Error: This file is not a Q7R2x project file."},
        {"missing.zvp", std::nullopt, "Error: Could Not Open File."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.Shown.clear();
        if (c.content) Spit(Path(c.name), *c.content);
        std::string error;
        EXPECT_EQ(window->OpenProject(Path(c.name), &error), nullptr);
        EXPECT_EQ(window->FrameCount(), 0);
        ASSERT_EQ(ui.Shown.size(), 1u);
        EXPECT_EQ(ui.Shown[0].Text, c.message);
        EXPECT_EQ(ui.Shown[0].Icon, MsgIcon::Exclamation);
        EXPECT_NE(error, "");
    }
    EXPECT_TRUE(app.RecentFileList().isEmpty());
}

TEST_F(Desktop, ClosingTheActiveProjectActivatesTheNextOne) {
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
    EXPECT_TRUE(window->FindCommand("EMI").has_value());
    // The format change left it modified: the question comes first.
    ui.Answers.push_back(MsgResult::Discard);
    EXPECT_EQ(Close(), "");
    EXPECT_EQ(window->ActiveFrame(), nullptr);
    EXPECT_EQ(window->windowTitle(), "Zorvant");
    EXPECT_FALSE(window->FindCommand("Reset All").has_value());
}

TEST_F(Desktop, AFullDiskFailsEverySaveAndKeepsFilesAndPath) {
    const QString full = dir.filePath("full");
    ASSERT_TRUE(QDir().mkpath(full));
    testing_disk::FullDisk disk(full.toStdString());
    auto in = [&full](const char* name) { return (full + "/" + name).toStdString(); };
    const std::string project = in("p.zvp"), source = in("init.c"), pdf = in("code.pdf");
    const std::string other = in("other.zvp");
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
    const std::vector<std::string> errors = {
        doc->OnFileSave() ? "saved" : doc->SaveError(), window->SaveProjectAs(other),
        window->SaveSourceAs(source), window->ExportPdf(pdf)};
    limit.reset();

    std::vector<std::string> expected;
    for (const std::string& path : {project, other, source, pdf})
        expected.push_back("cannot write " + path + ": " + reason);
    EXPECT_EQ(errors, expected);
    ASSERT_EQ(ui.Shown.size(), 4u);
    for (const auto& shown : ui.Shown) EXPECT_EQ(shown.Text, "Error: Could Not Open File For Save.");
    EXPECT_EQ(Slurp(project), oldProject);
    EXPECT_EQ(Slurp(source), oldSource);
    EXPECT_EQ(Slurp(pdf), oldPdf);
    EXPECT_EQ(doc->GetPathName(), project);
    EXPECT_EQ(window->ActiveDocument()->DeviceData.CodeFormat, 1);
    QStringList left = QDir(full).entryList(QDir::Files | QDir::Hidden);
    left.removeAll("filler");
    EXPECT_EQ(left, (QStringList{"code.pdf", "init.c", "p.zvp"}));
}

}  // namespace

