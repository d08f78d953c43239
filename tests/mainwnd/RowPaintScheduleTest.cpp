#include "mainwnd/RowPaintSchedule.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(RowPaintScheduleTest, ALoneRowShowsAtOnceABurstWhenItEndsOrAfterTheLongestDelay) {
    const RowPaintSchedule::Clock::time_point t0{};
    RowPaintSchedule schedule;
    const struct {
        std::chrono::milliseconds at;
        bool moreWaiting;
        bool showNow;
    } steps[] = {
        {0ms, false, true},                                               // a lone decode
        {100ms, true, false}, {101ms, true, false}, {102ms, false, true}, // a short burst, shown at its end
        {200ms, true, false}, {210ms, true, false}, {219ms, true, false},
        {220ms, true, true}, // a long one: 20 ms after its first unshown row
        {221ms, true, false},
    };
    for (const auto& step : steps) {
        const bool showNow = schedule.RowAdded(t0 + step.at, step.moreWaiting);
        EXPECT_EQ(step.showNow, showNow) << step.at.count();
        if (showNow) {
            schedule.Shown();
        }
    }
    EXPECT_EQ(t0 + 241ms, schedule.Deadline());
}

} // namespace
