#include "estimate/DtWindow.h"

void DtWindow::Reserve(std::size_t capacity) {
    if (capacity > m_ring.size())
        Regrow(capacity);
}

void DtWindow::Append(double dt) {
    if (m_count == m_ring.size())
        Regrow(m_ring.empty() ? 16 : m_ring.size() * 2);
    std::size_t tail = m_head + m_count;
    if (tail >= m_ring.size())
        tail -= m_ring.size();
    m_ring[tail] = dt;
    ++m_count;
}

void DtWindow::RemoveOldest() {
    if (m_count == 0)
        return;
    if (++m_head == m_ring.size())
        m_head = 0;
    if (--m_count == 0)
        m_head = 0;
}

void DtWindow::RemoveAll() {
    m_head = 0;
    m_count = 0;
}

// Moves the samples, oldest first, to the start of a larger ring.
void DtWindow::Regrow(std::size_t capacity) {
    std::vector<double> ring(capacity);
    std::size_t i = 0;
    ForEach([&](double dt) { ring[i++] = dt; });
    m_ring.swap(ring);
    m_head = 0;
}
