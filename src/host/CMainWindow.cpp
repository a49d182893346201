#include "host/CMainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>

#include "devices/Models.h"
#include "framework/CApplication.h"
#include "framework/CChildFrame.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CView.h"
#include "framework/CommandIds.h"
#include "host/CNewProjectDlg.h"
#include "model/FileIo.h"
#include "model/Ui.h"
#include "view/ViewCommands.h"

namespace {

constexpr const char* kProgramName = "Zorvant";
constexpr const char* kOpenError = "Error: Could Not Open File.";
constexpr const char* kNotAProject = "Error: This file is not a Q7R2x project file.";
constexpr const char* kNoTemplate = "Error: No device module handles this project's model.";
constexpr const char* kProjectFilter = "Zorvant Files (*.zvp)|*.zvp|All Files (*.*)|*.*|";

bool IsRecentFileId(int id) {
    return id >= fwcmd::FileMruFirst && id <= fwcmd::FileMruLast;
}

bool IsWindowListId(int id) {
    return id >= fwcmd::WindowFirst && id <= fwcmd::WindowLast;
}

// Project files among dropped URLs.
QStringList DroppedProjects(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() &&
            url.toLocalFile().endsWith(QLatin1String(".zvp"), Qt::CaseInsensitive))
            paths << url.toLocalFile();
    return paths;
}

QString FileNameOf(const std::string& path) {
    return QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName();
}

QString Absolute(const std::string& path) {
    return QDir::cleanPath(QFileInfo(QString::fromLocal8Bit(path.c_str())).absoluteFilePath());
}

}  // namespace

CMainWindow::CMainWindow(CApplication& app, QWidget* parent)
    : QMainWindow(parent), app_(app), mdi_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("MainWindow"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainWindow::OnSubWindowActivated);
    connect(&app_, &CApplication::recentFilesChanged, this, &CMainWindow::RebuildMenus);
    connect(&app_, &CApplication::templatesChanged, this, &CMainWindow::RebuildMenus);

    setAcceptDrops(true);

    BuildToolBar();
    statusLabel_ = new QLabel(QStringLiteral("Ready"), this);
    statusBar()->addWidget(statusLabel_, 1);
    const QScreen* screen = QGuiApplication::primaryScreen();
    resize(DefaultSize(screen ? screen->availableGeometry().size() : QSize(1280, 1024)));

    // Keyboard commands that have no menu item of their own: Ctrl+N opens the
    // model picker (File > New itself lists the models), F1 the help.
    auto* newShortcut = new QAction(QStringLiteral("New Project"), this);
    newShortcut->setShortcut(QKeySequence::New);
    connect(newShortcut, &QAction::triggered, this, [this] { OnFileNew(); });
    addAction(newShortcut);
    auto* helpShortcut = new QAction(QStringLiteral("Help"), this);
    helpShortcut->setShortcut(QKeySequence::HelpContents);
    connect(helpShortcut, &QAction::triggered, this, [this] { OnHelp(); });
    addAction(helpShortcut);

    app_.SetMainFrame(this);
    RebuildMenus();
    UpdateTitle();
}

CMainWindow::~CMainWindow() {
    // Frames go first, while the application still names this window; the
    // menus need not follow them any more.
    destroying_ = true;
    active_ = nullptr;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        delete w;
    if (app_.GetMainFrame() == this) app_.SetMainFrame(nullptr);
}

CMenuBar CMainWindow::HostMenu() {
    using M = CMenuItem;
    M recent = M::Command("Recent File", fwcmd::FileMruFirst);
    recent.Grayed = true;
    return {
        M::Popup("&File", {M::Command("&New", fwcmd::FileNew),
                           M::Command("&Open Project...", fwcmd::FileOpen), M::Separate(),
                           M::Command("&Print Setup...", fwcmd::FilePrintSetup), M::Separate(),
                           recent, M::Separate(), M::Command("E&xit", fwcmd::AppExit)}),
        M::Popup("&View", {M::Command("&Toolbar", fwcmd::ViewToolbar),
                           M::Command("&Status Bar", fwcmd::ViewStatusBar)}),
        M::Popup("&Help", {M::Command("&About Zorvant...", fwcmd::AppAbout)}),
    };
}

