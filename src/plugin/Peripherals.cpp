#include "plugin/Peripherals.h"

#include <vector>

#include "devices/Models.h"
#include "framework/CCommandRegistry.h"
#include "framework/CDocument.h"
#include "model/DeviceDocument.h"
#include "pages/common/PeripheralCommands.h"
#include "view/CQ7R2xView.h"

namespace plugin {
namespace {

struct Peripheral {
    int id;
    const char* caption;
    bool largePackageOnly = false;  // the other models have no menu item for it
};

const std::vector<Peripheral>& Table() {
    static const std::vector<Peripheral> table = {
        {43002, "Port I/O"},
        {43008, "Oscillators"},
        {43007, "Timers"},
        {43016, "PCA"},
        {43004, "UART"},
        {43009, "SMBus"},
        {43006, "SPI"},
        {43010, "ADC"},
        {43001, "EMI", true},
        {43011, "Comparators"},
        {43012, "Reset Sources"},
        {43013, "Voltage Reference"},
        {43014, "Voltage Regulator"},
        {43000, "Prefetch Engine"},
        {43003, "Interrupts"},
    };
    return table;
}

}  // namespace

bool IsPeripheralCommand(int id) {
    for (const Peripheral& p : Table())
        if (p.id == id) return true;
    return false;
}

bool RunPeripheral(CDeviceDocument& doc, int id) {
    const bool ok = pages::RunPeripheralCommand(doc, id);
    if (CQ7R2xView* view = CQ7R2xView::Active()) view->UpdateCodeWindow();
    return ok;
}

void RegisterPeripheralCommands(CCommandRegistry& r) {
    r.AddMenu("&Peripherals", 400);
    int position = 101;
    for (const Peripheral& p : Table()) {
        const bool large = p.largePackageOnly;
        const int id = p.id;
        r.Add({.Id = id, .Caption = p.caption, .Menu = "&Peripherals", .Position = position++,
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
