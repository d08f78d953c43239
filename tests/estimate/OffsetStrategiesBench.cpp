#include "AllocationCounter.h"
#include "estimate/DtWindow.h"
#include "estimate/OffsetStrategies.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>

namespace {

constexpr int kSamples = 10000;

// A full window as the main window leaves it after many decodes: wrapped, DTs spread around a clock error
// of 0.3 s, with a few stations far off. WSJT-X reports DT in steps of 0.1 s, which puts most samples
// exactly on a histogram edge; `stepped` false gives continuous values instead.
DtWindow MakeFullWindow(bool stepped) {
    DtWindow window;
    std::mt19937 random(2237);
    std::normal_distribution<double> dt(0.3, 0.4);
    std::uniform_int_distribution<int> outlier(0, 49);
    for (int i = 0; i < kSamples + kSamples / 3; ++i) {
        if (window.Count() >= kSamples)
            window.RemoveOldest();
        const double v = outlier(random) == 0 ? dt(random) * 10.0 : dt(random);
        window.Append(stepped ? std::round(v * 10.0) / 10.0 : v);
    }
    return window;
}

void ReportAllocations(benchmark::State& state, long before) {
    const long allocations = AllocationCount() - before;
    state.counters["allocations"] = static_cast<double>(allocations);
    if (allocations != 0)
        state.SkipWithError("the timed code allocated");
}

void BM_CalculateOffset(benchmark::State& state) {
    const DtWindow window = MakeFullWindow(state.range(1) != 0);
    const auto strategy = static_cast<std::int32_t>(state.range(0));
    const long before = AllocationCount();
    for (auto _ : state)
        benchmark::DoNotOptimize(CalculateOffset(window, strategy));
    ReportAllocations(state, before);
    state.SetLabel(std::string(kStrategyNames[strategy]) +
                   (state.range(1) ? ", 0.1 s steps" : ", continuous"));
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_CalculateOffset)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kStrategyCount - 1, 1), {1, 0}})
    ->Unit(benchmark::kMicrosecond);

// One decode on a full list: the oldest sample out, the new one in.
void BM_EvictAndAppend(benchmark::State& state) {
    DtWindow window = MakeFullWindow(true);
    const long before = AllocationCount();
    double dt = 0.0;
    for (auto _ : state) {
        window.RemoveOldest();
        window.Append(dt += 0.001);
        benchmark::ClobberMemory();
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_EvictAndAppend);

} // namespace
