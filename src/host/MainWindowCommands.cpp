// The shell's own commands, registered with the application's command
// registry: File New, Open, Save, Save As, Close, Print Setup, the recent
// files and Exit; Edit Undo and Redo; View Toolbar and Status Bar; the Window
// menu with its list of projects; Help About. A device module adds the
// commands of its projects beside them (Options, Peripherals, ...).

#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>

#include "framework/CApplication.h"
#include "framework/CChildFrame.h"
#include "framework/CCommandRegistry.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CommandIds.h"
#include "host/CMainWindow.h"
#include "host/CProblemsDock.h"
#include "host/CNewProjectDlg.h"
#include "model/Ui.h"

namespace {

constexpr const char* kProjectFilter = "Zorvant Files (*.zvp)|*.zvp|All Files (*.*)|*.*|";

// The popups of the shell; a module places its own between them.
constexpr int kFileMenu = 100, kEditMenu = 200, kViewMenu = 500, kWindowMenu = 600, kHelpMenu = 700;

// The ids the shell registers one by one (the two lists come as ranges).
constexpr int kHostIds[] = {
    fwcmd::FileNew,    fwcmd::FileOpen,       fwcmd::FileSave,       fwcmd::FileSaveAs,
    fwcmd::FileClose,  fwcmd::FilePrintSetup, fwcmd::AppExit,        fwcmd::EditUndo,
    fwcmd::EditRedo,   fwcmd::ViewToolbar,    fwcmd::ViewStatusBar,  fwcmd::ViewProblems,
    fwcmd::WindowCascade, fwcmd::WindowTile,  fwcmd::WindowNext,     fwcmd::WindowPrevious,
    fwcmd::AppAbout,
};

bool HasDocument(CDocument* doc) {
    return doc != nullptr;
}

}  // namespace

