#include "clock/TimeShift.h"
#include "ntp/NtpTimestamp.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(NtpTimestamp, FromSystemTime) {
    const struct {
        SystemTime time;
        uint32_t seconds;
        uint32_t fraction;
    } cases[] = {
        {UtcTime(1900, 1, 1, 0, 0, 0, 0), 0, 0},
        {UtcTime(2020, 1, 1, 0, 0, 0, 0), 3'786'825'600, 0},
        {UtcTime(2020, 1, 1, 0, 0, 0, 500), 3'786'825'600, 2'147'483'648},
        {UtcTime(2020, 1, 1, 0, 0, 0, 1), 3'786'825'600, 4'294'967},
        {UtcTime(2020, 1, 1, 0, 0, 0, 999), 3'786'825'600, 4'290'672'329},
        {UtcTime(1970, 1, 1, 0, 0, 0, 0), 2'208'988'800, 0},
        {UtcTime(2024, 2, 29, 23, 59, 59, 0), 3'918'239'999, 0},
        {UtcTime(2036, 2, 7, 6, 28, 15, 0), 0xFFFF'FFFF, 0}, // the last second of the first NTP era
    };
    for (const auto& c : cases) {
        const NtpTimestamp t = NtpTimestamp::FromSystemTime(c.time);
        EXPECT_EQ(t.Seconds(), c.seconds) << c.time.wYear;
        EXPECT_EQ(t.Fraction(), c.fraction) << c.time.wYear << " ms " << c.time.wMilliseconds;
    }
}

TEST(NtpTimestamp, ToSystemTime) {
    const struct {
        NtpTimestamp t;
        SystemTime time;
        uint16_t dayOfWeek;
    } cases[] = {
        {NtpTimestamp(0, 0), UtcTime(1900, 1, 1, 0, 0, 0, 0), 1},
        {NtpTimestamp(3'786'825'600, 2'147'483'648), UtcTime(2020, 1, 1, 0, 0, 0, 500), 3},
        {NtpTimestamp(3'918'239'999, 4'294'967), UtcTime(2024, 2, 29, 23, 59, 59, 1), 4},
        // 0.9995 s or more rounds to 1000 ms and is not carried into the seconds.
        {NtpTimestamp(3'786'825'600, 4'294'967'295), UtcTime(2020, 1, 1, 0, 0, 0, 1000), 3},
        {NtpTimestamp(3'786'825'600, 4'292'819'812), UtcTime(2020, 1, 1, 0, 0, 0, 1000), 3},
        {NtpTimestamp(3'786'825'600, 4'292'819'811), UtcTime(2020, 1, 1, 0, 0, 0, 999), 3},
        {NtpTimestamp(0xFFFF'FFFF, 0), UtcTime(2036, 2, 7, 6, 28, 15, 0), 4},
    };
    for (const auto& c : cases) {
        SystemTime expected = c.time;
        expected.wDayOfWeek = c.dayOfWeek;
        EXPECT_EQ(c.t.ToSystemTime(), expected) << c.t.Seconds() << "." << c.t.Fraction();
    }
}

TEST(NtpTimestamp, EveryMillisecondAndEveryDayRoundTrips) {
    for (uint16_t ms = 0; ms < 1000; ++ms) {
        const SystemTime time = UtcTime(2024, 6, 30, 12, 34, 56, ms);
        ASSERT_EQ(NtpTimestamp::FromSystemTime(time).ToSystemTime().wMilliseconds, ms);
    }
    // The Julian-day calendar against the file-time one, over every day of the NTP era.
    SystemTime day{};
    for (int64_t ticks = 94'354'848'000'000'000; ticks < 94'354'848'000'000'000 + 49'710 * kTicksPerDay;
         ticks += kTicksPerDay) {
        ASSERT_TRUE(TicksToSystemTime(ticks, day)); // from 1900-01-01 on
        const NtpTimestamp t = NtpTimestamp::FromSystemTime(day);
        ASSERT_EQ(t.Seconds() % 86'400, 0u);
        ASSERT_EQ(t.ToSystemTime(), day) << day.wYear << "-" << day.wMonth << "-" << day.wDay;
    }
}

TEST(NtpTimestamp, DifferenceUsesTheScaleOfTwoToThe32MinusOne) {
    const NtpTimestamp a(0x0000'0001'8000'0000);
    const NtpTimestamp b(0x0000'0001'0000'0000);
    EXPECT_DOUBLE_EQ(NtpTimestamp::Difference(a, b), 2147483648.0 / 4294967295.0);
    EXPECT_NEAR(NtpTimestamp::Difference(a, b), 0.50000000012, 1e-11);
    EXPECT_DOUBLE_EQ(NtpTimestamp::Difference(b, a), -2147483648.0 / 4294967295.0);
    EXPECT_EQ(NtpTimestamp::Difference(a, a), 0.0);
    // Whole unsigned range: the larger is always the minuend, so nothing wraps.
    EXPECT_DOUBLE_EQ(NtpTimestamp::Difference(NtpTimestamp(~0ULL), NtpTimestamp(0)), 4294967295.0 + 1.0);
    EXPECT_DOUBLE_EQ(NtpTimestamp::Difference(NtpTimestamp(0), NtpTimestamp(~0ULL)), -(4294967295.0 + 1.0));
}

TEST(NtpTimestamp, PlusSeconds) {
    const NtpTimestamp t(3'786'825'600, 2'147'483'648);
    const struct {
        double seconds;
        uint64_t expected;
    } cases[] = {
        {0.0, t.Value()},
        {-0.25, t.Value() - 1'073'741'823}, // 0.25 * 4294967295 = 1073741823.75, truncated
        {0.25, t.Value() + 1'073'741'823},
        {1.5, t.Value() + (1ULL << 32) + 2'147'483'647},
        {-3'786'825'600.5, 2'147'483'648 - 2'147'483'647},
        {-3'786'825'601.0, t.Value() - (3'786'825'601ULL << 32)}, // wraps around as 64-bit arithmetic
        {4294967295.0, t.Value() + (4294967295ULL << 32)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(t.PlusSeconds(c.seconds).Value(), c.expected) << c.seconds;
    }
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity(), 4294967296.0, -1e300}) {
        EXPECT_TRUE(t.PlusSeconds(bad).IsEmpty()) << bad;
    }
}

} // namespace