CMenuItem CMainWindow::EditMenu() {
    using M = CMenuItem;
    return M::Popup("&Edit",
                    {M::Command("&Undo", fwcmd::EditUndo), M::Command("&Redo", fwcmd::EditRedo)});
}

CMenuItem CMainWindow::WindowMenu() {
    using M = CMenuItem;
    return M::Popup(
        "&Window",
        {M::Command("&Cascade", fwcmd::WindowCascade), M::Command("&Tile", fwcmd::WindowTile),
         M::Command("Ne&xt", fwcmd::WindowNext), M::Command("Pre&vious", fwcmd::WindowPrevious)});
}

QSize CMainWindow::DefaultSize(const QSize& available) {
    // The widest sheet (Port I/O with its pin table) and the tallest (the
    // UARTs) fit in this; the layout test keeps every sheet within it.
    const QSize wanted(kMainFrameDefaultWidth, kMainFrameDefaultHeight);
    return wanted.boundedTo(available * 0.95);
}

// ---- menus and toolbar ------------------------------------------------------

QMenu* CMainWindow::CreateNewMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    for (const auto& t : app_.DocTemplates()) {
        const std::string name = t->FileNewName();
        QAction* a = menu->addAction(QString::fromLatin1(name.c_str()));
        connect(a, &QAction::triggered, this, [this, name] { NewProject(name); });
    }
    return menu;
}

void CMainWindow::AddMenuItems(QMenu* menu, const std::vector<CMenuItem>& items) {
    for (const auto& item : items) {
        if (item.Separator) {
            menu->addSeparator();
            continue;
        }
        if (item.IsPopup()) {
            AddMenuItems(menu->addMenu(QString::fromLatin1(item.Caption.c_str())), item.Items);
            continue;
        }
        if (item.Id == fwcmd::FileMruFirst && !app_.RecentFileList().isEmpty()) {
            // The recent-file list takes the place of its placeholder.
            const QStringList& recent = app_.RecentFileList();
            for (int i = 0; i < recent.size() && fwcmd::FileMruFirst + i <= fwcmd::FileMruLast;
                 ++i) {
                const int id = fwcmd::FileMruFirst + i;
                QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(recent[i]));
                a->setData(id);
                connect(a, &QAction::triggered, this, [this, id] { OnCommand(id); });
                actions_[id] = a;
            }
            continue;
        }
        QAction* a = menu->addAction(QString::fromLatin1(item.Caption.c_str()));
        a->setData(item.Id);
        if (item.Checked) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        if (item.Grayed) grayed_[item.Id] = true;
        if (item.Id == fwcmd::FileNew) {
            // The models as a submenu; Ctrl+N (a window action) opens the picker.
            a->setMenu(CreateNewMenu(menu));
        } else {
            if (item.Id == fwcmd::FileOpen) a->setShortcut(QKeySequence::Open);
            if (item.Id == fwcmd::FileSave) a->setShortcut(QKeySequence::Save);
            if (item.Id == fwcmd::FilePrint) a->setShortcut(QKeySequence::Print);
            if (item.Id == fwcmd::EditUndo) a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
            if (item.Id == fwcmd::EditRedo)
                a->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
            if (item.Id == fwcmd::WindowNext) a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F6));
            if (item.Id == fwcmd::WindowPrevious)
                a->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6));
            const int id = item.Id;
            connect(a, &QAction::triggered, this, [this, id] { OnCommand(id); });
        }
        if (item.Id == fwcmd::ViewToolbar || item.Id == fwcmd::ViewStatusBar) {
            a->setCheckable(true);
            a->setChecked(item.Id == fwcmd::ViewToolbar ? !toolbar_->isHidden()
                                                        : !statusBar()->isHidden());
        }
        actions_[item.Id] = a;
    }
}

