#pragma once

#include <chrono>
#include <optional>

// When the decode list shows new rows during a burst. Each row is added to the list in full as its
// datagram arrives; only the visual follow-up (scrolling to the newest row, fitting the columns,
// repainting) waits while more datagrams are waiting, so that a burst is painted once, and never
// longer than `kMaxDelay` after its first unshown row. A lone decode is shown at once.
class RowPaintSchedule {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kMaxDelay{20};

    // A row was added at `now`; `moreWaiting`: another datagram waits. True: show the rows now (then
    // call Shown). False: wait; the caller shows them by `Deadline` at the latest.
    bool RowAdded(Clock::time_point now, bool moreWaiting);
    void Shown() { m_firstWaiting.reset(); }
    bool IsWaiting() const { return m_firstWaiting.has_value(); }
    Clock::time_point Deadline() const { return *m_firstWaiting + kMaxDelay; }

private:
    std::optional<Clock::time_point> m_firstWaiting;
};
