#include "host/CMainWindow.h"

#include <algorithm>

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>

#include "devices/Models.h"
#include "framework/CApplication.h"
#include "framework/CChildFrame.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CRecovery.h"
#include "framework/CView.h"
#include "host/CProblemsDock.h"
#include "model/FileIo.h"
#include "model/Ui.h"

namespace {

constexpr const char* kProgramName = "Zorvant";
constexpr const char* kOpenError = "Error: Could Not Open File.";
constexpr const char* kNotAProject = "Error: This file is not a Q7R2x project file.";
constexpr const char* kNoTemplate = "Error: No device module handles this project's model.";

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
    : QMainWindow(parent), app_(app), commands_(app.Commands()), mdi_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("MainWindow"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    mdi_->viewport()->installEventFilter(this);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainWindow::OnSubWindowActivated);
    setAcceptDrops(true);

    bar_ = new CCommandBar(*this, commands_, [this] { return ActiveDocumentObject(); });
    connect(bar_, &CCommandBar::aboutToShowMenu, this, &CMainWindow::UpdateCommandStates);
    statusLabel_ = new QLabel(QStringLiteral("Ready"), this);
    statusBar()->addWidget(statusLabel_, 1);
    // The Problems view, docked below the projects until View > Problems
    // shows it; its count stands on the status bar and opens it too.
    problems_ = new CProblemsDock(commands_, this);
    addDockWidget(Qt::BottomDockWidgetArea, problems_);
    problems_->hide();
    problemsCount_ = new QToolButton(this);
    problemsCount_->setAutoRaise(true);
    problemsCount_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    problemsCount_->setToolTip(QStringLiteral("Show the project's problems (View > Problems)"));
    // As tall with a warning mark as without, so the status bar never moves.
    problemsCount_->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    problemsCount_->setText(CProblemsDock::CountText(0));
    problemsCount_->setFixedHeight(problemsCount_->sizeHint().height());
    problemsCount_->setText(QString());
    problemsCount_->setIcon(QIcon());
    problemsCount_->setEnabled(false);
    statusBar()->addPermanentWidget(problemsCount_);
    connect(problemsCount_, &QToolButton::clicked, this, [this] {
        problems_->show();
        problems_->raise();
        UpdateCommandStates();
    });
    connect(problems_, &CProblemsDock::problemsChanged, this, [this](int count) {
        const bool project = active_ != nullptr;
        problemsCount_->setText(project ? CProblemsDock::CountText(static_cast<std::size_t>(count))
                                        : QString());
        problemsCount_->setIcon(count ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
        problemsCount_->setEnabled(project);
    });
    connect(problems_, &QDockWidget::visibilityChanged, this, [this] {
        if (!destroying_) UpdateCommandStates();
    });
    const QScreen* screen = QGuiApplication::primaryScreen();
    resize(DefaultSize(screen ? screen->availableGeometry().size() : QSize(1280, 1024)));

    app_.SetMainFrame(this);
    RegisterCommands();
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
    UnregisterCommands();
    if (app_.GetMainFrame() == this) app_.SetMainFrame(nullptr);
}

QSize CMainWindow::DefaultSize(const QSize& available) {
    // The widest sheet (Port I/O with its pin table) and the tallest (the
    // UARTs) fit in this; the layout test keeps every sheet within it.
    const QSize wanted(kMainFrameDefaultWidth, kMainFrameDefaultHeight);
    return wanted.boundedTo(available * 0.95);
}

void CMainWindow::RebuildMenus() {
    UpdateWindowList();
    bar_->Rebuild();
    if (CView* view = GetActiveView()) view->OnActivateView(true);
    UpdateCommandStates();
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
    connect(doc, &CDocument::changed, this, changed);
    if (recovery_) recovery_->Watch(doc);
    mdi_->addSubWindow(frame);
    PlaceFrame(frame, maximized);
    view->OnInitialUpdate();
    ActivateFrame(frame);
    return frame;
}

bool CMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!destroying_ && watched == mdi_->viewport() && event->type() == QEvent::Resize)
        FitFramesToWorkspace();
    return QMainWindow::eventFilter(watched, event);
}

