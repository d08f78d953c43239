// The clock of native builds: reads the real UTC time so the SNTP client can run natively, and never
// changes it.
#include "clock/SystemClock.h"
#include "clock/TimeShift.h"

#include <chrono>

namespace {

class CNativeClock final : public CSystemClock {
public:
    SystemTime GetUtc() override {
        using namespace std::chrono;
        const int64_t unixTicks =
            duration_cast<microseconds>(system_clock::now().time_since_epoch()).count() * 10;
        SystemTime time{};
        TicksToSystemTime(unixTicks + kUnixEpochTicks, time);
        return time;
    }

    int SetUtc(const SystemTime&, uint32_t* error) override {
        if (error) {
            *error = kErrorPrivilegeNotHeld;
        }
        return 0;
    }
};

} // namespace

CSystemClock& PlatformSystemClock() {
    static CNativeClock clock;
    return clock;
}
