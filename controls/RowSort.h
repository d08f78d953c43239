#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Sorting the rows of a list by the text of one column, the way the decode list does it when a column
// title is clicked.

// Text order of the message column: byte by byte as unsigned values, so digits come before upper-case
// letters, upper-case before lower-case, and a text before any longer one that begins with it. Negative,
// zero or positive like strcmp.
int CompareBytes(std::string_view a, std::string_view b);

enum class SortKeyKind { Number, Text };

// The order in which rows with these key texts come out of the list's sort: element i is the index in
// `keys` of the row that ends up at position i. A quicksort around the middle row's key, keys compared as
// numbers or as bytes; rows whose key texts are equal are never exchanged, so rows with equal keys come
// out in the order this sort has always given them. Keys that defeat the middle pivot cannot make it
// quadratic: ranges still unsorted after 4 log2(n) levels are finished by a heap sort, and only there may
// rows with equal keys come out in another order.
std::vector<int> SortRowOrder(std::span<const std::string> keys, bool ascending, SortKeyKind kind);
