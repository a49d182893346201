#pragma once
// View > Problems: the active project's problems as zorvant lint finds them
// (chip::FindProblems), one row each with its icon, message and place
// ("Oscillators > External Oscillator"). The list follows every change of
// the project; the Peripherals menu items of commands with problems carry
// the warning icon. Double-clicking a row opens that command's sheet on the
// row's page; "Fix" applies the row's quick fix as one undoable step.

#include <QDockWidget>
#include <QMetaObject>

#include <set>
#include <vector>

#include "chip/Problems.h"

class CCommandRegistry;
class CDocument;
class QLabel;
class QPushButton;
class QTreeWidget;

class CProblemsDock : public QDockWidget {
    Q_OBJECT
public:
    CProblemsDock(CCommandRegistry& commands, QWidget* parent);
    ~CProblemsDock() override;

    // Shows the problems of `doc` (nullptr: no project is open) and follows
    // its changes from now on.
    void SetDocument(CDocument* doc);

    const std::vector<chip::Problem>& Problems() const { return problems_; }
    QTreeWidget* List() const { return list_; }
    QPushButton* FixButton() const { return fix_; }

    // What double-clicking row `row` does: the entry's Peripherals command
    // runs as its menu item does, its sheet opening on the entry's page.
    void OpenEntry(int row);
    // What "Fix" does for row `row`: its quick fix, as one step of the
    // project's undo history. False when the row has none.
    bool FixEntry(int row);

    // "No problems", "1 problem", "3 problems".
    static QString CountText(std::size_t count);

signals:
    // The list was found anew (after a change or another project).
    void problemsChanged(int count);

private:
    void Refresh();
    void UpdateFixButton();
    void MarkMenuItems();

    CCommandRegistry& commands_;
    CDocument* doc_ = nullptr;
    QMetaObject::Connection changed_, destroyed_;
    QTreeWidget* list_;
    QLabel* empty_;
    QPushButton* fix_;
    std::vector<chip::Problem> problems_;
    std::set<int> marked_;  // commands whose menu item carries the warning icon
};