void CMainWindow::RebuildMenus() {
    // The old popups may be running the command that caused this; they go
    // once control is back in the event loop.
    for (QMenu* menu : menus_)
        menu->deleteLater();
    menus_.clear();
    menuBar()->clear();
    actions_.clear();
    grayed_.clear();
    windowMenu_ = nullptr;
    windowItems_.clear();

    const CMenuBar templateBar = active_ && active_->GetDocument()->GetDocTemplate()
                                     ? active_->GetDocument()->GetDocTemplate()->Menu()
                                     : HostMenu();
    // The window's own menus join the template's: Edit after File, Window before Help.
    CMenuBar bar;
    for (const auto& popup : templateBar) {
        if (StripMnemonic(popup.Caption) == "Help") bar.push_back(WindowMenu());
        bar.push_back(popup);
        if (StripMnemonic(popup.Caption) == "File") bar.push_back(EditMenu());
    }
    for (const auto& popup : bar) {
        auto* menu = new QMenu(QString::fromLatin1(popup.Caption.c_str()), menuBar());
        AddMenuItems(menu, popup.Items);
        connect(menu, &QMenu::aboutToShow, this, &CMainWindow::UpdateCommandStates);
        menuBar()->addMenu(menu);
        menus_.push_back(menu);
        if (StripMnemonic(popup.Caption) == "Window") {
            windowMenu_ = menu;
            menu->addSeparator();
        }
    }
    UpdateWindowList();
    if (CView* view = GetActiveView()) view->OnActivateView(true);
    UpdateCommandStates();
}

void CMainWindow::UpdateWindowList() {
    for (QAction* a : windowItems_) {
        actions_.erase(a->data().toInt());
        a->deleteLater();
        if (windowMenu_) windowMenu_->removeAction(a);
    }
    windowItems_.clear();
    if (!windowMenu_) return;
    const auto frames = Frames();
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const int id = fwcmd::WindowFirst + static_cast<int>(i);
        if (id > fwcmd::WindowLast) break;
        CChildFrame* frame = frames[i];
        const QString title = QString::fromLocal8Bit(frame->GetDocument()->GetTitle().c_str());
        QAction* a = windowMenu_->addAction(
            QStringLiteral("&%1 %2%3")
                .arg(i + 1)
                .arg(title, frame->GetDocument()->IsModified() ? QStringLiteral("*") : QString()));
        a->setData(id);
        a->setCheckable(true);
        a->setChecked(frame == active_);
        connect(a, &QAction::triggered, this, [this, id] { OnCommand(id); });
        actions_[id] = a;
        windowItems_.push_back(a);
    }
}

void CMainWindow::BuildToolBar() {
    toolbar_ = addToolBar(QStringLiteral("Standard"));
    toolbar_->setObjectName(QStringLiteral("Standard"));
    toolbar_->setMovable(false);
    QStyle* s = style();
    auto add = [&](int id, QStyle::StandardPixmap icon, const char* tip) {
        QAction* a = toolbar_->addAction(s->standardIcon(icon), QString::fromLatin1(tip));
        a->setData(id);
        if (id == fwcmd::FileNew) {
            a->setMenu(CreateNewMenu(toolbar_));
            connect(&app_, &CApplication::templatesChanged, a, [this, a] {
                a->menu()->deleteLater();
                a->setMenu(CreateNewMenu(toolbar_));
            });
            if (auto* button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(a)))
                button->setPopupMode(QToolButton::InstantPopup);
        } else {
            connect(a, &QAction::triggered, this, [this, id] { OnCommand(id); });
        }
        toolActions_[id] = a;
    };
    add(fwcmd::FileNew, QStyle::SP_FileIcon, "New Project");
    add(fwcmd::FileOpen, QStyle::SP_DialogOpenButton, "Open Project");
    add(fwcmd::FileSave, QStyle::SP_DialogSaveButton, "Save Project");
    toolbar_->addSeparator();
    add(viewcmd::SaveSource, QStyle::SP_FileDialogDetailedView, "Save Source As");
    add(fwcmd::FilePrint, QStyle::SP_ComputerIcon, "Print");
    toolbar_->addSeparator();
    add(fwcmd::AppAbout, QStyle::SP_MessageBoxInformation, "About Zorvant");
}

