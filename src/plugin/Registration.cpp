#include "plugin/Registration.h"

#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"
#include "framework/CApplication.h"
#include "framework/CDocTemplate.h"
#include "plugin/CProjectDocument.h"
#include "plugin/PeripheralTable.h"
#include "plugin/Peripherals.h"
#include "plugin/Tools.h"
#include "view/CQ7R2xView.h"
#include "view/ClockTreeCommands.h"
#include "view/ViewCommands.h"

namespace plugin {
namespace {

// A click on a clock-tree box: the sheet of the Peripherals command that
// stores the node's record, on the node's page.
void OpenClockTreePage(CDeviceDocument& doc, int record, const std::string& page) {
    for (const PeripheralCommand& command : PeripheralTable())
        if (!command.sheet.stored.empty() && command.sheet.stored.front() == record) {
            RunPeripheral(doc, command.id, page);
            return;
        }
}

}  // namespace

std::unique_ptr<CDocTemplate> ModelTemplate(int model) {
    const std::string name = models::NameOf(models::CodeOf(model));
    return std::make_unique<CDocTemplate>(
        models::TemplateIdOf(model), "\n" + name + " \n" + name,
        [model]() -> std::unique_ptr<CDocument> {
            return std::make_unique<CProjectDocument>(CreateModelDocument(model));
        },
        []() -> CView* { return new CQ7R2xView(); });
}

void RegisterTemplates(CApplication& app) {
    for (int model = 0; model < models::kCount; ++model)
        app.AddDocTemplate(ModelTemplate(model));
    InstallSheets();
    RegisterViewCommands(app.Commands());
    RegisterPeripheralCommands(app.Commands());
    RegisterClockTreeCommands(app.Commands());
    CQ7R2xView::ClockTreePageOpener() = OpenClockTreePage;
    RegisterToolCommands(app.Commands());
}

}  // namespace plugin
