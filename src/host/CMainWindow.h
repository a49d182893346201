#pragma once
// The desktop program's main window: an MDI area of project windows, a
// toolbar and a status bar. The menu bar is the active project's template
// menu; with no project open it is a small menu of the shell's own (File
// New, Open Project, Print Setup, recent files, Exit; View; Help About).
//
// Menu commands are routed to the active view, then to its document, then to
// the window itself (New, Open Project, Close Project, Print Setup, recent
// files, Exit, Toolbar, Status Bar, About).
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
#include "framework/CMenu.h"

class CApplication;
class CChildFrame;
class CDeviceDocument;
class CDocTemplate;
class CDocument;
class QAction;
class QDragEnterEvent;
class QDropEvent;
class QSize;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

// One item of the menu bar as it stands.
struct MenuCommandState {
    int Id = 0;
    std::string Caption;  // without "&"
    bool Enabled = false;
    bool Checked = false;
};

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
    // Routes command `id` as a menu choice does; false when nobody handles it.
    bool OnCommand(int id);
    // Whether command `id` is enabled now, as its menu item shows it.
    bool IsCommandEnabled(int id) const;

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
    // Replaces the status bar's text.
    void SetStatusText(const std::string& text) override;
    std::string StatusText() const;

    // The menu shown while no project is open.
    static CMenuBar HostMenu();
    // What the window adds to every menu bar: Edit after File, Window before Help.
    static CMenuItem EditMenu();
    static CMenuItem WindowMenu();
    // The size a main window opens with when none is remembered: room for
    // the largest sheet, within `available` (the screen's free area).
    static QSize DefaultSize(const QSize& available);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void OnFileNew();
    void OnFileOpen();
    void OnAppAbout();
    void OnHelp();
    void PlaceFrame(CChildFrame* frame, bool maximized);
    void UpdateWindowList();
    void ActivateNeighbour(int step);
    void OnFrameClosing(CChildFrame* frame);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void SetActiveFrame(CChildFrame* frame);
    CChildFrame* AddFrame(CDocTemplate& docTemplate, std::unique_ptr<CDocument> document);
    CChildFrame* FindFrameByPath(const std::string& path) const;

    void RebuildMenus();
    void AddMenuItems(QMenu* menu, const std::vector<CMenuItem>& items);
    QMenu* CreateNewMenu(QWidget* parent);
    void UpdateCommandStates();
    void UpdateTitle();
    void BuildToolBar();

    CApplication& app_;
    QMdiArea* mdi_;
    QToolBar* toolbar_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    CChildFrame* active_ = nullptr;
    bool destroying_ = false;
    std::map<int, QAction*> actions_;      // the menu bar's command items
    std::map<int, QAction*> toolActions_;  // the toolbar's buttons
    std::map<int, bool> grayed_;           // items the menu greys for good
    std::vector<QMenu*> menus_;            // the menu bar's popups
    QMenu* windowMenu_ = nullptr;
    std::vector<QAction*> windowItems_;  // the Window menu's list of projects
};
