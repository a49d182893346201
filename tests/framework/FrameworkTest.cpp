// The shell framework: templates and their document strings, the
// application's template and recent-file lists, the Qt filter conversion,
// documents' save flow and child frames.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include "framework/CApplication.h"
#include "framework/CChildFrame.h"
#include "framework/CCommandRegistry.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CMenu.h"
#include "framework/CView.h"
#include "framework/ControlDriver.h"
#include "framework/QtUi.h"
#include "model/Ui.h"
#include "support/Files.h"

namespace {

class BytesDoc : public CDocument {
public:
    std::vector<std::uint8_t> bytes{1, 2, 3, '\r', '\n'};

protected:
    std::vector<std::uint8_t> Serialize() const override { return bytes; }
    FileDialogRequest SaveAsRequest() const override {
        FileDialogRequest r;
        r.DefaultExtension = "zvp";
        r.InitialName = "Untitled.zvp";
        return r;
    }
};

std::unique_ptr<CDocTemplate> Template(std::string docString) {
    return std::make_unique<CDocTemplate>(
        11000, std::move(docString), [] { return std::unique_ptr<CDocument>(new BytesDoc); },
        [] { return new CView; });
}

TEST(DocTemplate, DocumentStringPartsAndUntitledTitles) {
    auto t = Template("\nQ7R20 \nQ7R20");
    std::string part;
    EXPECT_FALSE(t->GetDocString(part, CDocTemplate::windowTitle));
    EXPECT_EQ(part, "");
    EXPECT_TRUE(t->GetDocString(part, CDocTemplate::docName));
    EXPECT_EQ(part, "Q7R20 ");
    EXPECT_TRUE(t->GetDocString(part, CDocTemplate::fileNewName));
    EXPECT_EQ(part, "Q7R20");
    EXPECT_FALSE(t->GetDocString(part, CDocTemplate::filterName));
    EXPECT_EQ(t->FileNewName(), "Q7R20");
    EXPECT_EQ(t->NextUntitledTitle(), "Q7R20 1");
    EXPECT_EQ(t->NextUntitledTitle(), "Q7R20 2");
    // A recovered project's title is taken: the count moves past it, never back.
    for (const char* taken : {"Q7R20 7", "Q7R20 3", "Q7R20 x9", "Q7R21 12", "Q7R20 99999999"})
        t->TakeUntitledTitle(taken);
    EXPECT_EQ(t->NextUntitledTitle(), "Q7R20 8");
    EXPECT_EQ(Template("")->NextUntitledTitle(), "Untitled1");

    auto doc = t->CreateNewDocument();
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->GetDocTemplate(), t.get());
}

TEST(Application, KeepsTemplatesInOrderAndIsReachable) {
    EXPECT_EQ(TheApp(), nullptr);
    {
        CApplication app;
        EXPECT_EQ(TheApp(), &app);
        int changes = 0;
        QObject::connect(&app, &CApplication::templatesChanged, [&] { ++changes; });
        app.AddDocTemplate(Template("\nA \nA"));
        app.AddDocTemplate(Template("\nB \nB"));
        EXPECT_EQ(changes, 2);
        ASSERT_EQ(app.DocTemplates().size(), 2u);
        EXPECT_EQ(app.DocTemplates()[1]->FileNewName(), "B");
        EXPECT_EQ(app.FindTemplate("A"), app.DocTemplates()[0].get());
        EXPECT_EQ(app.FindTemplate("A "), nullptr);
    }
    EXPECT_EQ(TheApp(), nullptr);
}

TEST(Application, RecentFilesAreFewUniqueNewestFirstAndRemembered) {
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    auto p = [&](const char* name) { return dir.filePath(name); };
    {
        QSettings().remove("RecentTest");
        CApplication app("RecentTest");
        for (const char* name : {"a.zvp", "b.zvp", "c.zvp", "d.zvp", "e.zvp"})
            app.AddToRecentFileList(p(name).toStdString());
        app.AddToRecentFileList(p("c.zvp").toStdString());
        EXPECT_EQ(app.RecentFileList(),
                  (QStringList{p("c.zvp"), p("e.zvp"), p("d.zvp"), p("b.zvp")}));
        app.RemoveFromRecentFileList(p("d.zvp"));
        EXPECT_EQ(app.RecentFileList().size(), 3);
    }
    CApplication again("RecentTest");
    EXPECT_EQ(again.RecentFileList(), (QStringList{p("c.zvp"), p("e.zvp"), p("b.zvp")}));
    CApplication memoryOnly;
    EXPECT_TRUE(memoryOnly.RecentFileList().isEmpty());
    QSettings().remove("RecentTest");
}

