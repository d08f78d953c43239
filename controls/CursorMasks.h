#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// Monochrome 32 x 32 cursors drawn as rows of text and turned into the AND and XOR masks that the system
// takes (one bit a pixel, rows of four bytes, leftmost pixel in the top bit):
//   '.' transparent (AND 1, XOR 0)   'X' black (AND 0, XOR 0)
//   'o' white       (AND 0, XOR 1)   '~' inverts the screen (AND 1, XOR 1)
// Rows and columns the drawing does not reach, and any other character, are transparent.

constexpr int kCursorSize = 32;
constexpr std::size_t kCursorMaskBytes = kCursorSize * kCursorSize / 8;

struct CursorMasks {
    std::array<std::uint8_t, kCursorMaskBytes> andMask{};
    std::array<std::uint8_t, kCursorMaskBytes> xorMask{};
};

constexpr CursorMasks BuildCursorMasks(std::span<const std::string_view> rows) {
    CursorMasks masks;
    masks.andMask.fill(0xFF);
    for (std::size_t y = 0; y < rows.size() && y < kCursorSize; ++y) {
        for (std::size_t x = 0; x < rows[y].size() && x < kCursorSize; ++x) {
            const char c = rows[y][x];
            const bool andBit = c != 'X' && c != 'o';
            const bool xorBit = c == 'o' || c == '~';
            const std::size_t byte = y * (kCursorSize / 8) + x / 8;
            const auto bit = static_cast<std::uint8_t>(0x80u >> (x % 8));
            if (!andBit) {
                masks.andMask[byte] &= static_cast<std::uint8_t>(~bit);
            }
            if (xorBit) {
                masks.xorMask[byte] |= bit;
            }
        }
    }
    return masks;
}

// The link's hands, 22 rows high; both have the fingertip at the hot spot.
struct HotSpot {
    int x;
    int y;
};
constexpr HotSpot kHandHotSpot{5, 0};

// The two hands differ only in the index finger's top rows; the rest of the hand is shared.
inline constexpr std::string_view kHandPalmRows[] = {
    "....XooX.........", //
    "....XooXXX.......", //
    "....XooXooXXX....", //
    "....XooXooXooXX..", //
    "....XooXooXooXoX.", //
    "XXX.XooXooXooXooX", //
    "XooXXooooooooXooX", //
    "XoooXoooooooooooX", //
    ".XooXoooooooooooX", //
    "..XoXoooooooooooX", //
    "..XoooooooooooooX", //
    "...XooooooooooooX", //
    "...XoooooooooooX.", //
    "....XooooooooooX.", //
    "....XooooooooooX.", //
    ".....XooooooooX..", //
    ".....XooooooooX..", //
    ".....XXXXXXXXXX..", //
};
inline constexpr std::string_view kLinkFingerRows[] = {
    ".....XX..........", //
    "....XooX.........", //
    "....XooX.........", //
    "....XooX.........", //
};
// The index finger bent, shown while the button is down.
inline constexpr std::string_view kPressedFingerRows[] = {
    ".................", //
    ".................", //
    ".................", //
    ".....~~..........", //
};

template <std::size_t Top, std::size_t Bottom>
constexpr std::array<std::string_view, Top + Bottom> StackRows(const std::string_view (&top)[Top],
                                                               const std::string_view (&bottom)[Bottom]) {
    std::array<std::string_view, Top + Bottom> rows{};
    for (std::size_t i = 0; i < Top; ++i) {
        rows[i] = top[i];
    }
    for (std::size_t i = 0; i < Bottom; ++i) {
        rows[Top + i] = bottom[i];
    }
    return rows;
}

inline constexpr auto kLinkHandRows = StackRows(kLinkFingerRows, kHandPalmRows);
inline constexpr auto kPressedHandRows = StackRows(kPressedFingerRows, kHandPalmRows);

inline constexpr CursorMasks kLinkHandMasks = BuildCursorMasks(kLinkHandRows);
inline constexpr CursorMasks kPressedHandMasks = BuildCursorMasks(kPressedHandRows);
