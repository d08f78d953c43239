#pragma once
#include "clock/SystemClock.h"
#include "clock/ClockTicks.h"

#include <mutex>
#include <vector>

// A UTC time from its calendar fields, with the day of the week filled in when the time is valid.
inline SystemTime UtcTime(int year, int month, int day, int hour, int minute, int second, int ms) {
    SystemTime time{
        static_cast<uint16_t>(year),   static_cast<uint16_t>(month), 0,
        static_cast<uint16_t>(day),    static_cast<uint16_t>(hour),  static_cast<uint16_t>(minute),
        static_cast<uint16_t>(second), static_cast<uint16_t>(ms)};
    int64_t ticks = 0;
    if (SystemTimeToTicks(time, ticks)) {
        TicksToSystemTime(ticks, time);
    }
    return time;
}

// A system clock for tests: holds a settable current time, records every time it is set to, can refuse
// with a given error code and can be advanced. While it lives it is the clock in use; the clock injected
// before it is restored when it goes.
class FakeClock final : public CSystemClock {
public:
    explicit FakeClock(const SystemTime& now) : m_now(now) { m_previous = InjectSystemClock(this); }
    ~FakeClock() override { InjectSystemClock(m_previous); }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    SystemTime GetUtc() override {
        std::lock_guard lock(m_mutex);
        return m_now;
    }

    // Like the platform: a refusal first, then the fields are checked (87 for an invalid time), then the
    // clock takes the time.
    int SetUtc(const SystemTime& utc, uint32_t* error) override {
        std::lock_guard lock(m_mutex);
        m_attempts.push_back(utc);
        int64_t ticks = 0;
        const uint32_t code = m_refusal                       ? m_refusal
                              : SystemTimeToTicks(utc, ticks) ? 0
                                                              : kErrorInvalidParameter;
        if (code) {
            if (error) {
                *error = code;
            }
            return 0;
        }
        TicksToSystemTime(ticks, m_now); // the clock keeps its own day of the week
        m_sets.push_back(utc);
        return 1;
    }

    void SetNow(const SystemTime& now) {
        std::lock_guard lock(m_mutex);
        m_now = now;
    }

    void Advance(int64_t milliseconds) {
        std::lock_guard lock(m_mutex);
        int64_t ticks = 0;
        SystemTimeToTicks(m_now, ticks);
        TicksToSystemTime(ticks + milliseconds * kTicksPerMillisecond, m_now);
    }

    // 0: accept every valid time; otherwise refuse every set with this code (1314: no right).
    void Refuse(uint32_t code = kErrorPrivilegeNotHeld) {
        std::lock_guard lock(m_mutex);
        m_refusal = code;
    }

    // Every time SetUtc was called with, accepted or not, and the accepted ones.
    std::vector<SystemTime> Attempts() const {
        std::lock_guard lock(m_mutex);
        return m_attempts;
    }
    std::vector<SystemTime> Sets() const {
        std::lock_guard lock(m_mutex);
        return m_sets;
    }

private:
    mutable std::mutex m_mutex;
    SystemTime m_now;
    uint32_t m_refusal = 0;
    std::vector<SystemTime> m_attempts;
    std::vector<SystemTime> m_sets;
    CSystemClock* m_previous = nullptr;
};
