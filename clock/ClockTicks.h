#pragma once
#include "clock/SystemClock.h"

#include <cstdint>

// File-time ticks: 100 ns units since 1601-01-01 00:00:00 UTC, the platform's file time.
constexpr int64_t kTicksPerMillisecond = 10'000;
constexpr int64_t kTicksPerSecond = 10'000'000;
constexpr int64_t kTicksPerDay = 86'400 * kTicksPerSecond;
// The ticks of 1970-01-01 00:00:00 UTC.
constexpr int64_t kUnixEpochTicks = 134'774 * kTicksPerDay;

// The ticks of a system time (the day of the week is ignored). 0 when a field is out of range or the
// year is outside 1601..30827, the times the clock can be set to.
int SystemTimeToTicks(const SystemTime& time, int64_t& ticks);

// The system time of a tick count, sub-millisecond part dropped, day of the week filled in. 0 when the
// ticks lie outside the years 1601..30827.
int TicksToSystemTime(int64_t ticks, SystemTime& time);

// A clock shift in seconds as ticks: shift / 1e-7 truncated toward zero. 0 when the shift is not a
// finite number or its ticks do not fit in 64 bits.
int ShiftToTicks(double shift, int64_t& ticks);

enum class ShiftOutcome {
    Set,          // the clock was set to the shifted time
    Refused,      // the clock refused the change; the reason is in *error
    InvalidShift, // no clock was changed: the shift or its result cannot be represented
};

// Reads the clock, adds the shift in ticks and sets the clock to the result in whole milliseconds.
// An invalid shift never reaches SetUtc.
ShiftOutcome ShiftClock(CSystemClock& clock, double shift, uint32_t* error = nullptr);
