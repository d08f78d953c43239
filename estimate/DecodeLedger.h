#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "estimate/DtWindow.h"

// The decode list's rows and the DT window's samples kept in step: one row and one sample per decode,
// added and removed together. The rows are held in the order the list shows them (a sort reorders
// them), the samples in arrival order; eviction always takes the oldest decode by arrival, so the list
// and the window hold the same decodes whatever the list is sorted by. The main window mirrors every
// change into its list view.
class DecodeLedger {
public:
    // A decode's identity: its arrival number, never reused (also not after RemoveAll).
    using DecodeId = uint64_t;
    static constexpr DecodeId kNoDecode = UINT64_MAX;

    // A new decode shown as the last row.
    void Append(double dt);
    // Removes the oldest decode and its sample; returns the row that showed it, -1 when empty.
    int RemoveOldest();
    void RemoveAll();
    // Follows a reordering of the rows: row i now shows what row previousRow[i] showed. False, and
    // nothing changes, unless previousRow is a permutation of all rows.
    bool Reorder(std::span<const int> previousRow);

    int Rows() const { return static_cast<int>(m_rows.size()); }
    const DtWindow& Samples() const { return m_samples; }

    // The decode a row shows (kNoDecode for a row that is not there), and the row showing a decode
    // (-1 once it is gone).
    DecodeId DecodeAt(int row) const;
    int RowOf(DecodeId decode) const;

private:
    std::vector<DecodeId> m_rows; // per row as shown, the decode it shows
    DtWindow m_samples;
    DecodeId m_next = 0;
};

// Where a row index points after row `removed` was deleted: one row up when it lay below, -1 when it
// was the deleted row.
int RowAfterRemoval(int row, int removed);
// Where a row index points after a reordering described as for DecodeLedger::Reorder; -1 stays -1.
int RowAfterReorder(int row, std::span<const int> previousRow);
