#include "clock/ClockTicks.h"
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
        {UtcTime(2036, 2, 7, 6, 28, 15, 0), 0xFFFF'FFFF, 0},     // the last second of the first NTP era
        {UtcTime(2036, 2, 7, 6, 28, 16, 500), 0, 2'147'483'648}, // era 1 begins
        {UtcTime(2040, 1, 1, 0, 0, 0, 0), 123'010'304, 0},
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
        // A clear top bit is era 1: 2036 to 2104, not 1900 to 1968.
        {NtpTimestamp(0x8000'0000, 0), UtcTime(1968, 1, 20, 3, 14, 8, 0), 6},
        {NtpTimestamp(0, 0), UtcTime(2036, 2, 7, 6, 28, 16, 0), 4},
        {NtpTimestamp(123'010'304, 0), UtcTime(2040, 1, 1, 0, 0, 0, 0), 0},
        {NtpTimestamp(0x7FFF'FFFF, 0), UtcTime(2104, 2, 26, 9, 42, 23, 0), 2},
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
    // The Julian-day calendar against the file-time one, over every day that the two eras cover
    // (1968-01-21 to 2104-02-26; the days count from 1900-01-01).
    constexpr int64_t k1900 = 94'354'848'000'000'000;
    SystemTime day{};
    for (int64_t ticks = k1900 + 24'856 * kTicksPerDay; ticks < k1900 + 74'566 * kTicksPerDay;
         ticks += kTicksPerDay) {
        ASSERT_TRUE(TicksToSystemTime(ticks, day)); // from 1900-01-01 on
        const NtpTimestamp t = NtpTimestamp::FromSystemTime(day);
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
}

TEST(NtpTimestamp, TheChangeOfEraIn2036IsOneSecondLikeAnyOther) {
    // Half a second before the seconds field wraps, on the program's clock.
    FakeClock clock(UtcTime(2036, 2, 7, 6, 28, 15, 500));
    const NtpTimestamp before = NtpTimestamp::Now();
    EXPECT_EQ(NtpTimestamp(0xFFFF'FFFF, 2'147'483'648), before);
    clock.Advance(1000);
    const NtpTimestamp after = NtpTimestamp::Now();
    EXPECT_EQ(NtpTimestamp(0, 2'147'483'648), after);
    EXPECT_EQ(1.0, NtpTimestamp::Difference(after, before));
    EXPECT_EQ(-1.0, NtpTimestamp::Difference(before, after));
    EXPECT_EQ(UtcTime(2036, 2, 7, 6, 28, 16, 500), after.ToSystemTime());
    EXPECT_EQ(before, after.PlusSeconds(-1.0));
    EXPECT_EQ(after, before.PlusSeconds(1.0));
    // Sixty-eight years either way still differ by their true amount.
    EXPECT_EQ(2'147'483'647.0, NtpTimestamp::Difference(NtpTimestamp(0x7FFF'FFFF, 0), NtpTimestamp(0)));
    EXPECT_EQ(-2'147'483'648.0, NtpTimestamp::Difference(NtpTimestamp(0x8000'0000, 0), NtpTimestamp(0)));
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