bool CMainWindow::IsCommandEnabled(int id) const {
    if (grayed_.count(id)) return false;
    CCmdUI ui;
    ui.Id = id;
    if (CView* view = GetActiveView()) {
        view->OnUpdateCommand(ui);
        if (!ui.Handled && view->GetDocument()) view->GetDocument()->OnUpdateCommand(ui);
        if (ui.Handled) return ui.Enabled;
    }
    switch (id) {
        case fwcmd::FileNew:
        case fwcmd::FileOpen:
        case fwcmd::FilePrintSetup:
        case fwcmd::AppExit:
        case fwcmd::AppAbout:
        case fwcmd::ViewToolbar:
        case fwcmd::ViewStatusBar:
            return true;
        case fwcmd::FileClose:
        case fwcmd::WindowCascade:
        case fwcmd::WindowTile:
            return active_ != nullptr;
        case fwcmd::WindowNext:
        case fwcmd::WindowPrevious:
            return FrameCount() > 1;
        case fwcmd::EditUndo:
        case fwcmd::EditRedo:
            return false;
        default:
            if (IsWindowListId(id)) return true;
            return IsRecentFileId(id) && id - fwcmd::FileMruFirst < app_.RecentFileList().size();
    }
}

void CMainWindow::UpdateCommandStates() {
    // Undo and Redo name the step they would take back or do again.
    const QUndoStack* stack = active_ ? active_->GetDocument()->UndoStack() : nullptr;
    if (auto it = actions_.find(fwcmd::EditUndo); it != actions_.end())
        it->second->setText(stack && stack->canUndo() ? QStringLiteral("&Undo ") + stack->undoText()
                                                      : QStringLiteral("&Undo"));
    if (auto it = actions_.find(fwcmd::EditRedo); it != actions_.end())
        it->second->setText(stack && stack->canRedo() ? QStringLiteral("&Redo ") + stack->redoText()
                                                      : QStringLiteral("&Redo"));
    for (auto& [id, action] : actions_)
        if (!action->menu()) action->setEnabled(IsCommandEnabled(id));
    for (auto& [id, action] : toolActions_)
        if (!action->menu()) action->setEnabled(IsCommandEnabled(id));
    if (auto it = actions_.find(fwcmd::ViewToolbar); it != actions_.end())
        it->second->setChecked(!toolbar_->isHidden());
    if (auto it = actions_.find(fwcmd::ViewStatusBar); it != actions_.end())
        it->second->setChecked(!statusBar()->isHidden());
}

void CMainWindow::CheckMenuItem(int id, bool checked) {
    auto it = actions_.find(id);
    if (it == actions_.end()) return;
    it->second->setCheckable(true);
    it->second->setChecked(checked);
}

bool CMainWindow::IsMenuItemChecked(int id) const {
    auto it = actions_.find(id);
    return it != actions_.end() && it->second->isChecked();
}

std::optional<MenuCommandState> CMainWindow::FindCommand(const std::string& captionOrId) const {
    const QString key = QString::fromLatin1(captionOrId.c_str());
    bool isNumber = false;
    const int number = key.toInt(&isNumber);
    for (const auto& [id, action] : actions_) {
        const std::string caption = StripMnemonic(action->text().toLatin1().toStdString());
        if ((isNumber && id == number) || (!isNumber && caption == captionOrId)) {
            MenuCommandState state;
            state.Id = id;
            state.Caption = caption;
            state.Enabled = IsCommandEnabled(id);
            state.Checked = action->isChecked();
            return state;
        }
    }
    return std::nullopt;
}

std::string CMainWindow::TriggerCommand(const std::string& captionOrId) {
    const auto state = FindCommand(captionOrId);
    if (!state) return "no menu item " + captionOrId;
    if (!state->Enabled) return "menu item " + captionOrId + " is disabled";
    QAction* action = actions_.at(state->Id);
    if (action->menu()) {
        OnCommand(state->Id);
    } else {
        action->trigger();
    }
    return {};
}

// ---- command routing --------------------------------------------------------

