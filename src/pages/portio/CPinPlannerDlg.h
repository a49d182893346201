#pragma once
// The Pin Planner: the crossbar pins of a project as a grid with the signal
// on each, and the signals with the pin each should have. The user drags a
// signal onto the pin the board needs (or chooses the pin in the signal's
// drop-down); the pin solver runs at once, and the grid shows where every
// signal would land and which pins would be skipped before anything changes.
// A wish that cannot be met is explained in its row. Apply stores the Port
// I/O record as one step of the project's history; Export Pin List... writes
// the pin list the grid shows as CSV. Run through the UI service.

#include <functional>
#include <string>
#include <vector>

#include "chip/PinSolver.h"
#include "framework/CModalDialog.h"
#include "pages/common/CNumberedControls.h"

#include <QTableWidget>

class CDeviceDocument;

namespace pinplanner {
inline constexpr const char* kCaption = "Pin Planner";
inline constexpr int kIdGrid = 12001;     // the pins, one row per port
inline constexpr int kIdSignals = 12002;  // the signals and their pins
inline constexpr int kIdStatus = 12003;   // what Apply would do, or why it cannot
inline constexpr int kIdClear = 12004;
inline constexpr int kIdExport = 12005;
inline constexpr int kIdApply = 12006;
inline constexpr int kIdClose = 2;  // as a dialog's Cancel: Esc and a script's `cancel`
inline constexpr int kFirstPinListId = 12100;  // + signal row: the drop-down of its pin
// The drop-down entry for "no wish".
inline constexpr const char* kAnyPin = "(any)";
// What a dragged signal carries: its row, as text.
inline constexpr const char* kSignalMimeType = "application/x-zorvant-signal";
inline constexpr const char* kExportTitle = "Export Pin List";
inline constexpr const char* kSaveError = "Error: Could Not Open File For Save.";
}  // namespace pinplanner

// A table whose items may carry a signal (its row under Qt::UserRole):
// those can be dragged, and a signal dropped on an item that stands for a pin
// (Qt::UserRole + 1) goes to OnDrop.
class CSignalTable : public QTableWidget {
public:
    CSignalTable(int rows, int columns, QWidget* parent);

    std::function<void(int signal, int pin)> OnDrop;
    // What a drop of `mime` at `pos` (viewport coordinates) does; false
    // when it is no signal or lands on no pin.
    bool Drop(const QPoint& pos, const QMimeData& mime);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTableWidgetItem*>& items) const override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    int PinAt(const QPoint& pos) const;
};

class CPinPlannerDlg : public CModalDialog, public CNumberedControls {
    Q_OBJECT
public:
    // Plans on `doc`'s Port I/O record; `csvName` is the file name Export
    // Pin List... offers. The views follow an Apply through the document's
    // step, as they follow a sheet.
    CPinPlannerDlg(CDeviceDocument& doc, std::string csvName);
    ~CPinPlannerDlg() override;

    // Wants `signal` (its row) on `pin`, or no longer anywhere for -1. A pin
    // wanted for another signal is taken from it. Solves and redraws.
    void Want(int signal, int pin);
    const std::vector<portio::PinWish>& Wishes() const { return wishes_; }
    const portio::PinPlan& Plan() const { return plan_; }

    void OnCommand(int id) override;
    void OnSelChange(int id) override;

private:
    void Reload();  // takes the records from the document
    void Solve();
    void Refresh();
    void Apply();
    void ExportPinList();
    // The record the grid shows: the plan when it is solved, else the project's.
    const PeripheralRecord& Shown() const;

    CDeviceDocument& doc_;
    std::string csvName_;
    bool large_ = true;
    PeripheralRecord port_;  // the project's, completed
    PeripheralRecord spi_;
    std::vector<portio::PinWish> wishes_;
    portio::PinPlan plan_;
    CSignalTable* grid_ = nullptr;
    CSignalTable* signals_ = nullptr;
};
