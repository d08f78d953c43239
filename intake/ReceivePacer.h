#pragma once

#include <chrono>
#include <optional>

// Keeps a stream of datagrams from freezing the window. Receive notifications are queued ahead of
// painting, input and timers, so a socket that always has another datagram waiting would keep the
// message loop from ever getting to them. The pacer lets the listener read on until they have waited
// `kBudget`; then the listener holds its reading until the loop has handled them.
class ReceivePacer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kBudget{50};

    // A receive notification at `now`; `othersWaiting`: painting, input or a due timer waits in the
    // thread's queue. False: hold reading now, and read again once the loop has let them through.
    bool MayRead(Clock::time_point now, bool othersWaiting);

private:
    std::optional<Clock::time_point> m_othersWaitingSince;
};
