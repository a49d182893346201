// The main window's programmatic operations, used by the script runner and
// the tests: each does what its menu command does, without the file dialog,
// and returns "" on success or what went wrong.

#include <QUndoStack>

#include "framework/CChildFrame.h"
#include "framework/CDocument.h"
#include "framework/CView.h"
#include "framework/CommandIds.h"
#include "host/CMainWindow.h"

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
    return view->SetCodeFormat(format) ? std::string() : "unknown code format";
}

std::string CMainWindow::CloseProject() {
    if (!active_) return "no project is open";
    return active_->close() ? std::string() : "the project was not closed";
}

namespace {
// Undo (back) or Redo: "" once done, else why not.
std::string Step(CMainWindow& window, bool back) {
    CDocument* doc = window.ActiveDocumentObject();
    if (!doc) return "no project is open";
    QUndoStack* stack = doc->UndoStack();
    if (!(back ? stack->canUndo() : stack->canRedo()))
        return back ? "nothing to undo" : "nothing to redo";
    const std::string what =
        (back ? stack->undoText() : stack->redoText()).toLatin1().toStdString();
    window.OnCommand(back ? fwcmd::EditUndo : fwcmd::EditRedo);
    window.SetStatusText((back ? "Undone: " : "Redone: ") + what);
    return {};
}
}  // namespace

std::string CMainWindow::Undo() {
    return Step(*this, true);
}

std::string CMainWindow::Redo() {
    return Step(*this, false);
}

bool CMainWindow::IsActiveModified() const {
    const CDocument* doc = ActiveDocumentObject();
    return doc && doc->IsModified();
}

std::optional<MenuCommandState> CMainWindow::FindCommand(const std::string& captionOrId) const {
    return bar_->Find(captionOrId);
}

std::string CMainWindow::TriggerCommand(const std::string& captionOrId) {
    const std::string error = bar_->Trigger(captionOrId);
    if (error.empty()) UpdateCommandStates();
    return error;
}

CDeviceDocument* CMainWindow::ActiveDocument() const {
    CDocument* doc = ActiveDocumentObject();
    return doc ? doc->DeviceDocument() : nullptr;
}

std::string CMainWindow::CodeText() const {
    CView* view = GetActiveView();
    return view ? view->GetText() : std::string();
}
