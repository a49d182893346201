// What makes the desktop program safe to work in: the modified mark and the
// close question, undo and redo of every kind of step, the Window menu,
// Ctrl+N and dropped project files, driven through the real window and, where
// it matters, through real key, mouse and drop events.

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
#include <QTabWidget>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include "framework/CChildFrame.h"
#include "framework/CDocument.h"
#include "framework/ControlDriver.h"
#include "host/CNewProjectDlg.h"
#include "model/DeviceDocument.h"
#include "model/FileIo.h"
#include "model/Ui.h"
#include "support/ShellFixture.h"

namespace {

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
    std::string UndoCaption() const { return window->FindCommand("57643")->Caption; }
    std::string RedoCaption() const { return window->FindCommand("57644")->Caption; }
    // Shows the window and waits for the focus that keys need.
    bool Activate() const {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
};

// A project as the user sees it: its state and the code window's text.
struct Seen {
    DocumentState state;
    std::string code;
    bool operator==(const Seen&) const = default;
};

Seen Look(const CMainWindow& w) {
    return {w.ActiveDocument()->State(), w.CodeText()};
}

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

// The document says it changed once a step, when the outermost one ends
// (not while a nested sheet stores or a page writes a clock word), and the
// code window follows that one signal whatever caused the change.
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
        const Seen before = Look(*window);
        step.take();
        const Seen after = Look(*window);
        ASSERT_FALSE(after == before);
        EXPECT_EQ(UndoCaption(), std::string("Undo ") + step.caption);

        ASSERT_EQ(window->Undo(), "");
        EXPECT_TRUE(Look(*window) == before);
        EXPECT_EQ(RedoCaption(), std::string("Redo ") + step.caption);
        ASSERT_EQ(window->Redo(), "");
        EXPECT_TRUE(Look(*window) == after);
    }
    // Undone all the way: the project as it started, C marked again.
    while (window->Undo().empty()) {
    }
    EXPECT_EQ(Doc()->SysclkFrequency, 24500000u);
    EXPECT_EQ(Doc()->ExtOscFrequency, 32768u);
    EXPECT_EQ(Doc()->DeviceData.CodeFormat, 0);
    EXPECT_TRUE(window->FindCommand("C")->Checked);
    EXPECT_FALSE(window->FindCommand("Asm")->Checked);
    EXPECT_EQ(window->Undo(), "nothing to undo");
    EXPECT_EQ(window->StatusText(), "Undone: Port I/O");
}

TEST_F(Desktop, TheCloseQuestionGuardsUnsavedWork) {
    // An unchanged project closes without a question.
    window->NewProject("Q7R22");
    EXPECT_EQ(window->CloseProject(), "");
    Settle();
    EXPECT_TRUE(ui.Shown.empty());

    window->NewProject("Q7R22");
    window->SetCodeFormat(1);
    // Cancel keeps the window.
    ui.Answers.push_back(MsgResult::Cancel);
    EXPECT_EQ(window->CloseProject(), "the project was not closed");
    ASSERT_EQ(ui.Shown.size(), 1u);
    EXPECT_EQ(ui.Shown[0].Text, "Save changes to Q7R22 2?");
    EXPECT_EQ(ui.Shown[0].Buttons, MsgButtons::SaveDiscardCancel);
    Settle();
    EXPECT_EQ(window->FrameCount(), 1);

    // Save, but the file cannot be written: the error, and the window stays.
    ui.Answers.push_back(MsgResult::Save);
    ui.SaveNames.push_back(Path("no/such/folder/p.zvp"));
    EXPECT_NE(window->CloseProject(), "");
    EXPECT_EQ(ui.Shown.back().Text, "Error: Could Not Open File For Save.");
    EXPECT_EQ(ui.Shown.back().Icon, MsgIcon::Exclamation);
    Settle();
    ASSERT_EQ(window->FrameCount(), 1);
    EXPECT_TRUE(Document()->IsModified());
    EXPECT_EQ(Document()->GetPathName(), "");
    EXPECT_EQ(Document()->GetTitle(), "Q7R22 2");
    EXPECT_TRUE(app.RecentFileList().isEmpty());

    // Save as a real file: written, then closed.
    ui.Answers.push_back(MsgResult::Save);
    ui.SaveNames.push_back(Path("p.zvp"));
    EXPECT_EQ(window->CloseProject(), "");
    Settle();
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
    ASSERT_EQ(window->CloseProject(), "");
    Settle();
    QFile text(dir.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();

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

// The files of a recovery folder with the extension `ext`, and the bytes of one.
QStringList FilesIn(const QString& folder, const QString& pattern = QStringLiteral("*")) {
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

std::string BytesOf(const QString& path) {
    std::string bytes;
    EXPECT_EQ(fileio::ReadFileBounded(path.toStdString(), 1 << 20, bytes), "") << path.toStdString();
    return bytes;
}

std::string Bytes(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A modified project keeps one copy, written about a second after a change
// and rewritten after the next, and none once it is saved, undone back to
// its saved state or closed. What a copy records, and that a running
// program's copies are nobody else's: the killed program below.
TEST_F(Desktop, ARecoveryCopyFollowsTheUnsavedChanges) {
    const QString folder = dir.filePath("recovery");
    EXPECT_EQ(window->StartRecovery(folder), 0);
    window->NewProject("Q7R20");
    auto copies = [&] { return FilesIn(folder, "*.zvp"); };
    // Waits for the copy of the project as it is now; "" once it is there.
    auto copied = [&]() -> std::string {
        const std::string wanted = Bytes(Doc()->SaveProject());
        if (!QTest::qWaitFor([&] { return copies().size() == 1 && BytesOf(folder + "/" + copies()[0]) == wanted; }, 5000))
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
    ASSERT_EQ(window->CloseProject(), "");
    Settle();
    EXPECT_TRUE(FilesIn(folder).isEmpty()) << FilesIn(folder).join(" ").toStdString();
}

// The real program, changed and killed: at its next start each project it
// had not saved is offered; Recover opens it as it was, modified, with its
// path, Discard deletes its copy.
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
        ASSERT_EQ(fileio::WriteFileSafely(name, script), "");
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
    EXPECT_EQ(BytesOf(QString::fromStdString(orig)), BytesOf(dir.filePath("expected20.zvp")));
    EXPECT_EQ(BytesOf(dir.filePath("untitled.zvp")), BytesOf(dir.filePath("expected22.zvp")));
    // Every copy is gone, the discarded one with the others.
    EXPECT_TRUE(FilesIn(folder).isEmpty()) << FilesIn(folder).join(" ").toStdString();
}

}  // namespace

