// The clock of native builds: reads the real UTC time so the SNTP client can run natively, and never
// changes it.
#include "platform/PlatformClock.h"

#include <chrono>

namespace {

class CNativeClock final : public CSystemClock {
public:
    SystemTime GetUtc() override {
        using namespace std::chrono;
        const auto now = time_point_cast<milliseconds>(system_clock::now());
        const auto day = floor<days>(now);
        const year_month_day date{day};
        const hh_mm_ss<milliseconds> clock{now - day};
        SystemTime time{};
        time.wYear = static_cast<uint16_t>(static_cast<int>(date.year()));
        time.wMonth = static_cast<uint16_t>(static_cast<unsigned>(date.month()));
        time.wDayOfWeek = static_cast<uint16_t>(weekday{day}.c_encoding());
        time.wDay = static_cast<uint16_t>(static_cast<unsigned>(date.day()));
        time.wHour = static_cast<uint16_t>(clock.hours().count());
        time.wMinute = static_cast<uint16_t>(clock.minutes().count());
        time.wSecond = static_cast<uint16_t>(clock.seconds().count());
        time.wMilliseconds = static_cast<uint16_t>(clock.subseconds().count());
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
