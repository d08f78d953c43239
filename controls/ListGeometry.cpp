#include "controls/ListGeometry.h"

#include <cstdint>
#include <cstdlib>
#include <numeric>

bool FitColumnWidths(std::span<int> widths, int clientWidth) {
    const long long sum = std::accumulate(widths.begin(), widths.end(), 0LL);
    if (clientWidth == sum || clientWidth <= 0 || sum <= 0) {
        return false;
    }
    const int step = clientWidth < sum ? -1 : 1;
    long long remaining = clientWidth < sum ? sum - clientWidth : clientWidth - sum;
    if (step > 0) {
        // Every column takes an equal share, the first ones one pixel more.
        const long long share = remaining / (long long)widths.size();
        const long long extra = remaining % (long long)widths.size();
        for (size_t i = 0; i < widths.size(); ++i) {
            widths[i] += (int)(share + ((long long)i < extra ? 1 : 0));
        }
        return true;
    }
    // Shrinking: the same order, but a column stops giving at zero width.
    while (remaining > 0) {
        bool gave = false;
        for (size_t i = 0; i < widths.size() && remaining > 0; ++i) {
            if (widths[i] > 0) {
                --widths[i];
                --remaining;
                gave = true;
            }
        }
        if (!gave) {
            break;
        }
    }
    return true;
}

unsigned RowHeightForFont(unsigned minimum, long lfHeight) {
    const long long magnitude = std::llabs((long long)lfHeight);
    const unsigned fromFont = 2u + (unsigned)(std::uint64_t)(1.05 * (double)magnitude);
    return fromFont > minimum ? fromFont : minimum;
}

namespace {

int Quarter(const ListRect& item) {
    return (item.bottom - item.top) / 4;
}

} // namespace

ListRect HeaderTextRect(const ListRect& item, bool pressed, bool sorted) {
    const int q = Quarter(item);
    ListRect r = item;
    if (pressed) {
        r.left += 1;
        r.top += 2;
        r.right += 1;
    }
    r.left += q;
    r.right -= sorted ? 4 * q : q;
    return r;
}

std::array<ArrowStroke, 2> SortArrowStrokes(const ListRect& item, bool ascending) {
    const int q = Quarter(item);
    const int R = item.right;
    const int B = item.bottom;
    if (ascending) {
        return {{
            {true, 3, {{{R - 2 * q, q}, {R - q, B - q - 1}, {R - 3 * q - 2, B - q - 1}}}},
            {false, 2, {{{R - 3 * q - 1, B - q - 1}, {R - 2 * q, q - 2}, {0, 0}}}},
        }};
    }
    return {{
        {true, 2, {{{R - q - 1, q}, {R - 2 * q - 1, B - q}, {0, 0}}}},
        {false, 3, {{{R - 2 * q - 2, B - q}, {R - 3 * q - 1, q}, {R - q - 1, q}}}},
    }};
}
