#pragma once
// What views and documents may ask of the main window, whatever shell
// provides it: the active project window and the menu bar's check marks.

#include <string>

class CDocument;
class CView;

// The main window's size when none is remembered (within the screen): room
// for the largest sheet, which opens centred over it.
inline constexpr int kMainFrameDefaultWidth = 1100;
inline constexpr int kMainFrameDefaultHeight = 900;
class QWidget;

class CMainFrame {
public:
    virtual ~CMainFrame() = default;

    // The view of the active child frame, or nullptr when none is open.
    virtual CView* GetActiveView() const = 0;
    // Check marks of the menu bar's item `id`; unknown ids are ignored.
    virtual void CheckMenuItem(int id, bool checked) = 0;
    virtual bool IsMenuItemChecked(int id) const = 0;
    // The window that owns the program's dialogs.
    virtual QWidget* Window() = 0;
    // What just happened, for the status bar ("Saved board.zvp").
    virtual void SetStatusText(const std::string& text) { (void)text; }
    // Whether a project other than `doc` is open from the file `path`.
    virtual bool IsOpenElsewhere(const std::string& path, const CDocument* doc) const {
        (void)path;
        (void)doc;
        return false;
    }
};
