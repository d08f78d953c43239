#include "controls/CursorMasks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Reads one pixel back out of the masks as the character that drew it.
char PixelAt(const CursorMasks& masks, int x, int y) {
    const std::size_t byte = (std::size_t)y * (kCursorSize / 8) + (std::size_t)x / 8;
    const int bit = 0x80 >> (x % 8);
    const bool andBit = (masks.andMask[byte] & bit) != 0;
    const bool xorBit = (masks.xorMask[byte] & bit) != 0;
    return andBit ? (xorBit ? '~' : '.') : (xorBit ? 'o' : 'X');
}

void ExpectDrawing(const CursorMasks& masks, std::span<const std::string_view> rows) {
    for (int y = 0; y < kCursorSize; ++y) {
        std::string expected((std::size_t)kCursorSize, '.');
        if (y < (int)rows.size()) {
            expected.replace(0, rows[(std::size_t)y].size(), rows[(std::size_t)y]);
        }
        std::string actual;
        for (int x = 0; x < kCursorSize; ++x) {
            actual += PixelAt(masks, x, y);
        }
        EXPECT_EQ(expected, actual) << "row " << y;
    }
}

TEST(HandCursorMasks, BothHandsReadBackAsDrawnAndTransparentElsewhere) {
    ExpectDrawing(kLinkHandMasks, kLinkHandRows);
    ExpectDrawing(kPressedHandMasks, kPressedHandRows);
    // The fingertip at the hot spot is drawn, so the click point is visible.
    EXPECT_EQ('X', PixelAt(kLinkHandMasks, kHandHotSpot.x, kHandHotSpot.y));
    EXPECT_EQ(22u, std::size(kLinkHandRows));
    EXPECT_EQ(22u, std::size(kPressedHandRows));
}

TEST(HandCursorMasks, BitOrderAndRowStrideMatchTheSystemLayout) {
    // Row 0 of the pointing hand: ".....XX" -> pixels 5 and 6 black, leftmost pixel in the top bit.
    EXPECT_EQ(0xF9, kLinkHandMasks.andMask[0]);
    EXPECT_EQ(0x00, kLinkHandMasks.xorMask[0]);
    // Row 3 of the bent finger: ".....~~" inverts, so both masks have those bits set; four bytes a row.
    EXPECT_EQ(0xFF, kPressedHandMasks.andMask[3 * 4]);
    EXPECT_EQ(0x06, kPressedHandMasks.xorMask[3 * 4]);
    // Row 9 of the pointing hand ends in 'X' at column 16: the first pixel of the third byte.
    EXPECT_EQ(0x7F, kLinkHandMasks.andMask[9 * 4 + 2]);
}

TEST(HandCursorMasks, OversizedAndUnknownDrawingsStayInsideTheCursor) {
    std::vector<std::string> owned((std::size_t)kCursorSize + 4, std::string(40, 'o'));
    owned[0] = "Xo~.?# ";
    std::vector<std::string_view> rows(owned.begin(), owned.end());
    const CursorMasks masks = BuildCursorMasks(rows);
    const char* expectedRow0 = "Xo~....";
    for (int x = 0; x < 7; ++x) {
        EXPECT_EQ(expectedRow0[x], PixelAt(masks, x, 0)) << "column " << x;
    }
    // Columns past 31 and rows past 31 are ignored, not written beyond the masks.
    EXPECT_EQ('o', PixelAt(masks, 31, 31));
    EXPECT_EQ(0x00, masks.andMask[4]);
    EXPECT_EQ(0xFF, masks.xorMask[4]);
}

static_assert(BuildCursorMasks({}).andMask[0] == 0xFF, "an empty drawing is transparent");

} // namespace
