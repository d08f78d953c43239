#include "clock/SystemClock.h"
#include "clock/ClockTicks.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

TEST(SystemClock, AFakeIsInUseWhileItLivesAndTheOneBeforeComesBack) {
    CSystemClock* platform = &SystemClock();
    EXPECT_EQ(platform, &PlatformSystemClock());
    {
        FakeClock outer(SystemTime{2024, 1, 1, 1, 0, 0, 0, 0});
        EXPECT_EQ(&SystemClock(), &outer);
        {
            FakeClock inner(SystemTime{2025, 1, 3, 1, 0, 0, 0, 0});
            EXPECT_EQ(&SystemClock(), &inner);
        }
        EXPECT_EQ(&SystemClock(), &outer);
    }
    EXPECT_EQ(&SystemClock(), platform);
}

TEST(SystemClock, ThePlatformClockReadsTheRealUtcTime) {
    const std::time_t before = std::time(nullptr);
    const SystemTime now = PlatformSystemClock().GetUtc();
    const std::time_t after = std::time(nullptr);
    int64_t ticks = 0;
    ASSERT_TRUE(SystemTimeToTicks(now, ticks));
    const int64_t seconds = (ticks - kUnixEpochTicks) / kTicksPerSecond;
    EXPECT_GE(seconds, before - 1);
    EXPECT_LE(seconds, after + 1);
    SystemTime same{};
    ASSERT_TRUE(TicksToSystemTime(ticks, same));
    EXPECT_EQ(now.wDayOfWeek, same.wDayOfWeek);
}

#ifndef _WIN32
TEST(SystemClock, TheNativeClockRefusesEveryChange) {
    uint32_t error = 0;
    const SystemTime now = PlatformSystemClock().GetUtc();
    EXPECT_EQ(PlatformSystemClock().SetUtc(now, &error), 0);
    EXPECT_EQ(error, kErrorPrivilegeNotHeld);
}
#endif

} // namespace
