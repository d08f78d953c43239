#include "text/NumberText.h"
#include "controls/RowSort.h"

#include "SortTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(RowSortTest, TextsCompareAsUnsignedBytes) {
    EXPECT_LT(CompareBytes("9", "A"), 0);
    EXPECT_LT(CompareBytes("Z", "a"), 0);
    EXPECT_LT(CompareBytes("CQ", "CQ DX"), 0);
    EXPECT_EQ(CompareBytes("CQ K1ABC", "CQ K1ABC"), 0);
    EXPECT_LT(CompareBytes("z", "\xE9"), 0); // bytes above 127 after ASCII
    EXPECT_GT(CompareBytes(std::string_view("a\0b", 3), "a"), 0);
}

using Keys = std::vector<std::string>;

Keys Sorted(const Keys& keys, bool ascending, SortKeyKind kind) {
    Keys sorted;
    for (const int row : SortRowOrder(keys, ascending, kind)) {
        sorted.push_back(keys.at((size_t)row));
    }
    return sorted;
}

TEST(RowSortTest, SortsNumbersByValueAndMessagesByBytes) {
    EXPECT_EQ((Keys{"-12", "-5", "3"}), Sorted({"3", "-12", "-5"}, true, SortKeyKind::Number));
    EXPECT_EQ((Keys{"3", "-5", "-12"}), Sorted({"-5", "3", "-12"}, false, SortKeyKind::Number));
    EXPECT_EQ((Keys{"-0.4", "0.1", "1.2", "10.0"}),
              Sorted({"10.0", "0.1", "1.2", "-0.4"}, true, SortKeyKind::Number));
    EXPECT_EQ((Keys{"000015", "001230", "123045"}),
              Sorted({"123045", "000015", "001230"}, true, SortKeyKind::Number));
    EXPECT_EQ((Keys{"73", "CQ", "CQ DX", "K1ABC", "cq"}),
              Sorted({"cq", "K1ABC", "CQ DX", "73", "CQ"}, true, SortKeyKind::Text));
    EXPECT_EQ((Keys{"b", "a", "B", "A"}), Sorted({"A", "b", "B", "a"}, false, SortKeyKind::Text));
    // Texts that part before, at and after their eighth byte, ended, with a zero byte or a byte above 127.
    const Keys texts{"CQ",          std::string("CQ\0", 3), "CQ DL1AB",
                     "CQ DL1ABB",   "CQ DL1ABC JO62",       "CQ DL1ABC\xE9",
                     "CQ DL1AB\xE9"};
    EXPECT_EQ(texts, Sorted(Keys(texts.rbegin(), texts.rend()), true, SortKeyKind::Text));
    EXPECT_TRUE(SortRowOrder({}, true, SortKeyKind::Text).empty());
    EXPECT_EQ((std::vector<int>{0}), SortRowOrder(Keys{"x"}, true, SortKeyKind::Text));
}

// The list's sort as it was before it read its keys once: a quicksort over rows that are read and
// swapped through the control for every step. Kept here as the reference for the order of equal keys.
class ReferenceSort {
public:
    ReferenceSort(Keys keys, bool ascending, SortKeyKind kind)
        : m_keys(std::move(keys)), m_ascending(ascending), m_kind(kind) {
        for (int i = 0; i < (int)m_keys.size(); ++i) {
            rows.push_back(i);
        }
        Sort(0, (int)m_keys.size() - 1);
    }
    std::vector<int> rows;

private:
    void Sort(int low, int high) {
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
    int CompareToPivot(int row) {
        const std::string& text = m_keys[(size_t)row];
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
        m_pivotText = m_keys[(size_t)(low + (high - low) / 2)];
        m_pivotValue = m_kind == SortKeyKind::Number ? ParseNumberText(m_pivotText) : 0.0;
        while (lo <= hi) {
            while (lo < high && BeforePivot(lo)) {
                ++lo;
            }
            while (hi > low && AfterPivot(hi)) {
                --hi;
            }
            if (lo <= hi) {
                if (lo != hi && m_keys[(size_t)lo] != m_keys[(size_t)hi]) {
                    std::swap(m_keys[(size_t)lo], m_keys[(size_t)hi]);
                    std::swap(rows[(size_t)lo], rows[(size_t)hi]);
                }
                ++lo;
                --hi;
            }
        }
    }
    Keys m_keys;
    bool m_ascending;
    SortKeyKind m_kind;
    std::string m_pivotText;
    double m_pivotValue = 0.0;
};

TEST(RowSortTest, GivesTheReferenceOrderOnARandomTableEqualKeysIncluded) {
    const std::vector<Keys> table = RandomDecodeColumns(10000);
    for (size_t column = 0; column < table.size(); ++column) {
        const SortKeyKind kind = column == 4 ? SortKeyKind::Text : SortKeyKind::Number;
        for (const bool ascending : {true, false}) {
            EXPECT_EQ(ReferenceSort(table[column], ascending, kind).rows,
                      SortRowOrder(table[column], ascending, kind))
                << "column " << column << (ascending ? " ascending" : " descending");
        }
    }
}

TEST(RowSortTest, KeysThatDefeatTheMiddlePivotStillComeOutSortedRowsIntact) {
    constexpr int kRows = 100000; // a quadratic sort would take minutes here
    for (const SortKeyKind kind : {SortKeyKind::Number, SortKeyKind::Text}) {
        for (const bool ascending : {true, false}) {
            const Keys keys = MiddleLastKeys(kRows, ascending, kind == SortKeyKind::Text);
            const std::vector<int> order = SortRowOrder(keys, ascending, kind);
            std::vector<bool> seen(kRows);
            for (int i = 0; i < kRows; ++i) {
                // The keys are 0 .. n-1, so each row's place is its key.
                const int value = (int)ParseNumberText(keys[(size_t)order[(size_t)i]]);
                ASSERT_EQ(ascending ? i : kRows - 1 - i, value) << i;
                seen[(size_t)order[(size_t)i]] = true;
            }
            EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](bool b) { return b; }));
        }
    }
}

} // namespace
