#pragma once

#include <cstddef>
#include <vector>

// The DT samples (seconds) of the listed decodes, oldest first. Held in a ring so that evicting the
// oldest sample on every decode of a full list costs O(1) and, once the ring has grown to the list's
// length, no allocation at all.
class DtWindow {
public:
    DtWindow() = default;

    // Grows the storage up front so that appending up to `capacity` samples never allocates.
    void Reserve(std::size_t capacity);

    void Append(double dt);
    // Drops the oldest sample; does nothing when the window is empty.
    void RemoveOldest();
    // Empties the window and keeps the storage for the next run of decodes.
    void RemoveAll();

    std::size_t Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    // The sample at `position`, 0 being the oldest; `position` must be below Count().
    double operator[](std::size_t position) const {
        std::size_t index = m_head + position;
        if (index >= m_ring.size())
            index -= m_ring.size();
        return m_ring[index];
    }

    // Calls fn(sample) for every sample, oldest first: the fast way through the whole window, since
    // the ring is walked as its two contiguous runs.
    template <typename Fn> void ForEach(Fn&& fn) const {
        const std::size_t firstRun = m_ring.size() - m_head < m_count ? m_ring.size() - m_head : m_count;
        const double* data = m_ring.data();
        for (std::size_t i = 0; i < firstRun; ++i)
            fn(data[m_head + i]);
        for (std::size_t i = 0; i < m_count - firstRun; ++i)
            fn(data[i]);
    }

private:
    void Regrow(std::size_t capacity);

    std::vector<double> m_ring; // size() is the capacity; unused slots hold stale values
    std::size_t m_head = 0;     // index of the oldest sample
    std::size_t m_count = 0;
};
