#include "clock/ClockTicks.h"

#include <cmath>

namespace {

constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;

// Days from 1601-01-01 to the given proleptic Gregorian date (year-based on March, as in civil calendars).
int64_t DaysFrom1601(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2;
    const int64_t era = year / 400; // years are positive here
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    // 0000-03-01 is day 0 of this count; 1601-01-01 is day 584694.
    return era * 146097 + dayOfEra - 584694;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

const int64_t kEndTicks = DaysFrom1601(kLastYear + 1, 1, 1) * kTicksPerDay;

} // namespace

int SystemTimeToTicks(const SystemTime& time, int64_t& ticks) {
    if (time.wYear < kFirstYear || time.wYear > kLastYear || time.wMonth < 1 || time.wMonth > 12 ||
        time.wDay < 1 || time.wDay > DaysInMonth(time.wYear, time.wMonth) || time.wHour > 23 ||
        time.wMinute > 59 || time.wSecond > 59 || time.wMilliseconds > 999) {
        return 0;
    }
    const int64_t days = DaysFrom1601(time.wYear, time.wMonth, time.wDay);
    const int64_t milliseconds =
        ((days * 24 + time.wHour) * 60 + time.wMinute) * 60'000 + time.wSecond * 1000 + time.wMilliseconds;
    ticks = milliseconds * kTicksPerMillisecond;
    return 1;
}

int TicksToSystemTime(int64_t ticks, SystemTime& time) {
    if (ticks < 0 || ticks >= kEndTicks) {
        return 0;
    }
    const int64_t days = ticks / kTicksPerDay;
    const int64_t milliseconds = ticks % kTicksPerDay / kTicksPerMillisecond;

    // Civil date from a day count starting 0000-03-01.
    const int64_t z = days + 584694;
    const int64_t era = z / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;

    time.wYear = static_cast<uint16_t>(yearOfEra + era * 400 + (month <= 2));
    time.wMonth = static_cast<uint16_t>(month);
    time.wDay = static_cast<uint16_t>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    time.wDayOfWeek = static_cast<uint16_t>((days + 1) % 7); // 1601-01-01 was a Monday
    time.wHour = static_cast<uint16_t>(milliseconds / 3'600'000);
    time.wMinute = static_cast<uint16_t>(milliseconds / 60'000 % 60);
    time.wSecond = static_cast<uint16_t>(milliseconds / 1000 % 60);
    time.wMilliseconds = static_cast<uint16_t>(milliseconds % 1000);
    return 1;
}

int ShiftToTicks(double shift, int64_t& ticks) {
    // Divided by the double nearest to 1e-7, not multiplied by 1e7: the two differ in the last tick.
    const double quotient = std::trunc(shift / 1e-7);
    // 2^63 is exact in a double; anything at or beyond it does not fit (NaN fails both tests).
    if (!(quotient > -9223372036854775808.0 && quotient < 9223372036854775808.0)) {
        return 0;
    }
    ticks = static_cast<int64_t>(quotient);
    return 1;
}

ShiftOutcome ShiftClock(CSystemClock& clock, double shift, uint32_t* error) {
    int64_t ticks = 0;
    if (!ShiftToTicks(shift, ticks)) {
        return ShiftOutcome::InvalidShift;
    }
    int64_t now = 0;
    if (!SystemTimeToTicks(clock.GetUtc(), now)) {
        return ShiftOutcome::InvalidShift;
    }
    // now lies in [0, kEndTicks) and |ticks| < 2^63, so only one direction can overflow.
    SystemTime shifted{};
    if ((ticks > 0 && ticks >= kEndTicks - now) || (ticks < 0 && ticks < -now) ||
        !TicksToSystemTime(now + ticks, shifted)) {
        return ShiftOutcome::InvalidShift;
    }
    return clock.SetUtc(shifted, error) ? ShiftOutcome::Set : ShiftOutcome::Refused;
}
