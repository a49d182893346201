#include "plugin/PeripheralTable.h"

#include <map>

#include "devices/Models.h"
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
    static const std::vector<PeripheralCommand> table = {
        {43002, "Port I/O", PortIOSheet()},
        {43008, "Oscillators", OscillatorsSheet()},
        {43007, "Timers", TimersSheet()},
        {43016, "PCA", PcaSheet()},
        {43004, "UART", UartSheet()},
        {43009, "SMBus", SmbusSheet()},
        {43006, "SPI", SpiSheet()},
        {43010, "ADC", AdcSheet()},
        {43001, "EMI", EmiSheet(), models::IsLargePackage},
        {43011, "Comparators", ComparatorsSheet()},
        {43012, "Reset Sources", ResetSourcesSheet()},
        {43013, "Voltage Reference", VoltageReferenceSheet()},
        {43014, "Voltage Regulator", VoltageRegulatorSheet()},
        {43000, "Prefetch Engine", PrefetchSheet()},
        {43003, "Interrupts", InterruptsSheet()},
    };
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
    static const std::map<SheetId, SheetSpec> nested = {
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
    InstallSheetDirectory([](SheetId id) -> const SheetSpec* {
        auto it = nested.find(id);
        return it == nested.end() ? nullptr : &it->second;
    });
}

}  // namespace plugin
