#include "controls/ListGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

struct FitCase {
    std::vector<int> widths;
    int client;
    std::vector<int> expected;
};

TEST(ListGeometryTest, ColumnsFillTheClientWidthRoundRobin) {
    const FitCase cases[] = {
        // The decode list's five columns in a client area 7 pixels too narrow.
        {{60, 40, 40, 50, 200}, 383, {58, 38, 39, 49, 199}},
        {{60, 40, 40, 50, 200}, 397, {62, 42, 41, 51, 201}},
        {{60, 40, 40, 50, 200}, 390, {60, 40, 40, 50, 200}}, // already fits
        {{10, 10}, 45, {23, 22}},                            // more than one round
        {{10, 10}, 7, {3, 4}},
        {{1, 0, 5}, 2, {0, 0, 2}}, // columns at zero give nothing
        {{3, 3}, -20, {3, 3}},     // no client area: left alone
        {{0, 0}, 100, {0, 0}},     // no columns to widen
    };
    for (const FitCase& c : cases) {
        std::vector<int> widths = c.widths;
        FitColumnWidths(widths, c.client);
        EXPECT_EQ(c.expected, widths) << "client " << c.client;
    }
}

TEST(ListGeometryTest, AVeryNarrowClientAreaNeverMakesAColumnNegative) {
    std::vector<int> widths{60, 40, 40, 50, 200};
    EXPECT_TRUE(FitColumnWidths(widths, 3));
    for (int w : widths) {
        EXPECT_GE(w, 0);
    }
    EXPECT_EQ(3, std::accumulate(widths.begin(), widths.end(), 0));
}

TEST(ListGeometryTest, RowHeightGrowsWithTheFont) {
    EXPECT_EQ(18u, RowHeightForFont(18, -11)); // 8 points at 96 dpi: 13 from the font
    EXPECT_EQ(24u, RowHeightForFont(18, -21)); // 2 + 22.05
    EXPECT_EQ(24u, RowHeightForFont(18, 21));  // cell height given as a positive number
    EXPECT_EQ(18u, RowHeightForFont(18, 0));
    EXPECT_EQ(5u, RowHeightForFont(0, -3));
    EXPECT_EQ(2u + 2254857829u, RowHeightForFont(18, -2147483647L)); // no overflow of the magnitude
}

bool Inside(const ListPoint& p, const ListRect& r) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

TEST(ListGeometryTest, TheSortArrowStaysInItsItemRightOfTheTitle) {
    for (int height : {18, 24, 40}) {
        for (bool ascending : {true, false}) {
            const ListRect item{100, 0, 160, height};
            const ListRect text = HeaderTextRect(item, false, true);
            const auto strokes = SortArrowStrokes(item, ascending);
            int bottom = 0;
            for (const ArrowStroke& s : strokes) {
                for (int i = 0; i < s.count; ++i) {
                    EXPECT_TRUE(Inside(s.points[i], item)) << height << " " << ascending;
                    EXPECT_GE(s.points[i].x, text.right) << height << " " << ascending;
                    bottom = std::max(bottom, s.points[i].y);
                }
            }
            // The highlight stroke's apex points the way of the order: up above the base line when
            // ascending, down at the lowest point when descending.
            const ArrowStroke& light = strokes[0];
            EXPECT_TRUE(light.highlight);
            if (ascending) {
                EXPECT_LT(light.points[0].y, light.points[1].y) << height;
                EXPECT_EQ(light.points[1].y, light.points[2].y) << height; // the base
            } else {
                EXPECT_EQ(bottom, light.points[1].y) << height;
                EXPECT_LT(light.points[0].y, light.points[1].y) << height;
            }
        }
    }
}

} // namespace