TEST(QtUiFilter, ConvertsBarSeparatedFilters) {
    EXPECT_EQ(ConvertFilter("C Files (*.c)|*.c|All Files (*.*)|*.*|"),
              (QStringList{"C Files (*.c)", "All Files (*.*) (*)"}));
    EXPECT_EQ(ConvertFilter("Sources|*.c;*.h|"), (QStringList{"Sources (*.c *.h)"}));
    EXPECT_TRUE(ConvertFilter("").isEmpty());
}

// The real save dialog starts in the folder asked for and refuses what the
// request refuses before asking to replace it (a non-Latin-1 path as on disk).
TEST(QtUiFileDialog, StartsInTheFolderAndRefusesBeforeAskingToReplace) {
    QTemporaryDir dir;
    const QString open = dir.filePath(QStringLiteral("geöffnet.zvp"));
    testing_files::Spit(open.toStdString(), "");
    FileDialogRequest request;
    request.Directory = dir.path().toStdString();
    request.InitialName = "Untitled.zvp";
    request.DefaultExtension = "zvp";
    request.Refuse = [](const std::string& path) {
        return QString::fromStdString(path).endsWith("geöffnet.zvp") ? path + " is open elsewhere."
                                                                     : "";
    };
    QtUi qt;
    Ui* previous = SetUi(&qt);
    // Every message box that comes up is noted and closed.
    QStringList boxes;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << box->text();
            box->done(QMessageBox::Yes);
        }
    });
    closer.start(10);
    QString start;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        start = dialog->directory().absolutePath();
        dialog->selectFile(open);
        static_cast<QDialog*>(dialog)->accept();
        EXPECT_TRUE(dialog->isVisible());
        dialog->selectFile(dir.filePath("new.zvp"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto chosen = qt.SaveFileName(request);
    SetUi(previous);
    EXPECT_EQ(start, dir.path());
    EXPECT_EQ(boxes, QStringList{open + " is open elsewhere."});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, dir.filePath("new.zvp").toStdString());
}

// Every button of a message box can be pressed with Alt and a letter of its own.
TEST(QtUiMessage, EveryButtonHasAMnemonicOfItsOwn) {
    for (const auto buttons : {QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                               QMessageBox::StandardButtons(QMessageBox::Ok)}) {
        QMessageBox box(QMessageBox::Question, QString(), QStringLiteral("?"), buttons);
        AddMnemonics(box);
        QString letters;
        for (const QAbstractButton* b : box.buttons()) {
            const qsizetype at = b->text().indexOf('&');
            ASSERT_GE(at, 0) << b->text().toStdString();
            const QChar letter = b->text()[at + 1].toLower();
            EXPECT_TRUE(letter.isLetterOrNumber()) << b->text().toStdString();
            EXPECT_FALSE(letters.contains(letter)) << b->text().toStdString();
            letters += letter;
        }
    }
}

TEST(Menu, Mnemonics) {
    EXPECT_EQ(StripMnemonic("Save Project &As..."), "Save Project As...");
    EXPECT_EQ(StripMnemonic("E&xit"), "Exit");
    EXPECT_EQ(StripMnemonic("A&&B"), "A&B");
}

// One line per item: "Caption|id", "-" for a separator, "[Popup" ... "]".
std::vector<std::string> Flatten(const std::vector<CMenuItem>& items) {
    std::vector<std::string> out;
    for (const auto& item : items) {
        if (item.Separator) {
            out.push_back("-");
        } else if (item.IsPopup()) {
            out.push_back("[" + item.Caption);
            for (auto& line : Flatten(item.Items)) out.push_back(line);
            out.push_back("]");
        } else {
            out.push_back(item.Caption + "|" + std::to_string(item.Id) + (item.Checked ? "*" : ""));
        }
    }
    return out;
}

