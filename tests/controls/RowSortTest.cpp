#include "controls/NumberText.h"
#include "controls/RowSort.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
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

// Rows held in vectors: the key column and a row identity that must travel with it.
class VectorRows : public SortableRows {
public:
    explicit VectorRows(std::vector<std::string> keys) : keys(std::move(keys)) {
        for (size_t i = 0; i < this->keys.size(); ++i) {
            ids.push_back((int)i);
        }
    }
    std::string_view KeyText(int row) override {
        ++reads;
        EXPECT_GE(row, 0);
        EXPECT_LT(row, (int)keys.size());
        return keys.at((size_t)row);
    }
    void SwapRows(int a, int b) override {
        EXPECT_NE(keys.at((size_t)a), keys.at((size_t)b)); // equal texts are never swapped
        std::swap(keys.at((size_t)a), keys.at((size_t)b));
        std::swap(ids.at((size_t)a), ids.at((size_t)b));
        ++swaps;
    }
    std::vector<std::string> keys;
    std::vector<int> ids;
    int swaps = 0;
    long reads = 0;
};

std::vector<std::string> Sorted(std::vector<std::string> keys, bool ascending, SortKeyKind kind) {
    VectorRows rows(std::move(keys));
    QuickSortRows(rows, 0, (int)rows.keys.size() - 1, ascending, kind);
    return rows.keys;
}

TEST(RowSortTest, SortsNumbersByValueAndMessagesByBytes) {
    using V = std::vector<std::string>;
    EXPECT_EQ((V{"-12", "-5", "3"}), Sorted({"3", "-12", "-5"}, true, SortKeyKind::Number));
    EXPECT_EQ((V{"3", "-5", "-12"}), Sorted({"-5", "3", "-12"}, false, SortKeyKind::Number));
    EXPECT_EQ((V{"-0.4", "0.1", "1.2", "10.0"}),
              Sorted({"10.0", "0.1", "1.2", "-0.4"}, true, SortKeyKind::Number));
    EXPECT_EQ((V{"000015", "001230", "123045"}),
              Sorted({"123045", "000015", "001230"}, true, SortKeyKind::Number));
    EXPECT_EQ((V{"73", "CQ", "CQ DX", "K1ABC", "cq"}),
              Sorted({"cq", "K1ABC", "CQ DX", "73", "CQ"}, true, SortKeyKind::Text));
    EXPECT_EQ((V{"b", "a", "B", "A"}), Sorted({"A", "b", "B", "a"}, false, SortKeyKind::Text));
}

TEST(RowSortTest, NothingMovesForFewerThanTwoRowsOrAnEmptyRange) {
    VectorRows one({"x"});
    QuickSortRows(one, 0, 0, true, SortKeyKind::Text);
    VectorRows two({"b", "a"});
    QuickSortRows(two, 1, 0, true, SortKeyKind::Text);
    QuickSortRows(two, 0, -1, true, SortKeyKind::Text);
    EXPECT_EQ(0, one.swaps + two.swaps);
    EXPECT_EQ(0, one.reads + two.reads);
}

TEST(RowSortTest, OnlyTheGivenRangeIsSorted) {
    VectorRows rows({"9", "5", "1", "3", "0"});
    QuickSortRows(rows, 1, 3, true, SortKeyKind::Number);
    EXPECT_EQ((std::vector<std::string>{"9", "1", "3", "5", "0"}), rows.keys);
}

bool InOrder(const std::vector<std::string>& keys, bool ascending, SortKeyKind kind) {
    for (size_t i = 1; i < keys.size(); ++i) {
        const int c = kind == SortKeyKind::Text
                          ? CompareBytes(keys[i - 1], keys[i])
                          : (ParseNumberText(keys[i - 1]) < ParseNumberText(keys[i])
                                 ? -1
                                 : (ParseNumberText(keys[i - 1]) > ParseNumberText(keys[i]) ? 1 : 0));
        if (ascending ? c > 0 : c < 0) {
            return false;
        }
    }
    return true;
}

TEST(RowSortTest, LargeListsWithManyEqualKeysComeOutOrderedWithRowsIntact) {
    std::mt19937 random(1234);
    for (SortKeyKind kind : {SortKeyKind::Number, SortKeyKind::Text}) {
        for (bool ascending : {true, false}) {
            std::vector<std::string> keys;
            for (int i = 0; i < 10000; ++i) {
                // Few distinct values, like SNR reports, plus texts that differ but are equal numbers.
                const int v = (int)(random() % 45) - 24;
                keys.push_back(random() % 7 == 0 ? std::to_string(v) + ".0" : std::to_string(v));
            }
            VectorRows rows(keys);
            QuickSortRows(rows, 0, (int)keys.size() - 1, ascending, kind);
            EXPECT_TRUE(InOrder(rows.keys, ascending, kind));
            for (size_t i = 0; i < keys.size(); ++i) {
                EXPECT_EQ(keys[(size_t)rows.ids[i]], rows.keys[i]); // each key still with its row
            }
        }
    }
}

TEST(RowSortTest, AlreadySortedAndReversedListsStaySorted) {
    std::vector<std::string> keys;
    for (int i = 0; i < 5000; ++i) {
        keys.push_back(std::to_string(i));
    }
    for (bool ascending : {true, false}) {
        EXPECT_TRUE(InOrder(Sorted(keys, ascending, SortKeyKind::Number), ascending, SortKeyKind::Number));
        std::vector<std::string> reversed(keys.rbegin(), keys.rend());
        EXPECT_TRUE(
            InOrder(Sorted(reversed, ascending, SortKeyKind::Number), ascending, SortKeyKind::Number));
    }
}

} // namespace
