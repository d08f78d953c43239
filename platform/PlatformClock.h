#pragma once
#include <cstdint>

// The operating system's clock, one implementation per platform (posix/, win/).

// A UTC calendar time with the fields of the platform's SYSTEMTIME, in the same order.
struct SystemTime {
    uint16_t wYear;
    uint16_t wMonth;
    uint16_t wDayOfWeek; // 0 = Sunday
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;

    friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

// The Windows error codes the clock reports.
constexpr uint32_t kErrorInvalidParameter = 87;   // a field out of range
constexpr uint32_t kErrorPrivilegeNotHeld = 1314; // the process may not set the time

// The system clock, read and set in UTC. Every read or change of the clock in the program goes through
// SystemClock() (clock/SystemClock.h); only the platform's implementation talks to the operating system.
class CSystemClock {
public:
    virtual ~CSystemClock() = default;

    virtual SystemTime GetUtc() = 0;

    // Nonzero when the clock was set; 0 when not, with the Windows error code in *error (when given).
    virtual int SetUtc(const SystemTime& utc, uint32_t* error) = 0;
};

// The platform's own clock. On Windows GetSystemTime/SetSystemTime; elsewhere it reads the real time and
// refuses every change with kErrorPrivilegeNotHeld, so no native run can move the host clock.
CSystemClock& PlatformSystemClock();
