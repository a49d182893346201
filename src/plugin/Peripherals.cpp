#include "plugin/Peripherals.h"

#include "framework/CCommandRegistry.h"
#include "framework/CDocument.h"
#include "model/DeviceDocument.h"
#include "pages/common/SheetRunner.h"
#include "plugin/PeripheralTable.h"
#include "view/CQ7R2xView.h"

namespace plugin {

bool RunPeripheral(CDeviceDocument& doc, int id, const std::string& startPage) {
    const PeripheralCommand* command = FindPeripheral(id);
    const bool ok = command && RunSheet(doc, command->sheet, nullptr, startPage);
    if (CQ7R2xView* view = CQ7R2xView::Active()) view->UpdateCodeWindow();
    return ok;
}

void RegisterPeripheralCommands(CCommandRegistry& r) {
    r.AddMenu("&Peripherals", 400);
    int position = 101;
    for (const PeripheralCommand& p : PeripheralTable()) {
        const int id = p.id;
        auto inMenu = p.inMenu;
        r.Add({.Id = id,
               .Caption = p.caption,
               .Menu = "&Peripherals",
               .Position = position++,
               .Run =
                   [id] {
                       CQ7R2xView* view = CQ7R2xView::Active();
                       if (CDeviceDocument* doc = view ? view->GetDeviceDocument() : nullptr)
                           RunPeripheral(*doc, id);
                   },
               .Enabled = [] { return CQ7R2xView::Active() != nullptr; },
               .Shown =
                   [inMenu](CDocument* doc) {
                       CDeviceDocument* device = doc ? doc->DeviceDocument() : nullptr;
                       return device && (!inMenu || inMenu(device->DeviceCode));
                   },
               .Scriptable = true});
    }
}

}  // namespace plugin