bool CMainWindow::OnCommand(int id) {
    if (grayed_.count(id)) return false;
    if (CView* view = GetActiveView()) {
        if (view->OnCommand(id)) return true;
        if (view->GetDocument() && view->GetDocument()->OnCommand(id)) return true;
    }
    switch (id) {
        case fwcmd::FileNew:
            OnFileNew();
            return true;
        case fwcmd::FileOpen:
            OnFileOpen();
            return true;
        case fwcmd::FileClose:
            CloseProject();
            return true;
        case fwcmd::FilePrintSetup:
            TheUi().PrintDialog(PrintDialogKind::PageSetup);
            return true;
        case fwcmd::AppExit:
            close();
            return true;
        case fwcmd::AppAbout:
            OnAppAbout();
            return true;
        case fwcmd::WindowCascade:
            mdi_->cascadeSubWindows();
            return true;
        case fwcmd::WindowTile:
            mdi_->tileSubWindows();
            return true;
        case fwcmd::WindowNext:
            ActivateNeighbour(1);
            return true;
        case fwcmd::WindowPrevious:
            ActivateNeighbour(-1);
            return true;
        case fwcmd::ViewToolbar:
            toolbar_->setVisible(toolbar_->isHidden());
            UpdateCommandStates();
            return true;
        case fwcmd::ViewStatusBar:
            statusBar()->setVisible(statusBar()->isHidden());
            UpdateCommandStates();
            return true;
        default:
            break;
    }
    if (IsWindowListId(id)) {
        const auto frames = Frames();
        const std::size_t index = static_cast<std::size_t>(id - fwcmd::WindowFirst);
        if (index >= frames.size()) return false;
        ActivateFrame(frames[index]);
        return true;
    }
    if (IsRecentFileId(id)) {
        const int index = id - fwcmd::FileMruFirst;
        if (index >= app_.RecentFileList().size()) return false;
        const QString path = app_.RecentFileList()[index];
        if (!OpenProject(path.toLocal8Bit().toStdString()) && !QFileInfo::exists(path))
            app_.RemoveFromRecentFileList(path);
        return true;
    }
    return false;
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

void CMainWindow::OnHelp() {
    // The project's Help command when one is open, else the user guide.
    if (active_ && OnCommand(viewcmd::Help)) return;
    SetStatusText(ShowUserGuide());
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

// ---- projects ---------------------------------------------------------------

CChildFrame* CMainWindow::AddFrame(CDocTemplate& docTemplate, std::unique_ptr<CDocument> document) {
    CView* view = docTemplate.CreateView();
    if (!view) return nullptr;
    const bool maximized = active_ && active_->isMaximized();
    auto* frame = new CChildFrame(std::move(document), view);
    connect(frame, &CChildFrame::frameClosing, this, &CMainWindow::OnFrameClosing);
    CDocument* doc = frame->GetDocument();
    auto changed = [this] {
        UpdateTitle();
        UpdateWindowList();
        UpdateCommandStates();
    };
    connect(doc, &CDocument::titleChanged, this, changed);
    connect(doc, &CDocument::modifiedChanged, this, changed);
    connect(doc->UndoStack(), &QUndoStack::indexChanged, this, changed);
    mdi_->addSubWindow(frame);
    PlaceFrame(frame, maximized);
    view->OnInitialUpdate();
    ActivateFrame(frame);
    return frame;
}

void CMainWindow::PlaceFrame(CChildFrame* frame, bool maximized) {
    if (maximized) {
        frame->showMaximized();
        return;
    }
    // Each new window a step down and right of the last, starting again at
    // the top left before it would leave the visible workspace.
    const QSize area = mdi_->viewport()->size().isEmpty() ? mdi_->size() : mdi_->viewport()->size();
    const QSize size(std::max(200, area.width() * 4 / 5), std::max(150, area.height() * 4 / 5));
    constexpr int kStep = 26;
    const int room = std::min(area.width() - size.width(), area.height() - size.height());
    const int steps = std::max(1, room / kStep + 1);
    const int index = (FrameCount() - 1) % steps;
    frame->resize(size);
    frame->move(index * kStep, index * kStep);
    frame->show();
}

CChildFrame* CMainWindow::NewProject(const std::string& model, std::string* error) {
    const auto number = models::ModelFromName(model);
    CDocTemplate* docTemplate =
        number ? app_.FindTemplate(models::NameOf(models::CodeOf(*number))) : nullptr;
    if (!docTemplate) {
        if (error) *error = "unknown model " + model;
        return nullptr;
    }
    auto document = docTemplate->CreateNewDocument();
    document->SetTitle(docTemplate->NextUntitledTitle());
    if (!document->OnNewDocument()) {
        if (error) *error = "the new project could not be set up";
        return nullptr;
    }
    return AddFrame(*docTemplate, std::move(document));
}

CChildFrame* CMainWindow::FindFrameByPath(const std::string& path) const {
    const QString wanted = Absolute(path);
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        auto* frame = qobject_cast<CChildFrame*>(w);
        if (frame && !frame->GetDocument()->GetPathName().empty() &&
            Absolute(frame->GetDocument()->GetPathName()) == wanted)
            return frame;
    }
    return nullptr;
}

bool CMainWindow::IsOpenElsewhere(const std::string& path, const CDocument* doc) const {
    const CChildFrame* frame = FindFrameByPath(path);
    return frame && frame->GetDocument() != doc;
}

CChildFrame* CMainWindow::OpenProject(const std::string& path, std::string* error) {
    auto fail = [&](const char* message) -> CChildFrame* {
        if (message) TheUi().Error(message);
        if (error) *error = message ? message : "the project file was refused";
        return nullptr;
    };
    if (CChildFrame* open = FindFrameByPath(path)) {
        ActivateFrame(open);
        return open;
    }
    // The file's first byte, its DeviceCode, chooses the template. The read
    // is bounded and refuses FIFOs and devices, which would block or never end.
    std::string bytes;
    if (!fileio::ReadFileBounded(path, fileio::kProjectSizeLimit, bytes).empty())
        return fail(kOpenError);
    const char code = bytes.empty() ? 0 : bytes[0];
    if (!models::IsModelCode(static_cast<unsigned char>(code))) return fail(kNotAProject);
    CDocTemplate* docTemplate = app_.FindTemplate(models::NameOf(static_cast<unsigned char>(code)));
    if (!docTemplate) return fail(kNoTemplate);

    auto document = docTemplate->CreateNewDocument();
    // The document reports its own read errors.
    if (!document->OnOpenDocument(path)) return fail(nullptr);
    document->SetPathName(Absolute(path).toLocal8Bit().toStdString());
    CChildFrame* frame = AddFrame(*docTemplate, std::move(document));
    if (frame) SetStatusText("Opened " + FileNameOf(path).toLocal8Bit().toStdString());
    return frame;
}

std::string CMainWindow::SaveProjectAs(const std::string& path) {
    CDocument* doc = ActiveDocumentObject();
    if (!doc) return "no project is open";
    return doc->SaveAs(path) ? std::string() : doc->SaveError();
}

std::string CMainWindow::SaveSourceAs(const std::string& path) {
    CView* view = GetActiveView();
    if (!view) return "no project is open";
    return view->SaveSourceAs(path) ? std::string() : view->WriteError();
}

std::string CMainWindow::ExportPdf(const std::string& path) {
    CView* view = GetActiveView();
    if (!view) return "no project is open";
    return view->ExportPdf(path) ? std::string() : view->WriteError();
}

std::string CMainWindow::SetCodeFormat(int format) {
    CView* view = GetActiveView();
    if (!view) return "no project is open";
    if (format != 0 && format != 1) return "unknown code format";
    view->OnCommand(format == 0 ? viewcmd::CodeFormatC : viewcmd::CodeFormatAsm);
    return {};
}

std::string CMainWindow::CloseProject() {
    if (!active_) return "no project is open";
    return active_->close() ? std::string() : "the project was not closed";
}

std::string CMainWindow::Undo() {
    CDocument* doc = ActiveDocumentObject();
    if (!doc) return "no project is open";
    if (!doc->UndoStack()->canUndo()) return "nothing to undo";
    const std::string what = doc->UndoStack()->undoText().toLatin1().toStdString();
    OnCommand(fwcmd::EditUndo);
    SetStatusText("Undone: " + what);
    return {};
}

std::string CMainWindow::Redo() {
    CDocument* doc = ActiveDocumentObject();
    if (!doc) return "no project is open";
    if (!doc->UndoStack()->canRedo()) return "nothing to redo";
    const std::string what = doc->UndoStack()->redoText().toLatin1().toStdString();
    OnCommand(fwcmd::EditRedo);
    SetStatusText("Redone: " + what);
    return {};
}

bool CMainWindow::IsActiveModified() const {
    const CDocument* doc = ActiveDocumentObject();
    return doc && doc->IsModified();
}

void CMainWindow::SetStatusText(const std::string& text) {
    statusLabel_->setText(QString::fromLocal8Bit(text.c_str()));
}

std::string CMainWindow::StatusText() const {
    return statusLabel_->text().toLocal8Bit().toStdString();
}

// ---- activation -------------------------------------------------------------

CView* CMainWindow::GetActiveView() const {
    return active_ ? active_->GetActiveView() : nullptr;
}

CDocument* CMainWindow::ActiveDocumentObject() const {
    return active_ ? active_->GetDocument() : nullptr;
}

CDeviceDocument* CMainWindow::ActiveDocument() const {
    CDocument* doc = ActiveDocumentObject();
    return doc ? doc->DeviceDocument() : nullptr;
}

std::string CMainWindow::CodeText() const {
    CView* view = GetActiveView();
    return view ? view->GetText() : std::string();
}

int CMainWindow::FrameCount() const {
    return static_cast<int>(Frames().size());
}

std::vector<CChildFrame*> CMainWindow::Frames() const {
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        auto* frame = qobject_cast<CChildFrame*>(w);
        if (frame && !frame->IsClosing()) frames.push_back(frame);
    }
    return frames;
}

