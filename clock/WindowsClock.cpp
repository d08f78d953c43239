// The only place that reads or sets the real system clock.
#include "clock/SystemClock.h"

#include <windows.h>

#include <cstring>

static_assert(sizeof(SYSTEMTIME) == sizeof(SystemTime));

namespace {

class CWindowsClock final : public CSystemClock {
public:
    SystemTime GetUtc() override {
        SYSTEMTIME now{};
        ::GetSystemTime(&now);
        SystemTime time;
        std::memcpy(&time, &now, sizeof time);
        return time;
    }

    int SetUtc(const SystemTime& utc, uint32_t* error) override {
        SYSTEMTIME time;
        std::memcpy(&time, &utc, sizeof time);
        const BOOL ok = ::SetSystemTime(&time);
        if (!ok && error) {
            *error = ::GetLastError();
        }
        return ok;
    }
};

} // namespace

CSystemClock& PlatformSystemClock() {
    static CWindowsClock clock;
    return clock;
}
