#include "estimate/DecodeLedger.h"

#include <algorithm>

int DecodeLedger::MakeRoom(int capacity) {
    return Rows() >= capacity ? RemoveOldest() : -1;
}

int DecodeLedger::Append(double dt) {
    m_rows.push_back(m_next++);
    m_samples.Append(dt);
    const int marked = MarkedRow();
    m_marked = kNoDecode;
    return marked;
}

int DecodeLedger::RemoveOldest() {
    if (m_rows.empty())
        return -1;
    // Decodes leave oldest first, so the ones present are the last Rows() arrivals.
    const int row = RowOf(m_next - m_rows.size());
    m_rows.erase(m_rows.begin() + row);
    m_samples.RemoveOldest();
    return row;
}

void DecodeLedger::RemoveAll() {
    m_rows.clear();
    m_marked = kNoDecode;
    m_samples.RemoveAll();
}

bool DecodeLedger::Reorder(std::span<const int> previousRow) {
    if (previousRow.size() != m_rows.size())
        return false;
    std::vector<DecodeId> rows(m_rows.size());
    std::vector<bool> taken(m_rows.size());
    for (size_t i = 0; i < previousRow.size(); ++i) {
        const int from = previousRow[i];
        if (from < 0 || from >= Rows() || taken[from])
            return false;
        taken[from] = true;
        rows[i] = m_rows[from];
    }
    m_rows.swap(rows);
    return true;
}

DecodeLedger::DecodeId DecodeLedger::DecodeAt(int row) const {
    return row >= 0 && row < Rows() ? m_rows[row] : kNoDecode;
}

int DecodeLedger::RowOf(DecodeId decode) const {
    // The decodes present are the last Rows() arrivals: anything else (kNoDecode included) needs no search.
    if (decode >= m_next || decode < m_next - m_rows.size())
        return -1;
    const auto found = std::find(m_rows.begin(), m_rows.end(), decode);
    return found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}
