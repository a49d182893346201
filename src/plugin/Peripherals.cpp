#include "plugin/Peripherals.h"

#include "devices/Models.h"
#include "devices/PeripheralMenu.h"
#include "framework/CCommandRegistry.h"
#include "framework/CDocument.h"
#include "model/DeviceDocument.h"
#include "pages/common/PeripheralCommands.h"
#include "view/CQ7R2xView.h"

namespace plugin {

bool IsPeripheralCommand(int id) {
    return models::FindPeripheralMenuItem(id) != nullptr;
}

bool RunPeripheral(CDeviceDocument& doc, int id) {
    const bool ok = pages::RunPeripheralCommand(doc, id);
    if (CQ7R2xView* view = CQ7R2xView::Active()) view->UpdateCodeWindow();
    return ok;
}

void RegisterPeripheralCommands(CCommandRegistry& r) {
    r.AddMenu("&Peripherals", 400);
    int position = 101;
    for (const models::PeripheralMenuItem& p : models::kPeripheralMenu) {
        const bool large = p.LargePackageOnly;
        const int id = p.Id;
        r.Add({.Id = id, .Caption = p.Caption, .Menu = "&Peripherals", .Position = position++,
               .Run =
                   [id] {
                       CQ7R2xView* view = CQ7R2xView::Active();
                       if (CDeviceDocument* doc = view ? view->GetDeviceDocument() : nullptr)
                           RunPeripheral(*doc, id);
                   },
               .Enabled = [] { return CQ7R2xView::Active() != nullptr; },
               .Shown =
                   [large](CDocument* doc) {
                       CDeviceDocument* device = doc ? doc->DeviceDocument() : nullptr;
                       return device && (!large || models::IsLargePackage(device->DeviceCode));
                   },
               .Scriptable = true});
    }
}

}  // namespace plugin
