#pragma once
#include <cstring>

#include "platform/PlatformClock.h"
#include <windows.h>

// SystemTime has SYSTEMTIME's eight fields in the same order, so the two convert byte for byte.
static_assert(sizeof(SYSTEMTIME) == sizeof(SystemTime));

inline SYSTEMTIME ToWin32Time(const SystemTime& time) {
    SYSTEMTIME converted;
    std::memcpy(&converted, &time, sizeof converted);
    return converted;
}

inline SystemTime FromWin32Time(const SYSTEMTIME& time) {
    SystemTime converted;
    std::memcpy(&converted, &time, sizeof converted);
    return converted;
}
