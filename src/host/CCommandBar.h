#pragma once
// The main window's menu bar, toolbar and keyboard shortcuts, built from the
// command registry for the active project. Each command has one action that
// carries its shortcut (active whether or not its menu item is shown) and
// stands in the menus; toolbar buttons have actions of their own (icon and
// tool tip). Every choice runs through the registry.

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/CMenu.h"

class CCommandRegistry;
class CDocument;
class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// One item of the menu bar as it stands.
struct MenuCommandState {
    int Id = 0;
    std::string Caption;  // without "&"
    bool Enabled = false;
    bool Checked = false;
};

class CCommandBar : public QObject {
    Q_OBJECT
public:
    // Fills `window`'s menu bar and adds a toolbar ("Standard") to it; the
    // menus are those of `activeDocument()`'s project.
    CCommandBar(QMainWindow& window, CCommandRegistry& registry,
                std::function<CDocument*()> activeDocument);
    ~CCommandBar() override;

    // Builds menus, toolbar and shortcuts anew (another project became
    // active, commands came or went). Happens by itself when the registry
    // adds or removes commands.
    void Rebuild();
    // Enables each action by its command's test.
    void UpdateStates();

    QToolBar* ToolBar() const { return toolbar_; }
    // The menu bar's item by caption without "&" or by command id.
    std::optional<MenuCommandState> Find(const std::string& captionOrId) const;
    // Chooses it as a click does; "" once it has run, else why not.
    std::string Trigger(const std::string& captionOrId);

signals:
    // A popup of the menu bar is about to open.
    void aboutToShowMenu();

private:
    QAction* ActionFor(int id);
    void Sync(int id);
    void AddItems(QMenu* menu, const std::vector<CMenuItem>& items);
    void BuildToolBar();

    QMainWindow& window_;
    CCommandRegistry& registry_;
    std::function<CDocument*()> activeDocument_;
    QToolBar* toolbar_;
    std::map<int, QAction*> actions_;      // one per command, with its shortcut
    std::map<int, QAction*> placed_;       // the menu bar's command items
    std::map<int, QAction*> toolActions_;  // the toolbar's buttons
    std::vector<QPointer<QMenu>> menus_;   // the menu bar's popups
};
