#pragma once
// Every command of the program is one entry here: its id, caption, place in
// the menus, shortcut, toolbar button, enabled test and handler. The shell
// builds its menu bar, toolbar and keyboard shortcuts from the entries, and
// scripts choose menu items through them; nothing else dispatches on ids.
//
// The shell registers its own commands (File New, Open, Save, Exit, Edit,
// View, Window, About); a device module registers the commands of its
// projects (the code window's and the Peripherals menu) when it is loaded.
// One registry belongs to the application object (CApplication::Commands()).
//
// Menus: a command names its popup by path ("&File", "&Options/Code Format")
// and a position in it. Items of a popup are sorted by position, and each
// new hundred starts a group set off by a separator (101 and 102 stand
// together; 201 follows a separator). Popups are declared with AddMenu and
// ordered by their own positions; a popup with no item to show is left out.
//
// Adding a command to an existing menu takes one Add call, e.g.
//   registry.Add({.Id = 43030, .Caption = "&Clock Tree", .Menu = "&View", .Position = 301,
//                 .Run = [] { ... }, .Enabled = [] { return ...; }});
// and, for a new popup, one AddMenu("&Tools", 450) beside it.

#include <QIcon>
#include <QKeySequence>
#include <QObject>
#include <QStyle>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/CMenu.h"

class CDocument;
class QMenu;
class QWidget;

struct CCommand {
    int Id = 0;
    std::string Caption{};  // the menu item's text, "&" before the mnemonic
    // The popup's path and the position in it; an empty menu makes a
    // keyboard command without a menu item.
    std::string Menu{};
    int Position = 0;
    QKeySequence Shortcut{};
    std::function<void()> Run{};
    // Whether the command can run now (menu item, toolbar button and
    // shortcut follow it); unset means always.
    std::function<bool()> Enabled{};
    // Whether the menu item is shown while `doc` is the active project
    // (nullptr: none is open); unset means always. A command that is not
    // shown still runs by its id and its shortcut.
    std::function<bool(CDocument* doc)> Shown{};
    bool Checkable = false;
    bool Checked = false;     // the check mark; SetChecked changes it
    bool Scriptable = false;  // a script's `menu` may choose it
    // A submenu under the item and its toolbar button (File > New lists the
    // models); built again whenever the menus are.
    std::function<QMenu*(QWidget* parent)> Submenu{};
    // On the toolbar: the button's position (as Position; 0 keeps it off),
    // icon and tool tip.
    int ToolbarPosition = 0;
    QStyle::StandardPixmap ToolbarIcon = QStyle::SP_CustomBase;
    std::string ToolTip{};
    // Shown beside the menu item (a warning mark, say); SetIcon changes it.
    QIcon Icon{};
};

class CCommandRegistry : public QObject {
    Q_OBJECT
public:
    // Adds `command`, replacing an entry with the same id.
    void Add(CCommand command);
    void Remove(int id);
    // Removes every entry with an id in first..last and adds `commands` in
    // one change (lists that follow the program's state: recent files, windows).
    void ReplaceRange(int first, int last, std::vector<CCommand> commands);
    // Declares a popup of the menu bar ("&Tools") or a submenu ("&Options/Code
    // Format") at `position` among its siblings.
    void AddMenu(const std::string& path, int position);

    const CCommand* Find(int id) const;
    const std::map<int, CCommand>& Commands() const { return commands_; }

    // The menu bar while `doc` is the active project (nullptr: none is open).
    CMenuBar MenuBar(CDocument* doc) const;
    // The toolbar's command ids in order, 0 where a separator stands.
    std::vector<int> Toolbar() const;

    bool IsEnabled(int id) const;
    // Runs the command when it exists and is enabled; false otherwise. The
    // handler may change the registry while it runs.
    bool Run(int id);

    // State shown with a command, changed from anywhere.
    void SetCaption(int id, const std::string& caption);
    void SetChecked(int id, bool checked);
    bool IsChecked(int id) const;
    void SetIcon(int id, const QIcon& icon);

signals:
    // Entries were added or removed: menus, toolbar and shortcuts are rebuilt.
    void commandsChanged();
    // The caption, check mark or icon of `id` changed.
    void commandChanged(int id);

private:
    std::vector<CMenuItem> Items(const std::string& path, CDocument* doc) const;

    std::map<int, CCommand> commands_;
    std::map<std::string, int> menus_;  // popup path -> position
};
