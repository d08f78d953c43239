#include "controls/RowSort.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The sort's own work on the largest list (10,000 rows) with the rows held in memory: what remains of
// a column click when reading and rewriting the control's cells costs nothing.
class MemoryRows : public SortableRows {
public:
    explicit MemoryRows(std::vector<std::string> keys) : m_keys(std::move(keys)) {}
    std::string_view KeyText(int row) override { return m_keys[(size_t)row]; }
    void SwapRows(int a, int b) override { std::swap(m_keys[(size_t)a], m_keys[(size_t)b]); }

private:
    std::vector<std::string> m_keys;
};

std::vector<std::string> MakeKeys(bool messages) {
    std::mt19937 random(2237);
    std::vector<std::string> keys;
    const char* words[] = {"CQ", "CQ DX", "73", "RR73"};
    for (int i = 0; i < 10000; ++i) {
        if (messages) {
            std::string call{char('A' + random() % 26), char('A' + random() % 26), char('0' + random() % 10),
                             char('A' + random() % 26), char('A' + random() % 26)};
            keys.push_back(std::string(words[random() % 4]) + " " + call);
        } else {
            keys.push_back(std::to_string((int)(random() % 45) - 24)); // SNR reports
        }
    }
    return keys;
}

void BM_SortRows(benchmark::State& state) {
    const bool messages = state.range(0) != 0;
    const std::vector<std::string> keys = MakeKeys(messages);
    for (auto _ : state) {
        state.PauseTiming();
        MemoryRows rows(keys);
        state.ResumeTiming();
        QuickSortRows(rows, 0, (int)keys.size() - 1, true,
                      messages ? SortKeyKind::Text : SortKeyKind::Number);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SortRows)->Arg(0)->Arg(1)->ArgName("messages")->Unit(benchmark::kMillisecond);

} // namespace
