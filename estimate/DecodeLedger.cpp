#include "estimate/DecodeLedger.h"

#include <algorithm>

void DecodeLedger::Append(double dt) {
    m_rows.push_back(m_next++);
    m_samples.Append(dt);
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
    const auto found = std::find(m_rows.begin(), m_rows.end(), decode);
    return found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}

int RowAfterRemoval(int row, int removed) {
    if (removed < 0 || row < removed)
        return row;
    return row == removed ? -1 : row - 1;
}

int RowAfterReorder(int row, std::span<const int> previousRow) {
    const auto found = std::find(previousRow.begin(), previousRow.end(), row);
    return row < 0 || found == previousRow.end() ? -1 : static_cast<int>(found - previousRow.begin());
}
