#include "estimate/OffsetStrategies.h"

#include "estimate/DtWindow.h"

#include <cstddef>
#include <cstdint>

namespace {

// Mean of the 3-point running medians, without padding at the ends; a plain mean below three samples,
// so that a single outlier never reaches the result.
double MedianAverage(const DtWindow& window) {
    const std::size_t n = window.Count();
    double sum = 0.0;
    if (n < 3) {
        window.ForEach([&](double v) { sum += v; });
        return sum / static_cast<double>(n);
    }
    // One read per sample: the last two samples travel along as the first two median arguments.
    double a = window[0];
    double b = window[1];
    std::size_t position = 0;
    window.ForEach([&](double c) {
        if (position++ < 2)
            return;
        sum += MedianOfThree(a, b, c);
        a = b;
        b = c;
    });
    return sum / static_cast<double>(n - 2);
}

// Mean after dropping one lowest and one highest sample. The bounds start at fixed values, not at the first
// sample: when every sample lies above 15 s (below -15 s), the bound itself is dropped as the lowest
// (highest) value.
double MinMaxAverage(const DtWindow& window) {
    const std::size_t n = window.Count();
    double lo = 15.0;
    double hi = -15.0;
    double sum = 0.0;
    window.ForEach([&](double v) {
        if (v > hi)
            hi = v;
        if (v < lo)
            lo = v;
        sum += v;
    });
    if (n > 2)
        return (sum - lo - hi) / static_cast<double>(n - 2);
    return sum / static_cast<double>(n);
}

// Bin edges of the 0.1 s histogram: written out so that each is the double nearest its decimal value
// (k * 0.1 would not be). Bin k covers (edge[k], edge[k + 1]], bin 0 also holds -1.0; its weight is its
// upper edge.
constexpr int kBins = 20;
constexpr double kEdges[kBins + 1] = {-1.0, -0.9, -0.8, -0.7, -0.6, -0.5, -0.4, -0.3, -0.2, -0.1, 0.0,
                                      0.1,  0.2,  0.3,  0.4,  0.5,  0.6,  0.7,  0.8,  0.9,  1.0};

// Every sample inside [-1.0, 1.0] replaced by the upper edge of its bin, every other sample (NaN too)
// counted as 0.0, and the mean of the n values taken bin by bin.
double WeighedSum(const DtWindow& window) {
    // Whole counts are exact, so counting in integers gives the same fractions as adding 1.0 each time.
    std::size_t counters[kBins] = {};
    window.ForEach([&](double v) {
        if (!(v >= kEdges[0] && v <= kEdges[kBins]))
            return;
        // The index of the nearest edge: rounding errors here are around 1e-15 against a margin of 0.5,
        // so it is the bin's own lower or upper edge, and one comparison with that exact edge tells which
        // (an upper edge belongs to the bin below it; -1.0 belongs to bin 0).
        const int edge = static_cast<int>((v - kEdges[0]) * 10.0 + 0.5);
        ++counters[edge - ((edge > 0) & (v <= kEdges[edge]))];
    });
    const double n = static_cast<double>(window.Count());
    double sum = 0.0;
    for (int k = 0; k < kBins; ++k)
        sum += kEdges[k + 1] * (static_cast<double>(counters[k]) / n);
    return sum;
}

} // namespace

double MedianOfThree(double a, double b, double c) {
    // All three candidates are formed first and the choice is made by index rather than by branches,
    // which matters for noisy DTs, where the order of neighbours is random. `x > y ? x : y` keeps the
    // NaN rules exactly.
    const double candidates[3] = {b > c ? b : c, a > c ? a : c, a > b ? a : b};
    const int aHighest = (a >= b) & (a >= c);
    const int bHighest = (b >= a) & (b >= c);
    return candidates[2 - 2 * aHighest - (bHighest & (1 - aHighest))];
}

double CalculateOffset(const DtWindow& window, std::int32_t strategy) {
    if (window.IsEmpty())
        return 0.0;
    switch (strategy) {
    case kStrategyMedianAverage:
        return MedianAverage(window);
    case kStrategyMinMaxAverage:
        return MinMaxAverage(window);
    case kStrategyWeighedSum:
        return WeighedSum(window);
    default:
        return 0.0;
    }
}
