#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "controls/PngPixels.h"

namespace {

using Pixel = std::array<unsigned char, 4>;

TEST(PngPixels, TreatsColoursByVariant) {
    struct Case {
        Pixel in;
        PngVariant variant;
        Pixel out;
    };
    const Case cases[] = {
        {{10, 200, 30, 255}, PngVariant::Plain, {10, 200, 30, 0}},  // opaque: its own colour
        {{255, 255, 255, 0}, PngVariant::Plain, {0, 0, 0, 255}},    // transparent: no colour at all
        {{255, 128, 1, 128}, PngVariant::Plain, {128, 64, 0, 127}}, // premultiplied, rounding down
        {{15, 16, 255, 255}, PngVariant::Darkened, {0, 1, 240, 0}}, // 15 lower, never below 0
        {{255, 255, 255, 128}, PngVariant::Darkened, {113, 113, 113, 127}},
        {{255, 255, 255, 255}, PngVariant::Grey, {254, 254, 254, 0}}, // three truncated terms
        {{255, 0, 0, 255}, PngVariant::Grey, {76, 76, 76, 0}},
        {{255, 255, 255, 128}, PngVariant::Grey, {127, 127, 127, 127}}, // 38 + 75 + 14
        {{10, 200, 30, 255}, (PngVariant)7, {10, 200, 30, 0}},          // unknown: as Plain
    };
    for (const Case& c : cases) {
        Pixel pixel = c.in;
        TreatPngPixel(pixel.data(), c.variant);
        EXPECT_EQ(c.out, pixel) << "variant " << (int)c.variant << " of " << (int)c.in[0] << ","
                                << (int)c.in[1] << "," << (int)c.in[2] << "," << (int)c.in[3];
    }
}

TEST(PngPixels, BlendsOntoBackgroundScaledByInverseAlpha) {
    struct Case {
        Pixel treated; // R', G', B', inverse alpha
        unsigned char background;
        unsigned char blue, green, red;
    };
    const Case cases[] = {
        {{10, 20, 30, 0}, 200, 30, 20, 10},   // opaque: exactly the picture
        {{0, 0, 0, 255}, 240, 239, 239, 239}, // transparent: 240 x 255 / 256
        {{0, 0, 0, 255}, 0, 0, 0, 0},
        {{100, 50, 0, 127}, 255, 126, 176, 226}, // half: (255 x 127) >> 8 = 126, plus the colour
    };
    for (const Case& c : cases) {
        Pixel pixel = c.treated;
        unsigned char* row = pixel.data();
        const PngImage image{1, 1, &row};
        std::vector<unsigned char> bits(DibRowBytes24(1), c.background);
        BlendPngRows(image, 1, 1, bits.data(), bits.size());
        EXPECT_EQ((std::vector<unsigned char>{c.blue, c.green, c.red, c.background}), bits)
            << "background " << (int)c.background << ", inverse alpha " << (int)c.treated[3];
    }
}

TEST(PngPixels, BlendWalksBottomUpRowsAndSkipsPadding) {
    // A 3 x 3 picture asked for as 5 x 2, so blended as 3 x 2: opaque pixels numbered by position.
    std::vector<Pixel> pixels;
    for (unsigned char i = 0; i < 9; ++i) {
        pixels.push_back({i, (unsigned char)(i + 100), (unsigned char)(i + 200), 0});
    }
    unsigned char* rows[] = {pixels[0].data(), pixels[3].data(), pixels[6].data()};
    const PngImage image{3, 3, rows};
    const PngBlendSize size = ClipPngBlend(image, 5, 2);
    ASSERT_EQ(3, size.cx);
    ASSERT_EQ(2, size.cy);
    const size_t rowBytes = DibRowBytes24(size.cx);
    ASSERT_EQ(12u, rowBytes);
    std::vector<unsigned char> bits(rowBytes * 2, 0xAA);
    BlendPngRows(image, size.cx, size.cy, bits.data(), rowBytes);
    const std::vector<unsigned char> expected = {
        203, 103, 3, 204, 104, 4, 205, 105, 5, 0xAA, 0xAA, 0xAA, // picture row 1 first, blue first
        200, 100, 0, 201, 101, 1, 202, 102, 2, 0xAA, 0xAA, 0xAA,
    };
    EXPECT_EQ(expected, bits);

    EXPECT_LE(ClipPngBlend(image, 0, 3).cx, 0);
    EXPECT_LE(ClipPngBlend(image, 3, -1).cy, 0);
}

TEST(PngPixels, CentresPictureInItemTruncatingTowardZero) {
    struct Case {
        int right, bottom, x, y;
    };
    for (const Case c : {Case{31, 28, 3, 2}, Case{24, 24, 0, 0}, Case{23, 21, 0, -1}}) {
        const PngOrigin origin = CentrePngImage(0, 0, c.right, c.bottom, 24, 24);
        EXPECT_EQ(c.x, origin.x) << c.right << " x " << c.bottom;
        EXPECT_EQ(c.y, origin.y) << c.right << " x " << c.bottom;
    }
}

} // namespace
