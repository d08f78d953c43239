#include "clock/ClockTicks.h"
#include "clock/Relaunch.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(ShiftToTicks, DividesByOneTenthMicrosecondAndTruncatesTowardZero) {
    const struct {
        double shift;
        int64_t ticks;
    } cases[] = {
        {0.0, 0},
        {-0.35, -3'500'000},
        {1.0, 10'000'000},
        {0.57, 5'700'000}, // multiplying by 1e7 would give 5'699'999
        {-0.57, -5'700'000},
        {1e-7, 1},
        {0.5e-7, 0},
        {-1.5e-7, -1},
        {-0.354, -3'540'000},
        {900'000'000'000.0, 9'000'000'000'000'000'000},
        {-900'000'000'000.0, -9'000'000'000'000'000'000},
    };
    for (const auto& c : cases) {
        int64_t ticks = 42;
        ASSERT_TRUE(ShiftToTicks(c.shift, ticks)) << c.shift;
        EXPECT_EQ(ticks, c.ticks) << c.shift;
    }
}

TEST(ShiftToTicks, RefusesWhatSixtyFourBitsCannotHold) {
    for (double shift : {kNaN, kInfinity, -kInfinity, 922'337'203'685.5, -922'337'203'685.5, 1e300}) {
        int64_t ticks = 42;
        EXPECT_FALSE(ShiftToTicks(shift, ticks)) << shift;
        EXPECT_EQ(ticks, 42);
    }
}

TEST(FileTimeTicks, KnownDatesAndRoundTrips) {
    const struct {
        SystemTime time;
        int64_t ticks;
        uint16_t dayOfWeek;
    } cases[] = {
        {UtcTime(1601, 1, 1, 0, 0, 0, 0), 0, 1},
        {UtcTime(1970, 1, 1, 0, 0, 0, 0), 116'444'736'000'000'000, 4},
        {UtcTime(2000, 2, 29, 12, 0, 0, 0), 125'962'992'000'000'000, 2},
        {UtcTime(2024, 12, 31, 23, 59, 59, 999), 133'801'631'999'990'000, 2},
        {UtcTime(30827, 12, 31, 23, 59, 59, 999), 9'223'149'887'999'990'000, 5},
    };
    for (const auto& c : cases) {
        int64_t ticks = 0;
        ASSERT_TRUE(SystemTimeToTicks(c.time, ticks)) << c.time.wYear;
        EXPECT_EQ(ticks, c.ticks) << c.time.wYear;
        SystemTime back{};
        ASSERT_TRUE(TicksToSystemTime(ticks + kTicksPerMillisecond - 1, back)) << c.time.wYear;
        EXPECT_EQ(back, c.time) << c.time.wYear << " sub-millisecond ticks are dropped";
        EXPECT_EQ(back.wDayOfWeek, c.dayOfWeek) << c.time.wYear;
    }
}

TEST(FileTimeTicks, RefusesTimesTheClockCannotTake) {
    const SystemTime invalid[] = {
        UtcTime(1600, 12, 31, 23, 59, 59, 999), UtcTime(30828, 1, 1, 0, 0, 0, 0),
        UtcTime(2023, 2, 29, 0, 0, 0, 0),       UtcTime(1900, 2, 29, 0, 0, 0, 0),
        UtcTime(2024, 13, 1, 0, 0, 0, 0),       UtcTime(2024, 0, 1, 0, 0, 0, 0),
        UtcTime(2024, 4, 31, 0, 0, 0, 0),       UtcTime(2024, 1, 0, 0, 0, 0, 0),
        UtcTime(2024, 1, 1, 24, 0, 0, 0),       UtcTime(2024, 1, 1, 0, 60, 0, 0),
        UtcTime(2024, 1, 1, 0, 0, 60, 0),       UtcTime(2024, 1, 1, 0, 0, 0, 1000),
    };
    for (const SystemTime& time : invalid) {
        int64_t ticks = 42;
        EXPECT_FALSE(SystemTimeToTicks(time, ticks)) << time.wYear << "-" << time.wMonth << "-" << time.wDay;
        EXPECT_EQ(ticks, 42);
    }
    SystemTime time{};
    EXPECT_FALSE(TicksToSystemTime(-1, time));
    EXPECT_FALSE(TicksToSystemTime(9'223'149'888'000'000'000, time)); // 30828-01-01
    EXPECT_FALSE(TicksToSystemTime(std::numeric_limits<int64_t>::max(), time));
}

TEST(RelaunchParameters, TwoDecimalsRoundedAsPrintfDoes) {
    const struct {
        double shift;
        const char* text;
    } cases[] = {
        {-0.354, "/set -0.35"},        {1.0, "/set 1.00"},   {0.0, "/set 0.00"},
        {-0.356, "/set -0.36"},        {2.675, "/set 2.67"}, {-0.001, "/set -0.00"},
        {12345.6789, "/set 12345.68"},
    };
    for (const auto& c : cases) {
        std::string text;
        ASSERT_TRUE(FormatRelaunchParameters(c.shift, text)) << c.shift;
        EXPECT_EQ(text, c.text);
    }
}

TEST(RelaunchParameters, RefusesTextsLongerThanSixtyThreeCharacters) {
    std::string text = "unchanged";
    EXPECT_TRUE(FormatRelaunchParameters(1e54, text)); // "/set " + 55 digits + ".00"
    EXPECT_EQ(text.size(), 63u);
    for (double shift : {-1e54, 1e55, 1e300, kNaN, kInfinity, -kInfinity}) {
        text = "unchanged";
        EXPECT_FALSE(FormatRelaunchParameters(shift, text)) << shift;
        EXPECT_EQ(text, "unchanged");
    }
}

TEST(ShiftClock, SetsTheShiftedTimeToWholeMilliseconds) {
    const struct {
        SystemTime now;
        double shift;
        SystemTime expected;
    } cases[] = {
        {UtcTime(2024, 3, 10, 12, 0, 0, 500), -0.35, UtcTime(2024, 3, 10, 12, 0, 0, 150)},
        {UtcTime(2024, 3, 10, 12, 0, 0, 500), 1.0, UtcTime(2024, 3, 10, 12, 0, 1, 500)},
        {UtcTime(2024, 3, 10, 12, 0, 0, 500), 0.0, UtcTime(2024, 3, 10, 12, 0, 0, 500)},
        {UtcTime(2024, 3, 10, 12, 0, 0, 500), 0.0009, UtcTime(2024, 3, 10, 12, 0, 0, 500)},
        {UtcTime(2024, 3, 10, 12, 0, 0, 500), -0.0001, UtcTime(2024, 3, 10, 12, 0, 0, 499)},
        {UtcTime(2023, 12, 31, 23, 59, 59, 900), 0.2, UtcTime(2024, 1, 1, 0, 0, 0, 100)},
        {UtcTime(2024, 3, 1, 0, 0, 0, 0), -0.001, UtcTime(2024, 2, 29, 23, 59, 59, 999)},
        {UtcTime(2024, 3, 10, 12, 0, 0, 0), -86'400.0 * 366, UtcTime(2023, 3, 10, 12, 0, 0, 0)},
    };
    for (const auto& c : cases) {
        FakeClock clock(c.now);
        uint32_t error = 0;
        EXPECT_EQ(ShiftClock(clock, c.shift, &error), ShiftOutcome::Set) << c.shift;
        ASSERT_EQ(clock.Sets().size(), 1u);
        EXPECT_EQ(clock.Sets()[0], c.expected) << c.shift;
        EXPECT_EQ(clock.GetUtc(), c.expected);
    }
}

TEST(ShiftClock, ReportsTheClocksRefusal) {
    FakeClock clock(UtcTime(2024, 3, 10, 12, 0, 0, 500));
    clock.Refuse(kErrorPrivilegeNotHeld);
    uint32_t error = 0;
    EXPECT_EQ(ShiftClock(clock, -0.35, &error), ShiftOutcome::Refused);
    EXPECT_EQ(error, kErrorPrivilegeNotHeld);
    ASSERT_EQ(clock.Attempts().size(), 1u);
    EXPECT_EQ(clock.Attempts()[0], UtcTime(2024, 3, 10, 12, 0, 0, 150));
    EXPECT_EQ(clock.GetUtc(), UtcTime(2024, 3, 10, 12, 0, 0, 500));
}

TEST(ShiftClock, InvalidShiftsNeverReachTheClock) {
    const struct {
        SystemTime now;
        double shift;
    } cases[] = {
        {UtcTime(2024, 3, 10, 12, 0, 0, 0), kNaN},
        {UtcTime(2024, 3, 10, 12, 0, 0, 0), kInfinity},
        {UtcTime(2024, 3, 10, 12, 0, 0, 0), -kInfinity},
        {UtcTime(2024, 3, 10, 12, 0, 0, 0), 1e300},
        {UtcTime(2024, 3, 10, 12, 0, 0, 0), -1e12},
        {UtcTime(2024, 3, 10, 12, 0, 0, 0), -14'000'000'000.0}, // before 1601
        {UtcTime(2024, 3, 10, 12, 0, 0, 0), 910'000'000'000.0}, // after 30827
        {UtcTime(1601, 1, 1, 0, 0, 0, 0), -0.001},
        {UtcTime(30827, 12, 31, 23, 59, 59, 999), 0.001},
    };
    for (const auto& c : cases) {
        FakeClock clock(c.now);
        EXPECT_EQ(ShiftClock(clock, c.shift), ShiftOutcome::InvalidShift) << c.shift;
        EXPECT_TRUE(clock.Attempts().empty()) << c.shift;
    }
}

TEST(ShiftClock, AReadTheClockCannotTakeBackIsNotShifted) {
    SystemTime broken = UtcTime(2024, 3, 10, 12, 0, 0, 0);
    broken.wMonth = 13;
    FakeClock clock(broken);
    EXPECT_EQ(ShiftClock(clock, 1.0), ShiftOutcome::InvalidShift);
    EXPECT_TRUE(clock.Attempts().empty());
}

TEST(ExecutableFolder, CutsAtTheLastBackslash) {
    EXPECT_EQ(ExecutableFolder(L"C:\\Program Files\\Tavrel\\Tavrel.exe"), L"C:\\Program Files\\Tavrel");
    EXPECT_EQ(ExecutableFolder(L"C:\\Users\\\u0418\u0432\u0430\u043d\\Tavrel.exe"),
              L"C:\\Users\\\u0418\u0432\u0430\u043d");
    EXPECT_EQ(ExecutableFolder(L"C:\\Tavrel.exe"), L"C:");
    EXPECT_EQ(ExecutableFolder(L"\\\\server\\share\\x.exe"), L"\\\\server\\share");
    EXPECT_EQ(ExecutableFolder(L"Tavrel.exe"), L"");
    EXPECT_EQ(ExecutableFolder(L""), L"");
}

} // namespace
