#include "estimate/DecodeLedger.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<double> Samples(const DecodeLedger& ledger) {
    std::vector<double> samples;
    ledger.Samples().ForEach([&](double dt) { samples.push_back(dt); });
    return samples;
}

// The main window's rule with a limit of three rows, while the list is sorted in between.
TEST(DecodeLedgerTest, EvictsTheOldestDecodeWhereverASortPutIt) {
    DecodeLedger ledger;
    for (double dt : {0.1, 0.2, 0.3})
        ledger.Append(dt);
    const DecodeLedger::DecodeId first = ledger.DecodeAt(0);
    const DecodeLedger::DecodeId third = ledger.DecodeAt(2);
    ASSERT_TRUE(ledger.Reorder(std::vector<int>{2, 0, 1})); // rows now show decodes 3, 1, 2
    EXPECT_EQ(ledger.RowOf(first), 1);
    EXPECT_EQ(ledger.RowOf(third), 0);

    EXPECT_EQ(ledger.RemoveOldest(), 1);
    ledger.Append(0.4); // the new decode goes last: rows 3, 2, 4
    EXPECT_EQ(ledger.RowOf(first), -1);
    EXPECT_EQ(ledger.RowOf(third), 0);
    EXPECT_EQ(Samples(ledger), (std::vector<double>{0.2, 0.3, 0.4}));
    EXPECT_EQ(ledger.RemoveOldest(), 1);
    EXPECT_EQ(ledger.RemoveOldest(), 0);
    EXPECT_EQ(ledger.RemoveOldest(), 0);
    EXPECT_EQ(ledger.RemoveOldest(), -1);
    EXPECT_EQ(ledger.Rows(), 0);
    EXPECT_TRUE(ledger.Samples().IsEmpty());
}

TEST(DecodeLedgerTest, IdentitiesOutliveAResetAndBadReorderingsChangeNothing) {
    DecodeLedger ledger;
    ledger.Append(0.1);
    ledger.Append(0.2);
    const DecodeLedger::DecodeId old = ledger.DecodeAt(1);
    for (const std::vector<int>& bad : {std::vector<int>{0}, {0, 0}, {1, 2}, {-1, 0}, {1, 0, 2}})
        EXPECT_FALSE(ledger.Reorder(bad));
    EXPECT_EQ(ledger.RowOf(old), 1);
    EXPECT_EQ(ledger.DecodeAt(2), DecodeLedger::kNoDecode);
    EXPECT_EQ(ledger.DecodeAt(-1), DecodeLedger::kNoDecode);
    ledger.RemoveAll();
    ledger.Append(0.3);
    ledger.Append(0.4);
    EXPECT_EQ(ledger.RowOf(old), -1) << "a new decode took the identity of an earlier one";
    EXPECT_EQ(Samples(ledger), (std::vector<double>{0.3, 0.4}));
}

// A full list of three: the mark follows its decode through a sort and an eviction, leaves with it,
// and a new decode clears it.
TEST(DecodeLedgerTest, TheMarkFollowsItsDecodeAndANewDecodeClearsIt) {
    DecodeLedger ledger;
    for (double dt : {0.1, 0.2, 0.3}) {
        EXPECT_EQ(ledger.MakeRoom(3), -1);
        EXPECT_EQ(ledger.Append(dt), -1);
    }
    ledger.MarkRow(1); // decode 2
    ASSERT_TRUE(ledger.Reorder(std::vector<int>{2, 1, 0}));
    EXPECT_EQ(ledger.MarkedRow(), 1);
    EXPECT_EQ(ledger.MakeRoom(3), 2); // decode 1 leaves from the bottom
    EXPECT_EQ(ledger.MarkedRow(), 1);
    EXPECT_EQ(ledger.Append(0.4), 1) << "the new decode reports the row it unmarked";
    EXPECT_EQ(ledger.MarkedRow(), -1);

    const DecodeLedger::DecodeId oldest = ledger.DecodeAt(1);
    ledger.Mark(oldest);
    EXPECT_EQ(ledger.MakeRoom(3), 1);
    EXPECT_EQ(ledger.MarkedRow(), -1) << "the mark left with its decode";
    ledger.MarkRow(7);
    EXPECT_EQ(ledger.MarkedRow(), -1);
    ledger.MarkRow(0);
    ledger.RemoveAll();
    ledger.Append(0.5);
    EXPECT_EQ(ledger.MarkedRow(), -1);
}

} // namespace
