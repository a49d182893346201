// What a user waits for on the Port I/O sheet: opening it (every page built
// and initialised, the pin table drawn, the sheet shown and closed) and one
// click on the crossbar page (apply, placement, enable rule, table redraw).

#include <benchmark/benchmark.h>

#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"
#include "framework/ControlDriver.h"
#include "model/Ui.h"
#include "pages/portio/PortIOPages.h"
#include "pages/common/SheetRunner.h"
#include "pages/portio/PortIOSheet.h"

namespace {

using namespace portio;

void BusyPort(PeripheralRecord& port) {
    port.Registers[PortIOReg::XBR0].Value = xbr::kUart0 | xbr::kSpi0 | xbr::kSmbus | xbr::kCp0;
    port.Registers[PortIOReg::XBR1].Value = xbr::kCrossbarEnable | 3 | xbr::kT0;
    port.Registers[PortIOReg::XBR2].Value = xbr::kUart1;
    port.Registers[PortIOReg::P0SKIP].Value = 0x40;
}

void BM_OpenPortIOSheet(benchmark::State& state) {
    ScriptUi ui;
    Ui* previous = SetUi(&ui);
    auto doc = NewProject(static_cast<int>(state.range(0)));
    PeripheralRecord port;
    doc->GetPeripheral(port, Pid::PortIO);
    BusyPort(port);
    // Opened from a page whose sheet holds the busy copy.
    PageContext caller(*doc);
    caller.Lend(Pid::PortIO, port);
    const SheetPlan sheet = PortIOSheet();
    for (auto _ : state) {
        // Shown, then cancelled at once by the scripted UI service.
        benchmark::DoNotOptimize(RunSheet(*doc, sheet, &caller));
    }
    SetUi(previous);
}
BENCHMARK(BM_OpenPortIOSheet)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_CrossbarPageClick(benchmark::State& state) {
    auto doc = NewProject(0);
    PeripheralRecord port, spi;
    doc->GetPeripheral(port, Pid::PortIO);
    doc->GetPeripheral(spi, Pid::Spi);
    BusyPort(port);
    CPortIOCrossbarPropPage page(true, spi);
    page.SetRecord(&port);
    page.SetActiveDocument(doc.get());
    page.OnInitDialog();
    page.show();
    for (auto _ : state) {
        // SYSCLK on and off in turn keeps the configuration the same.
        benchmark::DoNotOptimize(driver::Click(&page, kIdSysclk));
    }
}
BENCHMARK(BM_CrossbarPageClick)->Unit(benchmark::kMicrosecond);

}  // namespace
