#pragma once

#include <cstdint>

#include "settings/SettingsSchema.h"

class DtWindow;

// The strategy numbers as stored in the `Strategy` setting and shown by the setup dialog's radio buttons.
enum OffsetStrategy : std::int32_t {
    kStrategyMedianAverage = 0,
    kStrategyMinMaxAverage = 1,
    kStrategyWeighedSum = 2,
};

// The radio-button texts, indexed by strategy number (kStrategyCount of them, as the setting allows).
inline constexpr const char* kStrategyNames[kStrategyCount] = {
    "Median Filter + Average",
    "Fixed Min-Max + Average",
    "Weighed Sum in Range [ -1.0s ... 1.0s ]",
};

// The estimated clock error in seconds: the mean DT of the window by the numbered strategy, positive
// when the stations are decoded late. Reads the window only. An unknown strategy gives 0.0 and so does
// an empty window (the main window never asks for one).
double CalculateOffset(const DtWindow& window, std::int32_t strategy);

// The middle one of three values. Comparisons with a NaN are false, so a NaN in `a` or `c` yields one of
// the others and a NaN in `b` is returned (see the tests for every position).
double MedianOfThree(double a, double b, double c);
