#include "plugin/Tools.h"

#include <filesystem>

#include "framework/CCommandRegistry.h"
#include "framework/CDocument.h"
#include "pages/portio/CPinPlannerDlg.h"
#include "view/CQ7R2xView.h"

namespace plugin {
namespace {

// The pin list's file name: the project's, with "-pins.csv".
std::string PinListName(const CDocument* doc) {
    std::string stem = "pins";
    if (doc && !doc->GetPathName().empty())
        stem = std::filesystem::path(doc->GetPathName()).stem().string() + "-pins";
    else if (doc && !doc->GetTitle().empty())
        stem = std::filesystem::path(doc->GetTitle()).stem().string() + "-pins";
    return stem + ".csv";
}

void OnToolsPinPlanner() {
    CQ7R2xView* view = CQ7R2xView::Active();
    CDeviceDocument* doc = view ? view->GetDeviceDocument() : nullptr;
    if (!doc) return;
    CPinPlannerDlg planner(*doc, PinListName(view->GetDocument()));
    planner.RunModal();
}

}  // namespace

void RegisterToolCommands(CCommandRegistry& r) {
    r.AddMenu("&Tools", 450);
    r.Add({.Id = tools::PinPlanner,
           .Caption = "&Pin Planner...",
           .Menu = "&Tools",
           .Position = 101,
           .Run = OnToolsPinPlanner,
           .Enabled = [] { return CQ7R2xView::Active() != nullptr; },
           .Shown = [](CDocument* doc) { return doc && doc->DeviceDocument(); },
           .Scriptable = true});
}

}  // namespace plugin
