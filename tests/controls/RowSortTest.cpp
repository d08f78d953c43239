#include "controls/RowSort.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(RowSortTest, NumberTextsReadLikeAtofInTheCLocale) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"-12", -12.0},      {"  +3", 3.0},
        {"\t-0.5", -0.5},    {"1.5e3", 1500.0},
        {"2E-2x", 0.02},     {"7e", 7.0}, // an exponent without digits is not read
        {"7e+", 7.0},        {".25", 0.25},
        {"4.", 4.0},         {"123456", 123456.0}, // the time column
        {"1,5", 1.0},                              // a decimal comma ends the number
        {"", 0.0},           {"abc", 0.0},
        {"-", 0.0},          {".", 0.0},
        {"- 5", 0.0},        {"0x10", 0.0}, // no hexadecimal
        {"inf", 0.0},                       // nor words
        {"1e999", HUGE_VAL}, {"-1e999", -HUGE_VAL},
        {"1e-999", 0.0},     {"0.0000e99999999999999999999", 0.0},
        {"0.1", 0.1},        {"00000000000000000000000000000001", 1.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, ParseNumberText(c.text)) << '"' << c.text << '"';
        // The C library agrees wherever its grammar is the one above.
        if (std::string_view(c.text).find_first_of("xni") == std::string_view::npos) {
            EXPECT_EQ(std::atof(c.text), ParseNumberText(c.text)) << '"' << c.text << '"';
        }
    }
}

TEST(RowSortTest, NumberTextsIgnoreTheProcessLocale) {
    // A locale with a decimal comma, if this machine has one; the result must not change.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    for (const char* name : {"de_DE.UTF-8", "de_DE", "German_Germany.1252"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            break;
        }
    }
    EXPECT_EQ(-0.5, ParseNumberText("-0.5"));
    EXPECT_EQ(1.0, ParseNumberText("1,5"));
    std::setlocale(LC_NUMERIC, saved.c_str());
}

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