void CMainWindow::ActivateFrame(CChildFrame* frame) {
    mdi_->setActiveSubWindow(frame);
    // Without a focused top-level window the MDI area may not report the
    // activation; the window keeps track of it itself.
    SetActiveFrame(frame);
}

void CMainWindow::OnSubWindowActivated(QMdiSubWindow* window) {
    if (auto* frame = qobject_cast<CChildFrame*>(window)) SetActiveFrame(frame);
}

void CMainWindow::SetActiveFrame(CChildFrame* frame) {
    if (frame == active_) return;
    if (CView* old = GetActiveView()) old->OnActivateView(false);
    active_ = frame;
    RebuildMenus();  // also tells the new view it is active
    UpdateTitle();
}

void CMainWindow::OnFrameClosing(CChildFrame* frame) {
    if (destroying_) return;
    if (frame != active_) {
        UpdateWindowList();
        return;
    }
    CChildFrame* next = nullptr;
    const auto history = mdi_->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = history.rbegin(); it != history.rend(); ++it) {
        auto* candidate = qobject_cast<CChildFrame*>(*it);
        if (candidate && candidate != frame && !candidate->IsClosing()) {
            next = candidate;
            break;
        }
    }
    active_ = nullptr;
    SetActiveFrame(next);
    if (!next) {
        RebuildMenus();
        UpdateTitle();
    }
    UpdateWindowList();
}

void CMainWindow::UpdateTitle() {
    const CDocument* doc = ActiveDocumentObject();
    if (!doc) {
        setWindowModified(false);
        setWindowTitle(kProgramName);
        return;
    }
    // "[*]" is where the platform shows the modified mark.
    setWindowTitle(QStringLiteral("%1 - [%2[*]]")
                       .arg(kProgramName, QString::fromLocal8Bit(doc->GetTitle().c_str())));
    setWindowModified(doc->IsModified());
}

void CMainWindow::closeEvent(QCloseEvent* event) {
    // Each project with unsaved changes asks; Cancel (or a failed save)
    // keeps that project and the program open.
    for (CChildFrame* frame : Frames()) {
        ActivateFrame(frame);
        if (!frame->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void CMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedProjects(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainWindow::dropEvent(QDropEvent* event) {
    const QStringList paths = DroppedProjects(event->mimeData());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    for (const QString& path : paths)
        OpenProject(path.toLocal8Bit().toStdString());
}
