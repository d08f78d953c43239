#include "controls/RowSort.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double ParseNumberText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t start = i;
    // Decimal exponent of the first significant digit, for telling overflow from underflow.
    long long magnitude = 0;
    bool seenSignificant = false;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        if (seenSignificant || text[i] != '0') {
            seenSignificant = true;
            ++magnitude;
        }
        ++digits;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            if (!seenSignificant) {
                if (text[i] != '0') {
                    seenSignificant = true;
                } else {
                    --magnitude;
                }
            }
            ++digits;
            ++i;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    // An exponent counts only when at least one digit follows the "e" and its sign.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            long long exponent = 0;
            while (j < text.size() && IsDigit(text[j])) {
                exponent = std::min(exponent * 10 + (text[j] - '0'), 1000000000LL);
                ++j;
            }
            magnitude += expNegative ? -exponent : exponent;
            i = j;
        }
    }
    if (!seenSignificant) {
        return negative ? -0.0 : 0.0;
    }
    // from_chars rounds exactly and ignores the locale; it only lacks the leading sign handled above.
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + i, value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        value = magnitude > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

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
