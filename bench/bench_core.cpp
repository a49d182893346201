// Generation and project load/save for a configuration in which every record
// is written: what a user waits for after each dialog and on open/save.

#include <benchmark/benchmark.h>

#include "devices/Q7R2xDoc.h"
#include "model/Ui.h"

namespace {

std::unique_ptr<CQ7R2xDoc> BusyProject() {
    auto doc = NewProject(0);
    for (auto& [id, rec] : doc->DeviceData.Peripherals)
        for (auto& e : rec.Registers) e.Value = static_cast<std::uint8_t>(e.ResetValue ^ 0x5A);
    doc->DeviceData.Peripherals[13].CPrologue = std::string(32 * 52, 'x');
    return doc;
}

void BM_GenerateC(benchmark::State& state) {
    const auto doc = BusyProject();
    for (auto _ : state) {
        std::string text;
        doc->DeviceData.GenerateSource(text);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_GenerateC);

void BM_GenerateAsm(benchmark::State& state) {
    auto doc = BusyProject();
    doc->DeviceData.CodeFormat = 1;
    for (auto _ : state) {
        std::string text;
        doc->DeviceData.GenerateSource(text);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_GenerateAsm);

void BM_SaveProject(benchmark::State& state) {
    const auto doc = BusyProject();
    for (auto _ : state) benchmark::DoNotOptimize(doc->SaveProject());
}
BENCHMARK(BM_SaveProject);

void BM_LoadProject(benchmark::State& state) {
    const auto bytes = BusyProject()->SaveProject();
    ScriptUi ui;
    for (auto _ : state) {
        auto doc = CreateModelDocument(0);
        benchmark::DoNotOptimize(doc->LoadProject(bytes, ui));
    }
}
BENCHMARK(BM_LoadProject);

}  // namespace