void CMainWindow::RegisterCommands() {
    CCommandRegistry& r = commands_;
    r.AddMenu("&File", kFileMenu);
    r.AddMenu("&Edit", kEditMenu);
    r.AddMenu("&View", kViewMenu);
    r.AddMenu("&Window", kWindowMenu);
    r.AddMenu("&Help", kHelpMenu);
    auto active = [this] { return active_ != nullptr; };
    auto document = [this] { return ActiveDocumentObject(); };
    auto undoStack = [this]() -> QUndoStack* {
        CDocument* doc = ActiveDocumentObject();
        return doc ? doc->UndoStack() : nullptr;
    };

    // File > New lists the models; Ctrl+N (and the command by its id) opens
    // the model picker instead.
    r.Add({.Id = fwcmd::FileNew,
           .Caption = "&New",
           .Menu = "&File",
           .Position = 101,
           .Shortcut = QKeySequence::New,
           .Run = [this] { OnFileNew(); },
           .Submenu = [this](QWidget* parent) { return CreateNewMenu(parent); },
           .ToolbarPosition = 101,
           .ToolbarIcon = QStyle::SP_FileIcon,
           .ToolTip = "New Project"});
    r.Add({.Id = fwcmd::FileOpen,
           .Caption = "&Open Project...",
           .Menu = "&File",
           .Position = 102,
           .Shortcut = QKeySequence::Open,
           .Run = [this] { OnFileOpen(); },
           .ToolbarPosition = 102,
           .ToolbarIcon = QStyle::SP_DialogOpenButton,
           .ToolTip = "Open Project"});
    r.Add({.Id = fwcmd::FileSave,
           .Caption = "&Save Project",
           .Menu = "&File",
           .Position = 103,
           .Shortcut = QKeySequence::Save,
           .Run = [document] { document()->OnFileSave(); },
           .Enabled = active,
           .Shown = HasDocument,
           .ToolbarPosition = 103,
           .ToolbarIcon = QStyle::SP_DialogSaveButton,
           .ToolTip = "Save Project"});
    r.Add({.Id = fwcmd::FileSaveAs,
           .Caption = "Save Project &As...",
           .Menu = "&File",
           .Position = 104,
           .Run = [document] { document()->OnFileSaveAs(); },
           .Enabled = active,
           .Shown = HasDocument});
    r.Add({.Id = fwcmd::FileClose,
           .Caption = "&Close Project",
           .Menu = "&File",
           .Position = 105,
           .Run = [this] { CloseProject(); },
           .Enabled = active,
           .Shown = HasDocument});
    r.Add({.Id = fwcmd::FilePrintSetup,
           .Caption = "&Print Setup...",
           .Menu = "&File",
           .Position = 302,
           .Run = [] { TheUi().PrintDialog(PrintDialogKind::PageSetup); }});
    r.Add(
        {.Id = fwcmd::AppExit, .Caption = "E&xit", .Menu = "&File", .Position = 501, .Run = [this] {
             close();
         }});

    r.Add({.Id = fwcmd::EditUndo,
           .Caption = "&Undo",
           .Menu = "&Edit",
           .Position = 101,
           .Shortcut = QKeySequence(Qt::CTRL | Qt::Key_Z),
           .Run = [undoStack] { undoStack()->undo(); },
           .Enabled = [undoStack] { return undoStack() && undoStack()->canUndo(); }});
    r.Add({.Id = fwcmd::EditRedo,
           .Caption = "&Redo",
           .Menu = "&Edit",
           .Position = 102,
           .Shortcut = QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
           .Run = [undoStack] { undoStack()->redo(); },
           .Enabled = [undoStack] { return undoStack() && undoStack()->canRedo(); }});

    r.Add({.Id = fwcmd::ViewToolbar,
           .Caption = "&Toolbar",
           .Menu = "&View",
           .Position = 101,
           .Run =
               [this] {
                   bar_->ToolBar()->setVisible(bar_->ToolBar()->isHidden());
                   UpdateCommandStates();
               },
           .Checkable = true,
           .Checked = true});
    r.Add({.Id = fwcmd::ViewStatusBar,
           .Caption = "&Status Bar",
           .Menu = "&View",
           .Position = 102,
           .Run =
               [this] {
                   statusBar()->setVisible(statusBar()->isHidden());
                   UpdateCommandStates();
               },
           .Checkable = true,
           .Checked = true});
    r.Add({.Id = fwcmd::ViewProblems,
           .Caption = "&Problems",
           .Menu = "&View",
           .Position = 201,
           .Run =
               [this] {
                   problems_->setVisible(problems_->isHidden());
                   if (!problems_->isHidden()) problems_->raise();
                   UpdateCommandStates();
               },
           .Checkable = true,
           .Scriptable = true});

    r.Add({.Id = fwcmd::WindowCascade,
           .Caption = "&Cascade",
           .Menu = "&Window",
           .Position = 101,
           .Run = [this] { mdi_->cascadeSubWindows(); },
           .Enabled = active});
    r.Add({.Id = fwcmd::WindowTile,
           .Caption = "&Tile",
           .Menu = "&Window",
           .Position = 102,
           .Run = [this] { mdi_->tileSubWindows(); },
           .Enabled = active});
    auto several = [this] { return FrameCount() > 1; };
    r.Add({.Id = fwcmd::WindowNext,
           .Caption = "Ne&xt",
           .Menu = "&Window",
           .Position = 103,
           .Shortcut = QKeySequence(Qt::CTRL | Qt::Key_F6),
           .Run = [this] { ActivateNeighbour(1); },
           .Enabled = several});
    r.Add({.Id = fwcmd::WindowPrevious,
           .Caption = "Pre&vious",
           .Menu = "&Window",
           .Position = 104,
           .Shortcut = QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6),
           .Run = [this] { ActivateNeighbour(-1); },
           .Enabled = several});

    r.Add({.Id = fwcmd::AppAbout,
           .Caption = "&About Zorvant...",
           .Menu = "&Help",
           .Position = 201,
           .Run = [this] { OnAppAbout(); },
           .ToolbarPosition = 301,
           .ToolbarIcon = QStyle::SP_MessageBoxInformation,
           .ToolTip = "About Zorvant"});

    UpdateRecentFiles();
    UpdateWindowList();
    connect(&app_, &CApplication::recentFilesChanged, this, &CMainWindow::UpdateRecentFiles);
    connect(&app_, &CApplication::templatesChanged, this, &CMainWindow::RebuildMenus);
}

void CMainWindow::UnregisterCommands() {
    // The entries call into this window.
    const QSignalBlocker quiet(&commands_);
    for (int id : kHostIds)
        commands_.Remove(id);
    commands_.ReplaceRange(fwcmd::FileMruFirst, fwcmd::FileMruLast, {});
    commands_.ReplaceRange(fwcmd::WindowFirst, fwcmd::WindowLast, {});
}

QMenu* CMainWindow::CreateNewMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    for (const auto& t : app_.DocTemplates()) {
        const std::string name = t->FileNewName();
        QAction* a = menu->addAction(QString::fromLatin1(name.c_str()));
        connect(a, &QAction::triggered, this, [this, name] { NewProject(name); });
    }
    return menu;
}

