#include "view/ClockTreeCommands.h"

#include "framework/CCommandRegistry.h"
#include "framework/CDocument.h"
#include "view/CQ7R2xView.h"

void RegisterClockTreeCommands(CCommandRegistry& r) {
    const auto hasView = [] { return CQ7R2xView::Active() != nullptr; };
    const auto ownProject = [](CDocument* doc) { return doc && doc->DeviceDocument(); };
    r.Add({.Id = clocktree::ViewClockTree,
           .Caption = "&Clock Tree",
           .Menu = "&View",
           .Position = 103,
           .Run =
               [] {
                   if (CQ7R2xView* view = CQ7R2xView::Active()) view->OnViewClockTree();
               },
           .Enabled = hasView,
           .Shown = ownProject,
           .Checkable = true});
    r.Add({.Id = clocktree::ExportClockTree,
           .Caption = "Export &Clock Tree...",
           .Menu = "&File",
           .Position = 203,
           .Run =
               [] {
                   if (CQ7R2xView* view = CQ7R2xView::Active()) view->OnFileExportClockTree();
               },
           .Enabled = hasView,
           .Shown = ownProject});
}
