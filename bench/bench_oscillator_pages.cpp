// What a user waits for on the Oscillators sheet: opening it (every page
// built and initialised, the clock recomputed, the sheet shown and closed)
// and one click that recomputes the system clock.

#include <benchmark/benchmark.h>

#include "devices/Q7R2xDoc.h"
#include "framework/ControlDriver.h"
#include "model/Ui.h"
#include "pages/clock/COscSysPropPage.h"
#include "pages/clock/OscillatorsSheet.h"
#include "pages/common/SheetRunner.h"

namespace {

// Q7R20: six pages; Q7R26: five.
void BM_OpenOscillatorsSheet(benchmark::State& state) {
    ScriptUi ui;
    Ui* previous = SetUi(&ui);
    auto doc = NewProject(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        // Shown, then cancelled at once by the scripted UI service.
        benchmark::DoNotOptimize(RunSheet(*doc, OscillatorsSheet()));
    }
    SetUi(previous);
}
BENCHMARK(BM_OpenOscillatorsSheet)->Arg(0)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_SysclkSelectClick(benchmark::State& state) {
    auto doc = NewProject(0);
    PeripheralRecord osc;
    doc->GetPeripheral(osc, Pid::Oscillator);
    PageContext context(*doc);
    context.Lend(Pid::Oscillator, osc);
    COscSysPropPage page(context);
    page.SetRecord(&osc);
    page.OnInitDialog();
    page.show();
    bool external = false;
    for (auto _ : state) {
        external = !external;
        benchmark::DoNotOptimize(driver::Click(&page, external ? 11438 : 11437));
    }
}
BENCHMARK(BM_SysclkSelectClick)->Unit(benchmark::kMicrosecond);

}  // namespace
