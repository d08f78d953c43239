#include "estimate/OffsetStrategies.h"

#include "estimate/DtWindow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

DtWindow MakeWindow(std::initializer_list<double> samples) {
    DtWindow window;
    for (double v : samples)
        window.Append(v);
    return window;
}

struct StrategyCase {
    const char* name;
    std::vector<double> samples;
    int strategy;
    double expected;
};

void PrintTo(const StrategyCase& c, std::ostream* os) {
    *os << c.name;
}

class StrategyExamples : public testing::TestWithParam<StrategyCase> {};

TEST_P(StrategyExamples, GiveTheExpectedEstimate) {
    const StrategyCase& c = GetParam();
    DtWindow window;
    for (double v : c.samples)
        window.Append(v);
    EXPECT_NEAR(CalculateOffset(window, c.strategy), c.expected, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(OffsetStrategiesTest, StrategyExamples,
                         testing::Values(
                             // One sample: its own value, or its bin's upper edge.
                             StrategyCase{"OneSampleMedian", {0.37}, 0, 0.37},
                             StrategyCase{"OneSampleMinMax", {0.37}, 1, 0.37},
                             StrategyCase{"OneSampleWeighed", {0.37}, 2, 0.4},
                             StrategyCase{"OneSampleOutsideWeighed", {-1.5}, 2, 0.0},
                             // Two samples: the plain mean.
                             StrategyCase{"TwoSamplesMedian", {0.2, 0.7}, 0, 0.45},
                             StrategyCase{"TwoSamplesMinMax", {0.2, 0.7}, 1, 0.45},
                             // A lone outlier is dropped by both averaging strategies.
                             StrategyCase{"OutlierMedian", {0.1, 5.0, 0.3}, 0, 0.3},
                             StrategyCase{"OutlierMinMax", {0.1, 5.0, 0.3}, 1, 0.3},
                             StrategyCase{"TrailingOutlierMedian", {0.1, 0.2, 0.3, 10.0}, 0, 0.25},
                             StrategyCase{"OutlierInARunMedian", {0.2, 0.2, 9.0, 0.2, 0.2}, 0, 0.2},
                             // Duplicated extremes are removed once only.
                             StrategyCase{"DuplicatedExtremesMinMax", {1.0, 0.0, 1.0, 0.0, 0.4}, 1, 1.4 / 3},
                             // The fixed start bounds take part when every sample lies beyond them.
                             StrategyCase{"AllAboveBoundMinMax", {20.0, 20.0, 20.0}, 1, 25.0},
                             StrategyCase{"AllBelowBoundMinMax", {-20.0, -20.0, -20.0}, 1, -25.0},
                             // Bins 0, 0, 9, 10, 19.
                             StrategyCase{"HistogramWeighed", {-1.0, -0.9, 0.0, 0.05, 1.0}, 2, -0.14},
                             StrategyCase{"AllOutsideWeighed", {1.5, -2.0, 3.0, -1.0000001}, 2, 0.0},
                             // Samples outside the range still count in n and pull towards zero.
                             StrategyCase{"OutsideCountsInNWeighed", {0.45, 7.0}, 2, 0.25},
                             StrategyCase{"NaNCountsInNWeighed", {0.45, kNaN}, 2, 0.25},
                             StrategyCase{"InfinityOutsideWeighed", {kInf, -kInf, 0.95, 0.95}, 2, 0.5},
                             // Unknown strategy numbers.
                             StrategyCase{"StrategyThree", {0.5, 0.6}, 3, 0.0},
                             StrategyCase{"StrategyMinusOne", {0.5, 0.6}, -1, 0.0},
                             StrategyCase{"StrategyLarge", {0.5}, 0x7FFFFFFF, 0.0}),
                         [](const testing::TestParamInfo<StrategyCase>& info) {
                             return std::string(info.param.name);
                         });

// The edges are the doubles nearest their decimal values, each upper edge belonging to the lower bin.
struct BinCase {
    double sample;
    double weight;
};

TEST(OffsetStrategiesTest, WeighedSumBinsAtTheEdges) {
    const BinCase cases[] = {
        {-1.0, -0.9},
        {-0.9, -0.9},
        {std::nextafter(-0.9, 0.0), -0.8},
        {-0.05, 0.0},
        {-0.0, 0.0},
        {0.0, 0.0},
        {std::numeric_limits<double>::denorm_min(), 0.1},
        {0.1, 0.1},
        {std::nextafter(0.1, 1.0), 0.2},
        {0.3, 0.3},
        {0.1 + 0.2, 0.4}, // 0.30000000000000004 lies above the edge 0.3
        {0.7, 0.7},
        {std::nextafter(1.0, 0.0), 1.0},
        {1.0, 1.0},
        {std::nextafter(1.0, 2.0), 0.0},
        {std::nextafter(-1.0, -2.0), 0.0},
    };
    for (const BinCase& c : cases)
        EXPECT_EQ(CalculateOffset(MakeWindow({c.sample}), kStrategyWeighedSum), c.weight)
            << "sample " << c.sample;
}

// Values across the whole range and next to every edge land in the bin the interval table names.
TEST(OffsetStrategiesTest, WeighedSumAgreesWithTheIntervalTableAroundEveryEdge) {
    const double edges[] = {-1.0, -0.9, -0.8, -0.7, -0.6, -0.5, -0.4, -0.3, -0.2, -0.1, 0.0,
                            0.1,  0.2,  0.3,  0.4,  0.5,  0.6,  0.7,  0.8,  0.9,  1.0};
    auto tableWeight = [&](double v) {
        if (v >= edges[0] && v <= edges[1])
            return edges[1];
        for (int k = 1; k < 20; ++k)
            if (v > edges[k] && v <= edges[k + 1])
                return edges[k + 1];
        return 0.0;
    };
    for (int i = -1; i <= 20001; ++i) {
        const double v = -1.0 + i * 1e-4;
        ASSERT_EQ(CalculateOffset(MakeWindow({v}), kStrategyWeighedSum), tableWeight(v)) << "sample " << v;
    }
    for (double edge : edges) {
        double v = edge;
        for (int i = 0; i < 3; ++i)
            v = std::nextafter(v, -2.0);
        for (int i = 0; i < 7; ++i, v = std::nextafter(v, 2.0))
            EXPECT_EQ(CalculateOffset(MakeWindow({v}), kStrategyWeighedSum), tableWeight(v))
                << "sample " << v;
    }
}

TEST(OffsetStrategiesTest, EmptyWindowGivesZeroForEveryStrategy) {
    const DtWindow empty;
    for (int strategy = -1; strategy <= 3; ++strategy)
        EXPECT_EQ(CalculateOffset(empty, strategy), 0.0) << "strategy " << strategy;
}

// A window whose ring has wrapped gives the same estimates as the same samples stored in order, and is
// left as it was.
TEST(OffsetStrategiesTest, WrappedWindowIsReadInOrderAndLeftUnchanged) {
    DtWindow wrapped;
    DtWindow plain;
    for (int i = 0; i < 100; ++i) {
        const double dt = std::sin(i * 0.7) * 1.3 + (i % 17 == 0 ? 6.0 : 0.0);
        if (wrapped.Count() >= 37)
            wrapped.RemoveOldest();
        wrapped.Append(dt);
        if (i >= 100 - 37)
            plain.Append(dt);
    }
    std::vector<double> before;
    wrapped.ForEach([&](double v) { before.push_back(v); });
    for (int strategy = 0; strategy <= 2; ++strategy)
        EXPECT_EQ(CalculateOffset(wrapped, strategy), CalculateOffset(plain, strategy))
            << "strategy " << strategy;
    std::vector<double> after;
    wrapped.ForEach([&](double v) { after.push_back(v); });
    EXPECT_EQ(before, after);
}

struct MedianCase {
    double a, b, c;
    double expected; // NaN: the result must be NaN
};

TEST(OffsetStrategiesTest, MedianOfThree) {
    const MedianCase cases[] = {
        {1, 2, 3, 2},
        {1, 3, 2, 2},
        {2, 1, 3, 2},
        {2, 3, 1, 2},
        {3, 1, 2, 2},
        {3, 2, 1, 2},
        {2, 2, 1, 2},
        {1, 2, 2, 2},
        {2, 1, 2, 2},
        {-0.5, -0.5, -0.5, -0.5},
        // Comparisons with NaN are false: a NaN in the middle position comes back, elsewhere it does not.
        {kNaN, 1, 2, 1},
        {kNaN, 2, 1, 2},
        {1, kNaN, 2, kNaN},
        {2, kNaN, 1, kNaN},
        {1, 2, kNaN, 2},
        {2, 1, kNaN, 2},
        {kNaN, kNaN, kNaN, kNaN},
    };
    for (const MedianCase& c : cases) {
        const double median = MedianOfThree(c.a, c.b, c.c);
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(median)) << c.a << ", " << c.b << ", " << c.c;
        else
            EXPECT_EQ(median, c.expected) << c.a << ", " << c.b << ", " << c.c;
    }
}

TEST(OffsetStrategiesTest, StrategyNamesMatchTheirNumbers) {
    EXPECT_STREQ(kStrategyNames[kStrategyMedianAverage], "Median Filter + Average");
    EXPECT_STREQ(kStrategyNames[kStrategyMinMaxAverage], "Fixed Min-Max + Average");
    EXPECT_STREQ(kStrategyNames[kStrategyWeighedSum], "Weighed Sum in Range [ -1.0s ... 1.0s ]");
}

} // namespace
