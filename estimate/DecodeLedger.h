#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "estimate/DtWindow.h"

// The decode log: the decode list's rows and the DT window's samples kept in step, one row and one
// sample per decode, added and removed together, and the marked decode. The rows are held in the order
// the list shows them (a sort reorders them), the samples in arrival order; eviction always takes the
// oldest decode by arrival, so the list and the window hold the same decodes whatever the list is sorted
// by. The mark stays on its decode through sorts and leaves with it; a new decode clears it. The main
// window mirrors every change into its list view.
class DecodeLedger {
public:
    // A decode's identity: its arrival number, never reused (also not after RemoveAll).
    using DecodeId = uint64_t;
    static constexpr DecodeId kNoDecode = UINT64_MAX;

    // Makes room for a new decode in a list of `capacity` rows: when it is full, the oldest decode leaves.
    // Returns the row that showed it, -1 when none left.
    int MakeRoom(int capacity);
    // A new decode shown as the last row. Clears the mark; returns the row that was marked, or -1.
    int Append(double dt);
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

    // Marks a decode (kNoDecode or one that has left: none is marked), or the decode a row shows.
    void Mark(DecodeId decode) { m_marked = decode; }
    void MarkRow(int row) { m_marked = DecodeAt(row); }
    // The row showing the marked decode, -1 when none is marked.
    int MarkedRow() const { return RowOf(m_marked); }

private:
    std::vector<DecodeId> m_rows; // per row as shown, the decode it shows
    DtWindow m_samples;
    DecodeId m_next = 0;
    DecodeId m_marked = kNoDecode;
};
