// One click on the crossbar page of a busy configuration: write the box into
// the register, place every signal, and judge every unchecked box, which
// places the whole crossbar once more per box. And the pin solver on it.

#include <benchmark/benchmark.h>

#include "chip/Crossbar.h"
#include "chip/PinSolver.h"
#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"

namespace {

using namespace portio;

struct Busy {
    PeripheralRecord port;
    PeripheralRecord spi;
};

// Large package, most peripherals routed and a few pins skipped, so most
// boxes are unchecked but still have to be tested.
Busy BusyConfiguration() {
    auto doc = NewProject(0);
    Busy b;
    doc->GetPeripheral(b.port, Pid::PortIO);
    doc->GetPeripheral(b.spi, Pid::Spi);
    b.port.Registers[PortIOReg::XBR0].Value = xbr::kUart0 | xbr::kSpi0 | xbr::kSmbus | xbr::kCp0;
    b.port.Registers[PortIOReg::XBR1].Value = xbr::kCrossbarEnable | 3 | xbr::kT0;
    b.port.Registers[PortIOReg::XBR2].Value = xbr::kUart1;
    b.port.Registers[PortIOReg::P0SKIP].Value = 0x40;
    b.port.Registers[PortIOReg::P0SKIP + 1].Value = 0x18;
    return b;
}

void BM_CrossbarClick(benchmark::State& state) {
    Busy b = BusyConfiguration();
    CCrossbar xbar(true, b.spi);
    bool checked = true;
    for (auto _ : state) {
        // SYSCLK on and off in turn keeps the configuration the same.
        auto click = xbar.ClickCheckbox(b.port, kIdSysclk, checked);
        benchmark::DoNotOptimize(click.Enables.data());
        checked = !checked;
    }
}
BENCHMARK(BM_CrossbarClick);

void BM_CrossbarFullRefresh(benchmark::State& state) {
    Busy b = BusyConfiguration();
    CCrossbar xbar(true, b.spi);
    for (auto _ : state) {
        auto refresh = xbar.FullRefresh(b.port);
        benchmark::DoNotOptimize(refresh.States.Checks.data());
    }
}
BENCHMARK(BM_CrossbarFullRefresh);

void BM_PinComment(benchmark::State& state) {
    Busy b = BusyConfiguration();
    CCrossbar xbar(true, b.spi);
    xbar.DecodeCrossbar(b.port);
    for (auto _ : state) {
        xbar.BuildPinComment(b.port);
        benchmark::DoNotOptimize(b.port.CPrologue.data());
    }
}
BENCHMARK(BM_PinComment);

// The Pin Planner solves on every drop: the busy configuration with SDA and
// UART1's RX1 wanted high up, which takes many skips.
void BM_SolvePins(benchmark::State& state) {
    Busy b = BusyConfiguration();
    const std::vector<PinWish> wishes = {{*SignalByName("SDA"), *PinByName("P2.4")},
                                         {*SignalByName("RX1"), *PinByName("P3.7")}};
    std::size_t added = 0;
    for (auto _ : state) {
        PinPlan plan = SolvePins(b.port, true, b.spi, wishes);
        added = plan.AddedSkips.size();
        benchmark::DoNotOptimize(plan.AddedSkips.data());
    }
    state.counters["added"] = static_cast<double>(added);
}
BENCHMARK(BM_SolvePins)->Unit(benchmark::kMicrosecond);

}  // namespace