void CMainWindow::UpdateRecentFiles() {
    std::vector<CCommand> items;
    const QStringList& recent = app_.RecentFileList();
    for (int i = 0; i < recent.size() && fwcmd::FileMruFirst + i <= fwcmd::FileMruLast; ++i)
        items.push_back(
            {.Id = fwcmd::FileMruFirst + i,
             .Caption = QStringLiteral("&%1 %2").arg(i + 1).arg(recent[i]).toUtf8().toStdString(),
             .Menu = "&File",
             .Position = 401 + i,
             .Run = [this, i] { OpenRecentFile(i); }});
    // Without recent files the list's place shows greyed.
    if (items.empty())
        items.push_back({.Id = fwcmd::FileMruFirst,
                         .Caption = "Recent File",
                         .Menu = "&File",
                         .Position = 401,
                         .Run = [] {},
                         .Enabled = [] { return false; }});
    commands_.ReplaceRange(fwcmd::FileMruFirst, fwcmd::FileMruLast, std::move(items));
}

void CMainWindow::OpenRecentFile(int index) {
    if (index >= app_.RecentFileList().size()) return;
    const QString path = app_.RecentFileList()[index];
    if (!OpenProject(path.toLocal8Bit().toStdString()) && !QFileInfo::exists(path))
        app_.RemoveFromRecentFileList(path);
}

void CMainWindow::UpdateWindowList() {
    if (destroying_) return;
    const auto frames = Frames();
    std::vector<std::string> shown;
    std::vector<CCommand> items;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const int id = fwcmd::WindowFirst + static_cast<int>(i);
        if (id > fwcmd::WindowLast) break;
        CChildFrame* frame = frames[i];
        const std::string caption = "&" + std::to_string(i + 1) + " " +
                                    frame->GetDocument()->GetTitle() +
                                    (frame->GetDocument()->IsModified() ? "*" : "");
        shown.push_back(caption + (frame == active_ ? "|active" : ""));
        items.push_back({.Id = id,
                         .Caption = caption,
                         .Menu = "&Window",
                         .Position = 201 + static_cast<int>(i),
                         .Run = [this, frame] { ActivateFrame(frame); },
                         .Checkable = true,
                         .Checked = frame == active_});
    }
    if (shown == windowList_) return;
    windowList_ = shown;
    commands_.ReplaceRange(fwcmd::WindowFirst, fwcmd::WindowLast, std::move(items));
}

void CMainWindow::UpdateCommandStates() {
    // Undo and Redo name the step they would take back or do again.
    const CDocument* doc = ActiveDocumentObject();
    const QUndoStack* stack = doc ? doc->UndoStack() : nullptr;
    commands_.SetCaption(fwcmd::EditUndo,
                         stack && stack->canUndo()
                             ? "&Undo " + stack->undoText().toLatin1().toStdString()
                             : "&Undo");
    commands_.SetCaption(fwcmd::EditRedo,
                         stack && stack->canRedo()
                             ? "&Redo " + stack->redoText().toLatin1().toStdString()
                             : "&Redo");
    commands_.SetChecked(fwcmd::ViewToolbar, !bar_->ToolBar()->isHidden());
    commands_.SetChecked(fwcmd::ViewStatusBar, !statusBar()->isHidden());
    commands_.SetChecked(fwcmd::ViewProblems, !problems_->isHidden());
    bar_->UpdateStates();
}

void CMainWindow::OnFileNew() {
    std::vector<std::string> names;
    for (const auto& t : app_.DocTemplates())
        names.push_back(t->FileNewName());
    if (names.empty()) return;
    CNewProjectDlg dialog(names, this);
    if (!dialog.RunModal()) return;
    NewProject(dialog.SelectedName());
}

void CMainWindow::OnFileOpen() {
    FileDialogRequest request;
    request.Title = "Open Project";
    request.DefaultExtension = "zvp";
    request.Filter = kProjectFilter;
    request.PromptOverwrite = false;
    request.Directory = StartFolder(ActiveDocumentObject());
    const auto path = TheUi().OpenFileName(request);
    if (path) OpenProject(*path);
}

void CMainWindow::ActivateNeighbour(int step) {
    const auto frames = Frames();
    if (frames.size() < 2) return;
    const int count = static_cast<int>(frames.size());
    int index = 0;
    for (int i = 0; i < count; ++i)
        if (frames[static_cast<std::size_t>(i)] == active_) index = i;
    ActivateFrame(frames[static_cast<std::size_t>((index + step + count) % count)]);
}

void CMainWindow::OnAppAbout() {
    TheUi().Message(
        "Zorvant Q7R2x\nVersion 1.60\n\n"
        "Configuration wizard for the Q7R2x family of 8051-compatible microcontrollers.",
        MsgButtons::Ok, MsgIcon::Information, "About Zorvant");
}

void CMainWindow::CheckMenuItem(int id, bool checked) {
    commands_.SetChecked(id, checked);
}

bool CMainWindow::IsMenuItemChecked(int id) const {
    return commands_.IsChecked(id);
}

bool CMainWindow::OnCommand(int id) {
    const bool ran = commands_.Run(id);
    if (ran) UpdateCommandStates();
    return ran;
}
