#pragma once
// The modal tabbed sheet that hosts a peripheral's pages: a caption, the pages
// in order, OK, Cancel and "Reset" (command 8888, handed to the active page),
// no Apply.

#include <memory>
#include <string>
#include <vector>

#include "framework/CModalDialog.h"

class CPropPage;
class QTabWidget;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdReset = 8888;

class CDeviceDlg : public CModalDialog {
    Q_OBJECT
public:
    explicit CDeviceDlg(const std::string& caption, QWidget* parent = nullptr);
    ~CDeviceDlg() override;

    // Adds a page after the others; the sheet owns it.
    void AddPage(std::unique_ptr<CPropPage> page);
    int PageCount() const;
    CPropPage* Page(int index) const;
    CPropPage* ActivePage() const;
    int ActiveIndex() const;
    // Shows a page; its OnSetActive runs.
    void SetActivePage(int index);

    // Initialises every page, activates the first and runs the sheet through
    // the UI service; true when it ended with OK. A `startPage` other than 0
    // is then selected as a click on its tab selects it.
    bool Run(int startPage = 0);

    // The three buttons, as a click on them.
    void PressOk();
    void PressReset();

protected:
    void LimitTo(const QSize& room) override;

private:
    class PageScroller;

    QTabWidget* tabs_;
    std::vector<PageScroller*> scrollers_;
    std::vector<CPropPage*> pages_;
    bool initialised_ = false;
};
