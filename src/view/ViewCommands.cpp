#include "view/ViewCommands.h"

#include "framework/CApplication.h"
#include "framework/CCommandRegistry.h"
#include "framework/CDocument.h"
#include "framework/CMainFrame.h"
#include "framework/CommandIds.h"
#include "view/CQ7R2xView.h"

namespace {

// A project of this module is active.
bool OwnProject(CDocument* doc) {
    return doc && doc->DeviceDocument();
}

bool HasView() {
    return CQ7R2xView::Active() != nullptr;
}

std::function<void()> OnView(void (CQ7R2xView::*handler)()) {
    return [handler] {
        if (CQ7R2xView* view = CQ7R2xView::Active()) (view->*handler)();
    };
}

}  // namespace

void RegisterViewCommands(CCommandRegistry& r) {
    r.AddMenu("&Options", 300);
    r.AddMenu("&Options/Code Format", 100);
    r.Add({.Id = viewcmd::SaveSource,
           .Caption = "Sa&ve Source As...",
           .Menu = "&File",
           .Position = 201,
           .Run = OnView(&CQ7R2xView::OnFileSaveSource),
           .Enabled = HasView,
           .Shown = OwnProject,
           .ToolbarPosition = 201,
           .ToolbarIcon = QStyle::SP_FileDialogDetailedView,
           .ToolTip = "Save Source As"});
    // An addition of this program: the code, as shown, to a PDF file.
    r.Add({.Id = viewcmd::ExportPdf,
           .Caption = "&Export PDF...",
           .Menu = "&File",
           .Position = 202,
           .Run = OnView(&CQ7R2xView::OnFileExportPdf),
           .Enabled = HasView,
           .Shown = OwnProject});
    r.Add({.Id = fwcmd::FilePrint,
           .Caption = "&Print...",
           .Menu = "&File",
           .Position = 301,
           .Shortcut = QKeySequence::Print,
           .Run = OnView(&CQ7R2xView::OnFilePrint),
           .Enabled = HasView,
           .Shown = OwnProject,
           .ToolbarPosition = 202,
           .ToolbarIcon = QStyle::SP_ComputerIcon,
           .ToolTip = "Print"});
    r.Add({.Id = viewcmd::CodeFormatC,
           .Caption = "C",
           .Menu = "&Options/Code Format",
           .Position = 101,
           .Run = OnView(&CQ7R2xView::OnOptionsCodeformatC),
           .Enabled = HasView,
           .Shown = OwnProject,
           .Checkable = true,
           .Checked = true});
    r.Add({.Id = viewcmd::CodeFormatAsm,
           .Caption = "Asm",
           .Menu = "&Options/Code Format",
           .Position = 102,
           .Run = OnView(&CQ7R2xView::OnOptionsCodeformatAsm),
           .Enabled = HasView,
           .Shown = OwnProject,
           .Checkable = true});
    r.Add({.Id = viewcmd::ResetAll,
           .Caption = "Reset All",
           .Menu = "&Peripherals",
           .Position = 201,
           .Run = OnView(&CQ7R2xView::OnPeripheralsResetall),
           .Enabled = HasView,
           .Shown = OwnProject,
           .Scriptable = true});
    // F1 is the help also while no project is open: then the user guide.
    r.Add({.Id = viewcmd::Help,
           .Caption = "&Help...",
           .Menu = "&Help",
           .Position = 101,
           .Shortcut = QKeySequence::HelpContents,
           .Run =
               [] {
                   if (CQ7R2xView* view = CQ7R2xView::Active()) {
                       view->OnHelpHelp();
                       return;
                   }
                   const std::string status = ShowUserGuide();
                   if (CApplication* app = TheApp())
                       if (CMainFrame* frame = app->GetMainFrame()) frame->SetStatusText(status);
               },
           .Shown = OwnProject});
}
