#include "plugin/PeripheralTable.h"

#include <map>

#include "devices/Models.h"
#include "devices/PeripheralMenu.h"
#include "pages/analog/CAdc0PropPage.h"
#include "pages/analog/ComparatorSheets.h"
#include "pages/clock/OscillatorsSheet.h"
#include "pages/pca/PcaSheet.h"
#include "pages/portio/PortIOSheet.h"
#include "pages/serial/SerialSheets.h"
#include "pages/system/InterruptSheets.h"
#include "pages/system/ResetSourcesPages.h"
#include "pages/system/SystemSheets.h"
#include "pages/timers/TimerSheets.h"

namespace plugin {

const std::vector<PeripheralCommand>& PeripheralTable() {
    // Ids, captions and order are the Qt-free menu's, which the problem
    // checks and the command line name commands by; each gets its sheet here.
    static const std::vector<PeripheralCommand> table = [] {
        const std::map<int, SheetPlan> sheets = {
            {43002, PortIOSheet()},
            {43008, OscillatorsSheet()},
            {43007, TimersSheet()},
            {43016, PcaSheet()},
            {43004, UartSheet()},
            {43009, SmbusSheet()},
            {43006, SpiSheet()},
            {43010, AdcSheet()},
            {43001, EmiSheet()},
            {43011, ComparatorsSheet()},
            {43012, ResetSourcesSheet()},
            {43013, VoltageReferenceSheet()},
            {43014, VoltageRegulatorSheet()},
            {43000, PrefetchSheet()},
            {43003, InterruptsSheet()},
        };
        std::vector<PeripheralCommand> commands;
        for (const models::PeripheralMenuItem& item : models::kPeripheralMenu) {
            PeripheralCommand c{item.Id, item.Caption, sheets.at(item.Id)};
            if (item.LargePackageOnly) c.inMenu = models::IsLargePackage;
            commands.push_back(std::move(c));
        }
        return commands;
    }();
    return table;
}

const PeripheralCommand* FindPeripheral(int id) {
    for (const PeripheralCommand& p : PeripheralTable())
        if (p.id == id) return &p;
    return nullptr;
}

bool IsPeripheralCommand(int id) {
    return FindPeripheral(id) != nullptr;
}

void InstallSheets() {
    static const std::map<SheetId, SheetPlan> nested = {
        {SheetId::PortIO, PortIOSheet()},
        {SheetId::Interrupts, InterruptEnableSheet()},
        {SheetId::ExternalInterrupts, ExternalInterruptsSheet()},
        {SheetId::Timer0, TimerSheet(0)},
        {SheetId::Timer1, TimerSheet(1)},
        {SheetId::Timer2, TimerSheet(2)},
        {SheetId::Timer3, TimerSheet(3)},
        {SheetId::Comparator0, Comparator0Sheet()},
        {SheetId::Oscillators, OscillatorsSheet()},
    };
    InstallSheetDirectory([](SheetId id) -> const SheetPlan* {
        auto it = nested.find(id);
        return it == nested.end() ? nullptr : &it->second;
    });
}

}  // namespace plugin
