#pragma once
// The desktop program's main window: an MDI area of project windows, a
// toolbar and a status bar. Its duties are split over three files:
//   CMainWindow.cpp          the project windows: creating, opening, placing,
//                            activating and closing them, title, drops;
//   MainWindowCommands.cpp   the shell's own commands (File New, Open, Save,
//                            Close, Print Setup, recent files, Exit, Edit,
//                            View, Window, About) in the command registry,
//                            whose entries the CCommandBar turns into the
//                            menu bar, toolbar and shortcuts;
//   MainWindowScripting.cpp  the programmatic operations below.
// The menu bar shows what the registry gives for the active project; with no
// project open that is the shell's own menus.
//
// Programmatic use (tests and `zorvant run`): every operation below acts as
// the matching menu command does, but without the file dialog. Messages
// still go through TheUi(), so a scripted UI service records them. Those
// returning std::string give "" on success, else what went wrong (for the
// caller's report; the user has already been told through the UI service
// where the command itself tells the user).
//
//   NewProject("Q7R22")          File > New > Q7R22
//   OpenProject(path)            File > Open Project... on `path`
//   SaveProjectAs(path)          Save Project As..., the chosen name being `path`
//   SaveSourceAs(path)           Save Source As..., likewise
//   ExportPdf(path)              Export PDF..., likewise
//   SetCodeFormat(0 | 1)         Options > Code Format > C | Asm
//   CloseProject()               File > Close Project (asks about unsaved changes;
//                                "" when the window closed)
//   Undo(), Redo()               Edit > Undo / Redo on the active project
//   FindCommand("Reset All") / FindCommand("43015")
//                                an item of the current menu bar, by caption
//                                without "&" or by command id, with its state
//   TriggerCommand(...)          chooses that item; returns once it has run
//                                (a dialog it opens runs through TheUi())
//   ActiveDocument()             the active project's CDeviceDocument*
//   ActiveFrame(), CodeText()    its window and its code window's text

#include <QMainWindow>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/CMainFrame.h"
#include "host/CCommandBar.h"

class CApplication;
class CChildFrame;
class CCommandRegistry;
class CDeviceDocument;
class CDocTemplate;
class CDocument;
class CProblemsDock;
class QToolButton;
class QDragEnterEvent;
class QDropEvent;
class QSize;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

class CMainWindow : public QMainWindow, public CMainFrame {
    Q_OBJECT
public:
    // Becomes `app`'s main frame; the templates are expected to be in place.
    explicit CMainWindow(CApplication& app, QWidget* parent = nullptr);
    ~CMainWindow() override;

    // CMainFrame
    CView* GetActiveView() const override;
    void CheckMenuItem(int id, bool checked) override;
    bool IsMenuItemChecked(int id) const override;
    QWidget* Window() override { return this; }
    bool IsOpenElsewhere(const std::string& path, const CDocument* doc) const override;

    // Projects. The two creators return the new window, or nullptr (with
    // `error` set when given).
    CChildFrame* NewProject(const std::string& model, std::string* error = nullptr);
    CChildFrame* OpenProject(const std::string& path, std::string* error = nullptr);
    std::string SaveProjectAs(const std::string& path);
    std::string SaveSourceAs(const std::string& path);
    std::string ExportPdf(const std::string& path);
    std::string SetCodeFormat(int format);
    std::string CloseProject();
    std::string Undo();
    std::string Redo();
    // Whether the active project has unsaved changes.
    bool IsActiveModified() const;

    // The menu bar.
    std::optional<MenuCommandState> FindCommand(const std::string& captionOrId) const;
    std::string TriggerCommand(const std::string& captionOrId);
    // Runs command `id` as a menu choice does; false when there is no such
    // command or it is disabled.
    bool OnCommand(int id);

    // The active project.
    CChildFrame* ActiveFrame() const { return active_; }
    CDocument* ActiveDocumentObject() const;
    CDeviceDocument* ActiveDocument() const;
    std::string CodeText() const;
    int FrameCount() const;
    // Makes `frame` the active project window.
    void ActivateFrame(CChildFrame* frame);

    // The project windows, in the order of the Window menu's list.
    std::vector<CChildFrame*> Frames() const;
    QMdiArea* MdiArea() const { return mdi_; }
    // View > Problems, and its count on the status bar.
    CProblemsDock* ProblemsDock() const { return problems_; }
    std::string ProblemsCountText() const;
    // Replaces the status bar's text.
    void SetStatusText(const std::string& text) override;
    std::string StatusText() const;

    // The size a main window opens with when none is remembered: room for
    // the largest sheet, within `available` (the screen's free area).
    static QSize DefaultSize(const QSize& available);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // MainWindowCommands.cpp
    void RegisterCommands();
    void UnregisterCommands();
    void OnFileNew();
    void OnFileOpen();
    void OnAppAbout();
    void OpenRecentFile(int index);
    void ActivateNeighbour(int step);
    QMenu* CreateNewMenu(QWidget* parent);
    // The recent-file and window lists as commands, when they changed.
    void UpdateRecentFiles();
    void UpdateWindowList();
    // Enabled states, the Undo and Redo captions, the Toolbar and Status Bar marks.
    void UpdateCommandStates();

    // CMainWindow.cpp
    void PlaceFrame(CChildFrame* frame, bool maximized);
    // Moves and, where it must, shrinks every normal project window so that it
    // lies inside the workspace (after a dock or the window took room from it).
    void FitFramesToWorkspace();
    void OnFrameClosing(CChildFrame* frame);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void SetActiveFrame(CChildFrame* frame);
    CChildFrame* AddFrame(CDocTemplate& docTemplate, std::unique_ptr<CDocument> document);
    CChildFrame* FindFrameByPath(const std::string& path) const;
    void UpdateTitle();
    // The menu bar for the active project; the view sets its check marks.
    void RebuildMenus();
    // The Problems view and its count follow the active project.
    void FollowActiveProject();

    CApplication& app_;
    CCommandRegistry& commands_;
    QMdiArea* mdi_;
    CCommandBar* bar_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    CProblemsDock* problems_ = nullptr;
    QToolButton* problemsCount_ = nullptr;
    CChildFrame* active_ = nullptr;
    bool destroying_ = false;
    std::vector<std::string> windowList_;  // captions of the Window menu's list
};
