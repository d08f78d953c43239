#include "ntp/NtpTimestamp.h"

#include "clock/ClockTicks.h"

#include <array>
#include <cmath>

namespace {

// The Julian Day Number of 1900-01-01, day 0 of the first NTP era.
constexpr int64_t kJdn1900 = 2415021;
// Seconds of one NTP era; era 1 starts at 2036-02-07 06:28:16 UTC.
constexpr int64_t kEraSeconds = int64_t{1} << 32;
// The fraction scale of the conversions below; only the millisecond table uses 2^32.
constexpr double kFractionScale = 4294967295.0;

// Entry m is m * 2^32 / 1000, rounded to the nearest.
constexpr std::array<uint32_t, 1000> MakeMillisecondFractions() {
    std::array<uint32_t, 1000> table{};
    for (uint64_t m = 0; m < table.size(); ++m) {
        table[m] = static_cast<uint32_t>((m * 4294967296ULL + 500) / 1000);
    }
    return table;
}
constexpr std::array<uint32_t, 1000> kMillisecondFractions = MakeMillisecondFractions();

int64_t JulianDayNumber(int64_t year, int64_t month, int64_t day) {
    if (month > 2) {
        month -= 3;
    } else {
        month += 9;
        --year;
    }
    const int64_t century = year / 100;
    const int64_t yearOfCentury = year - 100 * century;
    return 146097 * century / 4 + 1461 * yearOfCentury / 4 + (153 * month + 2) / 5 + day + 1721119;
}

void GregorianDate(int64_t jdn, SystemTime& time) {
    int64_t j = jdn - 1721119;
    int64_t year = (4 * j - 1) / 146097;
    j = 4 * j - 1 - 146097 * year;
    int64_t day = j / 4;
    j = (4 * day + 3) / 1461;
    day = (4 * day + 3 - 1461 * j + 4) / 4;
    int64_t month = (5 * day - 3) / 153;
    day = (5 * day - 3 - 153 * month + 5) / 5;
    year = 100 * year + j;
    if (month < 10) {
        month += 3;
    } else {
        month -= 9;
        ++year;
    }
    time.wYear = static_cast<uint16_t>(year);
    time.wMonth = static_cast<uint16_t>(month);
    time.wDay = static_cast<uint16_t>(day);
    time.wDayOfWeek = static_cast<uint16_t>((jdn + 1) % 7); // JDN 0 was a Monday
}

} // namespace

NtpTimestamp NtpTimestamp::Now() {
    return FromSystemTime(SystemClock().GetUtc());
}

NtpTimestamp NtpTimestamp::FromSystemTime(const SystemTime& time) {
    const int64_t days = JulianDayNumber(time.wYear, time.wMonth, time.wDay) - kJdn1900;
    const int64_t seconds = ((days * 24 + time.wHour) * 60 + time.wMinute) * 60 + time.wSecond;
    const uint32_t fraction = kMillisecondFractions[time.wMilliseconds < 1000 ? time.wMilliseconds : 999];
    return NtpTimestamp(static_cast<uint64_t>(seconds) << 32 | fraction);
}

SystemTime NtpTimestamp::ToSystemTime() const {
    // Seconds with the top bit clear lie in era 1: after 2036, not before 1968.
    const int64_t seconds = Seconds() + ((Seconds() & 0x8000'0000u) ? 0 : kEraSeconds);
    SystemTime time{};
    GregorianDate(seconds / 86400 + kJdn1900, time);
    time.wHour = static_cast<uint16_t>(seconds / 3600 % 24);
    time.wMinute = static_cast<uint16_t>(seconds / 60 % 60);
    time.wSecond = static_cast<uint16_t>(seconds % 60);
    time.wMilliseconds = static_cast<uint16_t>(Fraction() * 1000.0 / kFractionScale + 0.5);
    return time;
}

SystemTime NtpTimestamp::ToClockTime() const {
    SystemTime time = ToSystemTime();
    if (time.wMilliseconds > 999) {
        time.wMilliseconds = 0;
        int64_t ticks = 0;
        if (SystemTimeToTicks(time, ticks)) {
            TicksToSystemTime(ticks + kTicksPerSecond, time);
        }
    }
    return time;
}

double NtpTimestamp::Difference(NtpTimestamp a, NtpTimestamp b) {
    // Modulo 2^64 the difference is right whatever the eras; its top bit gives the sign.
    const bool negative = (a.m_value - b.m_value) >> 63;
    const NtpTimestamp d(negative ? b.m_value - a.m_value : a.m_value - b.m_value);
    const double seconds = d.Seconds() + d.Fraction() / kFractionScale;
    return negative ? -seconds : seconds;
}

NtpTimestamp NtpTimestamp::PlusSeconds(double seconds) const {
    const double magnitude = std::fabs(seconds);
    if (!(magnitude < 4294967296.0)) {
        return NtpTimestamp();
    }
    const double whole = std::trunc(magnitude);
    const uint64_t delta =
        (static_cast<uint64_t>(whole) << 32) + static_cast<uint64_t>((magnitude - whole) * kFractionScale);
    return NtpTimestamp(seconds >= 0 ? m_value + delta : m_value - delta);
}
