#include "estimate/DtWindow.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace {

std::vector<double> Contents(const DtWindow& window) {
    std::vector<double> viaForEach;
    window.ForEach([&](double v) { viaForEach.push_back(v); });
    std::vector<double> viaPosition;
    for (std::size_t i = 0; i < window.Count(); ++i)
        viaPosition.push_back(window[i]);
    EXPECT_EQ(viaForEach, viaPosition);
    return viaPosition;
}

// The main window's rule with a limit of three rows: evict before appending once full.
TEST(DtWindowTest, FullWindowKeepsTheNewestSamples) {
    DtWindow window;
    for (double dt : {1.0, 2.0, 3.0, 4.0, 5.0}) {
        if (window.Count() >= 3)
            window.RemoveOldest();
        window.Append(dt);
    }
    EXPECT_EQ(Contents(window), (std::vector<double>{3.0, 4.0, 5.0}));
}

TEST(DtWindowTest, RemovingFromAnEmptyWindowIsHarmless) {
    DtWindow window;
    window.RemoveOldest();
    EXPECT_EQ(window.Count(), 0u);
    window.Append(0.7);
    window.RemoveOldest();
    window.RemoveOldest();
    EXPECT_TRUE(window.IsEmpty());
    window.Append(-0.25);
    EXPECT_EQ(Contents(window), (std::vector<double>{-0.25}));
}

// A long mixed run of appends, evictions and the odd reset, so the ring wraps and grows while wrapped,
// checked against a plain deque after every step.
TEST(DtWindowTest, MatchesAQueueThroughWrapsAndGrowth) {
    DtWindow window;
    std::deque<double> expected;
    unsigned state = 12345;
    for (int step = 0; step < 3000; ++step) {
        state = state * 1103515245u + 12345u;
        const unsigned roll = (state >> 16) % 10;
        if (roll < 6 || expected.empty()) {
            window.Append(step * 0.5);
            expected.push_back(step * 0.5);
        } else if (roll < 9) {
            window.RemoveOldest();
            expected.pop_front();
        } else if (step % 5 == 0) {
            window.Reserve(expected.size() + 50);
        } else if (step % 97 == 0) {
            window.RemoveAll();
            expected.clear();
        }
        ASSERT_EQ(window.Count(), expected.size()) << "step " << step;
        if (!expected.empty()) {
            ASSERT_EQ(window[0], expected.front()) << "step " << step;
            ASSERT_EQ(window[window.Count() - 1], expected.back()) << "step " << step;
        }
    }
    EXPECT_EQ(Contents(window), std::vector<double>(expected.begin(), expected.end()));
}

} // namespace
