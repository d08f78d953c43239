#include "clock/SystemClock.h"

#include <atomic>

namespace {
std::atomic<CSystemClock*> g_injected{nullptr};
}

CSystemClock& SystemClock() {
    CSystemClock* clock = g_injected.load();
    return clock ? *clock : PlatformSystemClock();
}

CSystemClock* InjectSystemClock(CSystemClock* clock) {
    return g_injected.exchange(clock);
}
