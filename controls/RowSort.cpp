#include "controls/RowSort.h"

#include "controls/NumberText.h"

#include <algorithm>
#include <string>

int CompareBytes(std::string_view a, std::string_view b) {
    // char_traits<char> compares as unsigned char, like memcmp. The program's code page is a single-byte
    // one, where this is the system's own byte order; only double-byte code pages would need lead bytes
    // taken together, and the list's texts (callsigns, locators, reports) are plain ASCII anyway.
    return a.compare(b);
}

namespace {

class Partitioner {
public:
    Partitioner(SortableRows& rows, bool ascending, SortKeyKind kind)
        : m_rows(rows), m_ascending(ascending), m_kind(kind) {}

    void Sort(int low, int high) {
        // The smaller side is sorted by recursion and the larger one by the loop, so the stack stays
        // within log2(rows) frames even for keys that defeat the middle pivot.
        while (low < high) {
            int lo = low;
            int hi = high;
            Partition(low, high, lo, hi);
            if (hi - low < high - lo) {
                if (low < hi) {
                    Sort(low, hi);
                }
                low = lo;
            } else {
                if (lo < high) {
                    Sort(lo, high);
                }
                high = hi;
            }
        }
    }

private:
    // <0, 0, >0 as the key of `row` is before, equal to, after the pivot in ascending order.
    int CompareToPivot(int row) {
        const std::string_view text = m_rows.KeyText(row);
        if (m_kind == SortKeyKind::Text) {
            return CompareBytes(text, m_pivotText);
        }
        const double value = ParseNumberText(text);
        return value < m_pivotValue ? -1 : (value > m_pivotValue ? 1 : 0);
    }

    bool BeforePivot(int row) {
        const int c = CompareToPivot(row);
        return m_ascending ? c < 0 : c > 0;
    }

    bool AfterPivot(int row) {
        const int c = CompareToPivot(row);
        return m_ascending ? c > 0 : c < 0;
    }

    void Partition(int low, int high, int& lo, int& hi) {
        m_pivotText.assign(m_rows.KeyText(low + (high - low) / 2));
        m_pivotValue = m_kind == SortKeyKind::Number ? ParseNumberText(m_pivotText) : 0.0;
        while (lo <= hi) {
            while (lo < high && BeforePivot(lo)) {
                ++lo;
            }
            while (hi > low && AfterPivot(hi)) {
                --hi;
            }
            if (lo <= hi) {
                if (lo != hi) {
                    m_other.assign(m_rows.KeyText(lo));
                    if (m_other != m_rows.KeyText(hi)) {
                        m_rows.SwapRows(lo, hi);
                    }
                }
                ++lo;
                --hi;
            }
        }
    }

    SortableRows& m_rows;
    bool m_ascending;
    SortKeyKind m_kind;
    std::string m_pivotText;
    double m_pivotValue = 0.0;
    std::string m_other;
};

} // namespace

void QuickSortRows(SortableRows& rows, int low, int high, bool ascending, SortKeyKind kind) {
    Partitioner(rows, ascending, kind).Sort(low, high);
}
