#include "mainwnd/WindowPosition.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// A 1920 x 1080 primary monitor with a 40-pixel task bar at the bottom, and the window's size.
constexpr ScreenRect kPrimary{0, 0, 1920, 1040};
constexpr int32_t kWidth = 500;
constexpr int32_t kHeight = 400;

ScreenLayout Layout(std::vector<ScreenRect> others, int32_t virtualWidth, int32_t virtualHeight) {
    ScreenLayout layout{kPrimary, virtualWidth, virtualHeight, {kPrimary}};
    layout.workAreas.insert(layout.workAreas.end(), others.begin(), others.end());
    return layout;
}

TEST(WindowPositionTest, SavedCornersOverMonitorLayouts) {
    const ScreenLayout single = Layout({}, 1920, 1080);
    const ScreenLayout right = Layout({{1920, 0, 3840, 1080}}, 3840, 1080);
    const ScreenLayout left = Layout({{-1920, 0, 0, 1080}}, 3840, 1080);
    const ScreenLayout above = Layout({{0, -1080, 1920, 0}}, 1920, 2160);
    const struct {
        const char* what;
        const ScreenLayout& screens;
        int32_t left;
        int32_t top;
        bool restored;
    } cases[] = {
        {"inside the primary work area", single, 100, 100, true},
        {"at its top-left corner", single, 0, 0, true},
        {"touching its right edge", single, 1920 - kWidth, 0, true},
        {"left of it", single, -1, 100, false},
        {"above it", single, 100, -1, false},
        {"past its right edge", single, 1921 - kWidth, 100, false},
        // The primary work area reaches down to the screen's size: over the task bar is accepted.
        {"over the task bar", single, 100, 1080 - kHeight, true},
        {"past the screen's bottom", single, 100, 1081 - kHeight, false},
        {"on a monitor to the right", right, 2500, 100, true},
        {"across the edge to the right one", right, 1800, 100, true},
        {"past the right monitor", right, 3841 - kWidth, 100, false},
        {"on a monitor to the left", left, -1500, 100, true},
        {"across the edge to the left one", left, -100, 100, false},
        {"on a monitor above", above, 100, -900, true},
        {"where a left monitor was", single, -1500, 100, false},
        {"where a right monitor was", single, 2500, 100, false},
        {"where a monitor above was", single, 100, -900, false},
        // Left + width past the 32-bit range must not wrap round to a small right edge.
        {"far right, wrapping", single, INT32_MAX - 100, 0, false},
        {"far down, wrapping", single, 0, INT32_MAX - 100, false},
        {"far left", left, INT32_MIN, 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.restored, IsRestorablePosition(c.left, c.top, kWidth, kHeight, c.screens)) << c.what;
    }
}

} // namespace
