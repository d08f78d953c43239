#include "controls/RowSort.h"

#include "text/NumberText.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>

int CompareBytes(std::string_view a, std::string_view b) {
    // char_traits<char> compares as unsigned char, like memcmp. The program's code page is a single-byte
    // one, where this is the system's own byte order; only double-byte code pages would need lead bytes
    // taken together, and the list's texts (callsigns, locators, reports) are plain ASCII anyway.
    return a.compare(b);
}

namespace {

// Sorts positions of rows whose keys are read once: the texts as given, number values parsed up front.
class RowOrderSorter {
public:
    RowOrderSorter(std::span<const std::string> keys, bool ascending, SortKeyKind kind)
        : m_keys(keys), m_ascending(ascending), m_kind(kind), m_order(keys.size()) {
        std::iota(m_order.begin(), m_order.end(), 0);
        if (kind == SortKeyKind::Number) {
            m_values.reserve(keys.size());
            for (const std::string& key : keys) {
                m_values.push_back(ParseNumberText(key));
            }
        } else {
            m_heads.reserve(keys.size());
            for (const std::string& key : keys) {
                m_heads.push_back(Head(key));
            }
        }
    }

    std::vector<int> Run() && {
        const int n = (int)m_order.size();
        Sort(0, n - 1, 4 * (int)std::bit_width((unsigned)std::max(n, 1)));
        return std::move(m_order);
    }

private:
    // A text's first eight bytes as one number, the first byte highest and missing bytes zero. Texts whose
    // heads differ compare as their heads do: up to the first differing byte both texts agree, and where
    // one text has ended (a zero here) the other, longer one comes after it.
    static uint64_t Head(const std::string& key) {
        uint64_t head = 0;
        for (size_t i = 0; i < 8; ++i) {
            head = head << 8 | (i < key.size() ? (unsigned char)key[i] : 0U);
        }
        return head;
    }

    bool SameKey(int a, int b) const {
        return (m_kind == SortKeyKind::Number || m_heads[(size_t)a] == m_heads[(size_t)b]) &&
               m_keys[(size_t)a] == m_keys[(size_t)b];
    }

    // Whether row a's key comes before row b's in the sort's direction.
    bool Before(int a, int b) const {
        int c;
        if (m_kind == SortKeyKind::Text) {
            const uint64_t x = m_heads[(size_t)a], y = m_heads[(size_t)b];
            c = x != y ? (x < y ? -1 : 1) : CompareBytes(m_keys[(size_t)a], m_keys[(size_t)b]);
        } else {
            const double x = m_values[(size_t)a], y = m_values[(size_t)b];
            c = x < y ? -1 : (x > y ? 1 : 0);
        }
        return m_ascending ? c < 0 : c > 0;
    }

    void Sort(int low, int high, int depth) {
        // The smaller side is sorted by recursion and the larger one by the loop, so the stack stays
        // within log2(rows) frames.
        while (low < high) {
            if (depth == 0) {
                HeapSort(low, high);
                return;
            }
            --depth;
            int lo = low;
            int hi = high;
            Partition(low, high, lo, hi);
            if (hi - low < high - lo) {
                if (low < hi) {
                    Sort(low, hi, depth);
                }
                low = lo;
            } else {
                if (lo < high) {
                    Sort(lo, high, depth);
                }
                high = hi;
            }
        }
    }

    void Partition(int low, int high, int& lo, int& hi) {
        const int pivot = m_order[(size_t)(low + (high - low) / 2)];
        while (lo <= hi) {
            while (lo < high && Before(m_order[(size_t)lo], pivot)) {
                ++lo;
            }
            while (hi > low && Before(pivot, m_order[(size_t)hi])) {
                --hi;
            }
            if (lo <= hi) {
                int& a = m_order[(size_t)lo];
                int& b = m_order[(size_t)hi];
                if (!SameKey(a, b)) {
                    std::swap(a, b);
                }
                ++lo;
                --hi;
            }
        }
    }

    void HeapSort(int low, int high) {
        const auto first = m_order.begin() + low;
        const auto last = m_order.begin() + high + 1;
        const auto before = [this](int a, int b) {
            return Before(a, b);
        };
        std::make_heap(first, last, before);
        std::sort_heap(first, last, before);
    }

    std::span<const std::string> m_keys;
    bool m_ascending;
    SortKeyKind m_kind;
    std::vector<double> m_values;
    std::vector<uint64_t> m_heads; // text keys' heads, which settle most comparisons alone
    std::vector<int> m_order;
};

} // namespace

std::vector<int> SortRowOrder(std::span<const std::string> keys, bool ascending, SortKeyKind kind) {
    return RowOrderSorter(keys, ascending, kind).Run();
}
