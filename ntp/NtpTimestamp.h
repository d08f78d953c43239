#pragma once
#include "clock/SystemClock.h"

#include <cstdint>

// An NTP time: seconds in the high 32 bits, the fraction of a second in the low 32 bits, in host order.
// The seconds count from 1900-01-01 00:00:00 UTC when their top bit is set (era 0, 1968 to 2036), and
// from 2036-02-07 06:28:16 UTC when it is clear (era 1, 2036 to 2104), as SNTP reads them. The value 0
// means that no time is held.
class NtpTimestamp {
public:
    constexpr NtpTimestamp() = default;
    constexpr explicit NtpTimestamp(uint64_t value) : m_value(value) {}
    constexpr NtpTimestamp(uint32_t seconds, uint32_t fraction)
        : m_value(static_cast<uint64_t>(seconds) << 32 | fraction) {}

    // The system clock's current UTC time.
    static NtpTimestamp Now();

    // A UTC system time; the milliseconds become the nearest 32-bit fraction. Times from 2036-02-07
    // 06:28:16 on count in era 1.
    static NtpTimestamp FromSystemTime(const SystemTime& time);

    // The UTC system time, milliseconds rounded to the nearest. A fraction of 0.9995 s or more gives
    // 1000 milliseconds, which is not carried into the seconds (see ToClockTime).
    SystemTime ToSystemTime() const;

    // The UTC system time as a clock shows it: like ToSystemTime, but the last half millisecond of a
    // second becomes 000 of the next second instead of "1000 milliseconds".
    SystemTime ToClockTime() const;

    // a - b in seconds, for times less than 68 years apart, also across the change of era.
    static double Difference(NtpTimestamp a, NtpTimestamp b);

    // This time moved by `seconds` (negative: earlier), wrapping around as 64-bit arithmetic does. A
    // number that is not finite or not below 2^32 in magnitude gives the empty timestamp.
    NtpTimestamp PlusSeconds(double seconds) const;

    constexpr uint64_t Value() const { return m_value; }
    constexpr uint32_t Seconds() const { return static_cast<uint32_t>(m_value >> 32); }
    constexpr uint32_t Fraction() const { return static_cast<uint32_t>(m_value); }
    constexpr bool IsEmpty() const { return m_value == 0; }

    friend constexpr bool operator==(NtpTimestamp, NtpTimestamp) = default;

private:
    uint64_t m_value = 0;
};
