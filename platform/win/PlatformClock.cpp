// The only place that reads or sets the real system clock.
#include "platform/PlatformClock.h"
#include "platform/win/WindowsTime.h"

namespace {

class CWindowsClock final : public CSystemClock {
public:
    SystemTime GetUtc() override {
        SYSTEMTIME now{};
        ::GetSystemTime(&now);
        return FromWin32Time(now);
    }

    int SetUtc(const SystemTime& utc, uint32_t* error) override {
        const SYSTEMTIME time = ToWin32Time(utc);
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
