#include "plugin/Registration.h"

#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"
#include "framework/CApplication.h"
#include "framework/CDocTemplate.h"
#include "plugin/CProjectDocument.h"
#include "plugin/Peripherals.h"
#include "view/CQ7R2xView.h"
#include "view/ViewCommands.h"

namespace plugin {

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
    RegisterViewCommands(app.Commands());
    RegisterPeripheralCommands(app.Commands());
}

}  // namespace plugin