// Menus come from the entries: popups by position, items by position with a
// separator between hundreds, submenus, items shown only for a project, and
// popups left out when nothing in them is shown.
TEST(CommandRegistry, BuildsMenusAndToolbarFromItsEntries) {
    CCommandRegistry r;
    r.AddMenu("&Help", 700);
    r.AddMenu("&File", 100);
    r.AddMenu("&Options", 300);
    r.AddMenu("&Options/Code Format", 100);
    auto project = [](CDocument* doc) { return doc != nullptr; };
    r.Add({.Id = 3, .Caption = "E&xit", .Menu = "&File", .Position = 501, .ToolbarPosition = 301});
    r.Add({.Id = 1, .Caption = "&New", .Menu = "&File", .Position = 101, .ToolbarPosition = 101});
    r.Add({.Id = 2, .Caption = "&Save", .Menu = "&File", .Position = 102, .Shown = project,
           .ToolbarPosition = 102});
    r.Add({.Id = 4, .Caption = "C", .Menu = "&Options/Code Format", .Position = 101,
           .Shown = project, .Checked = true});
    r.Add({.Id = 5, .Caption = "&Tools", .Menu = "&Extra", .Position = 1});
    r.Add({.Id = 6, .Caption = "F1 only", .Run = [] {}});
    EXPECT_EQ(Flatten(r.MenuBar(nullptr)),
              (std::vector<std::string>{"[&File", "&New|1", "-", "E&xit|3", "]", "[&Extra",
                                        "&Tools|5", "]"}));
    BytesDoc doc;
    EXPECT_EQ(Flatten(r.MenuBar(&doc)),
              (std::vector<std::string>{"[&File", "&New|1", "&Save|2", "-", "E&xit|3", "]",
                                        "[&Options", "[Code Format", "C|4*", "]", "]", "[&Extra",
                                        "&Tools|5", "]"}));
    EXPECT_EQ(r.Toolbar(), (std::vector<int>{1, 2, 0, 3}));
}

TEST(CommandRegistry, RunsEnabledCommandsAndReportsChanges) {
    CCommandRegistry r;
    int changes = 0, ran = 0;
    std::vector<int> changed;
    QObject::connect(&r, &CCommandRegistry::commandsChanged, [&] { ++changes; });
    QObject::connect(&r, &CCommandRegistry::commandChanged, [&](int id) { changed.push_back(id); });
    bool enabled = false;
    r.Add({.Id = 1, .Caption = "A", .Run = [&] { ++ran; }, .Enabled = [&] { return enabled; }});
    // A handler that replaces its own entry, as opening a recent file does.
    r.Add({.Id = 2, .Caption = "B", .Run = [&] {
               r.ReplaceRange(2, 9, {{.Id = 3, .Caption = "C", .Run = [] {}}});
               ++ran;
           }});
    EXPECT_FALSE(r.Run(1));
    EXPECT_FALSE(r.Run(7));
    enabled = true;
    EXPECT_TRUE(r.Run(1));
    EXPECT_TRUE(r.Run(2));
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(r.Find(2), nullptr);
    ASSERT_NE(r.Find(3), nullptr);
    EXPECT_EQ(changes, 3);

    r.SetChecked(1, true);
    r.SetChecked(1, true);  // no change
    r.SetCaption(1, "A2");
    r.SetIcon(1, QIcon());
    r.SetChecked(42, true);  // unknown: ignored
    EXPECT_EQ(changed, (std::vector<int>{1, 1, 1}));
    EXPECT_TRUE(r.IsChecked(1));
    EXPECT_EQ(r.Find(1)->Caption, "A2");
}

// A picture taken right after a text grew is the window as the screen shows
// it once the event loop has run: the wrapped lines have their room.
TEST(Driver, PictureIsTheWindowAsLaidOutOnScreen) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(QStringLiteral("Short"));
    label->setWordWrap(true);
    layout->addWidget(label);
    layout->addWidget(new QPushButton(QStringLiteral("Configure Port I/O")));
    layout->addStretch(1);
    dialog.resize(300, 300);
    dialog.show();
    QApplication::processEvents();
    label->setText(QStringLiteral("P0.6 for XTAL1 is Digital and Not Skipped: NOT Configured "
                                  "Properly, and a good deal more, so that it wraps"));
    const QImage picture = driver::Picture(&dialog).toImage();
    QApplication::processEvents();
    EXPECT_TRUE(picture == dialog.grab().toImage());
    EXPECT_GE(label->height(), label->heightForWidth(label->width()));
}

TEST(ChildFrame, OwnsItsDocumentAndFollowsItsTitle) {
    auto doc = std::make_unique<BytesDoc>();
    doc->SetTitle("First");
    QPointer<CDocument> watch(doc.get());
    auto* view = new CView;
    auto* frame = new CChildFrame(std::move(doc), view);
    EXPECT_EQ(view->GetDocument(), frame->GetDocument());
    EXPECT_EQ(frame->windowTitle(), "First[*]");
    frame->GetDocument()->SetTitle("board.zvp");
    EXPECT_EQ(frame->windowTitle(), "board.zvp[*]");
    int closing = 0;
    QObject::connect(frame, &CChildFrame::frameClosing, [&](CChildFrame* f) {
        EXPECT_EQ(f, frame);
        ++closing;
    });
    delete frame;
    EXPECT_EQ(closing, 1);
    EXPECT_TRUE(watch.isNull());
}

}  // namespace