void CMainWindow::FitFramesToWorkspace() {
    const QRect area = mdi_->viewport()->rect();
    if (area.isEmpty()) return;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (window->isMaximized() || window->isMinimized() || window->isHidden()) continue;
        QRect g = window->geometry();
        g.setWidth(std::min(g.width(), area.width()));
        g.setHeight(std::min(g.height(), area.height()));
        g.moveLeft(std::clamp(g.left(), 0, area.width() - g.width()));
        g.moveTop(std::clamp(g.top(), 0, area.height() - g.height()));
        if (g != window->geometry()) window->setGeometry(g);
    }
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

std::unique_ptr<CDocument> CMainWindow::ReadProject(const std::string& path,
                                                   CDocTemplate*& docTemplate,
                                                   std::string* error) {
    auto fail = [&](const char* message) -> std::unique_ptr<CDocument> {
        if (message) TheUi().Error(message);
        if (error) *error = message ? message : "the project file was refused";
        return nullptr;
    };
    // The file's first byte, its DeviceCode, chooses the template. The read
    // is bounded and refuses FIFOs and devices, which would block or never end.
    std::string bytes;
    if (!fileio::ReadFileBounded(path, fileio::kProjectSizeLimit, bytes).empty())
        return fail(kOpenError);
    const char code = bytes.empty() ? 0 : bytes[0];
    if (!models::IsModelCode(static_cast<unsigned char>(code))) return fail(kNotAProject);
    docTemplate = app_.FindTemplate(models::NameOf(static_cast<unsigned char>(code)));
    if (!docTemplate) return fail(kNoTemplate);

    auto document = docTemplate->CreateNewDocument();
    // The document reports its own read errors.
    if (!document->OnOpenDocument(path)) return fail(nullptr);
    return document;
}

CChildFrame* CMainWindow::OpenProject(const std::string& path, std::string* error) {
    if (CChildFrame* open = FindFrameByPath(path)) {
        ActivateFrame(open);
        return open;
    }
    CDocTemplate* docTemplate = nullptr;
    auto document = ReadProject(path, docTemplate, error);
    if (!document) return nullptr;
    document->SetPathName(Absolute(path).toLocal8Bit().toStdString());
    CChildFrame* frame = AddFrame(*docTemplate, std::move(document));
    if (frame) SetStatusText("Opened " + FileNameOf(path).toLocal8Bit().toStdString());
    return frame;
}

CDocument* CMainWindow::OpenRecovered(const std::string& copy, const std::string& path,
                                      const std::string& title) {
    CDocTemplate* docTemplate = nullptr;
    auto document = ReadProject(copy, docTemplate, nullptr);
    if (!document) return nullptr;
    // Save writes where the project came from; one never saved keeps its
    // title, and later new ones count past it.
    if (!path.empty()) {
        document->SetPathName(path);
    } else if (title.empty()) {
        document->SetTitle(docTemplate->NextUntitledTitle());
    } else {
        document->SetTitle(title);
        docTemplate->TakeUntitledTitle(title);
    }
    document->MarkModified();
    CChildFrame* frame = AddFrame(*docTemplate, std::move(document));
    if (!frame) return nullptr;
    SetStatusText("Recovered " + frame->GetDocument()->GetTitle());
    return frame->GetDocument();
}

int CMainWindow::StartRecovery(const QString& folder) {
    if (recovery_) return 0;
    recovery_ = std::make_unique<CRecovery>(folder.isEmpty() ? CRecovery::DefaultFolder() : folder);
    for (CChildFrame* frame : Frames()) recovery_->Watch(frame->GetDocument());
    return recovery_->OfferEnded([this](const CRecovery::Copy& copy) {
        return OpenRecovered(copy.project, copy.path, copy.title);
    });
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
    FollowActiveProject();
}

void CMainWindow::FollowActiveProject() {
    problems_->SetDocument(ActiveDocumentObject());
}

std::string CMainWindow::ProblemsCountText() const {
    return problemsCount_->text().toStdString();
}

void CMainWindow::OnFrameClosing(CChildFrame* frame) {
    if (destroying_) return;
    // A maximized window takes the main window's modified mark with it as it
    // goes; once it has gone, the title is the active project's again.
    QMetaObject::invokeMethod(this, &CMainWindow::UpdateTitle, Qt::QueuedConnection);
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
        FollowActiveProject();
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
