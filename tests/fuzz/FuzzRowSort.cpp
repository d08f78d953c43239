// The decode list's sort over any key texts: the first byte chooses the order and the kind of key, the
// rest are the rows' keys, one a line (at most 256 rows, which keeps the fuzzer fast). The order it gives
// must be a permutation of the rows that puts their keys in order.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "text/NumberText.h"
#include "controls/RowSort.h"

namespace {

int Compare(const std::string& a, const std::string& b, SortKeyKind kind) {
    if (kind == SortKeyKind::Text) {
        return CompareBytes(a, b);
    }
    const double x = ParseNumberText(a), y = ParseNumberText(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const bool ascending = data[0] & 1;
    const SortKeyKind kind = data[0] & 2 ? SortKeyKind::Text : SortKeyKind::Number;
    std::vector<std::string> keys;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    for (size_t end; (end = rest.find('\n')) != std::string_view::npos && keys.size() < 256;) {
        keys.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }

    const std::vector<int> order = SortRowOrder(keys, ascending, kind);
    FUZZ_CHECK(order.size() == keys.size());
    std::vector<bool> seen(keys.size());
    for (const int row : order) {
        FUZZ_CHECK(row >= 0 && row < static_cast<int>(keys.size()) && !seen[row]);
        seen[row] = true;
    }
    for (size_t i = 1; i < order.size(); ++i) {
        const int c = Compare(keys[order[i - 1]], keys[order[i]], kind);
        FUZZ_CHECK(ascending ? c <= 0 : c >= 0);
    }
    return 0;
}
