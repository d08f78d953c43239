#pragma once

#include <array>
#include <span>

// Sizes and shapes of the decode list and its header, kept free of the window system so they can be
// checked natively. Coordinates are pixels, rectangles exclude their right and bottom edges.

struct ListPoint {
    int x;
    int y;
};

struct ListRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Makes the column widths add up to `clientWidth` one pixel at a time, column 0 first and round again,
// so that no column takes the whole difference. A column already at zero gives nothing more; when none
// can give, the rest of the difference stays. Returns false when there was nothing to do (widths already
// fit, or the client width or the total is not positive).
bool FitColumnWidths(std::span<int> widths, int clientWidth);

// Row height for a font: at least `minimum`, else 2 + 1.05 x |lfHeight| truncated, so the descenders of
// a large font are not cut off.
unsigned RowHeightForFont(unsigned minimum, long lfHeight);

// The title text area of a header item: the item less a quarter of its height on each side, and for the
// sorted column a further three quarters on the right where the arrow goes. A pressed item is drawn
// shifted right and down.
ListRect HeaderTextRect(const ListRect& item, bool pressed, bool sorted);

// One line of the etched sort arrow: drawn with the highlight or the shadow colour through `count`
// points, each segment excluding its end point.
struct ArrowStroke {
    bool highlight;
    int count;
    std::array<ListPoint, 3> points;
};

// The two strokes of the sort arrow at the right of a header item (apex up when ascending).
std::array<ArrowStroke, 2> SortArrowStrokes(const ListRect& item, bool ascending);
