#include "controls/RowSort.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "SortTables.h"

namespace {

// The sort's own work on the largest list (10,000 rows) once the keys are in memory: SNR reports,
// messages, and keys that defeat the middle pivot (which a plain quicksort sorts in quadratic time).
void BM_SortRowOrder(benchmark::State& state) {
    const int table = (int)state.range(0);
    const std::vector<std::string> keys =
        table == 2 ? MiddleLastKeys(10000, true, false) : RandomDecodeColumns(10000)[table == 0 ? 1 : 4];
    const SortKeyKind kind = table == 1 ? SortKeyKind::Text : SortKeyKind::Number;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SortRowOrder(keys, true, kind));
    }
}
BENCHMARK(BM_SortRowOrder)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("snr_messages_adversarial")
    ->Unit(benchmark::kMillisecond);

} // namespace
