#pragma once

#include <string_view>

// Sorting the rows of a list in place by the text of one column, the way the decode list does it when a
// column title is clicked.

// Text order of the message column: byte by byte as unsigned values, so digits come before upper-case
// letters, upper-case before lower-case, and a text before any longer one that begins with it. Negative,
// zero or positive like strcmp.
int CompareBytes(std::string_view a, std::string_view b);

enum class SortKeyKind { Number, Text };

// Rows as the sort sees them: the key text of a row, and whole-row swaps.
class SortableRows {
public:
    // The sort column's text of `row`; it stays valid until the next call.
    virtual std::string_view KeyText(int row) = 0;
    virtual void SwapRows(int a, int b) = 0;

protected:
    ~SortableRows() = default;
};

// Quicksort of rows low..high (inclusive) around the middle row's key, keys compared as numbers or as
// bytes. Rows whose key texts are equal are not swapped; equal keys may come out in any order.
// Nothing happens when high <= low.
void QuickSortRows(SortableRows& rows, int low, int high, bool ascending, SortKeyKind kind);
