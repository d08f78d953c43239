// The loader over pictures written by libpng: the formats it takes, and damaged files of every kind,
// which must come back as null without touching memory outside the file or leaking (run under ASan).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/PngImage.h"
#include "support/PngEncoder.h"

namespace {

PngPicture Rgba(uint32_t width, uint32_t height) {
    PngPicture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize((size_t)width * height * 4);
    for (size_t i = 0; i < (size_t)width * height; ++i) {
        unsigned char* p = &picture.pixels[i * 4];
        p[0] = (unsigned char)(i * 37);
        p[1] = (unsigned char)(255 - p[0]);
        p[2] = 200;
        p[3] = (unsigned char)(i * 85);
    }
    return picture;
}

PngImagePtr Decode(const std::vector<unsigned char>& bytes, PngVariant variant = PngVariant::Plain) {
    return PngImagePtr(DecodePngImage(bytes.data(), bytes.size(), variant));
}

TEST(PngImage, DecodesRgbaRowsTopDownAndTreatsThem) {
    const PngPicture picture = Rgba(3, 2);
    const PngImagePtr image = Decode(EncodePng(picture));
    ASSERT_TRUE(image);
    ASSERT_EQ(3, image->width);
    ASSERT_EQ(2, image->height);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            const unsigned char* in = &picture.pixels[(size_t)(y * 3 + x) * 4];
            const unsigned char* out = image->rows[y] + x * 4;
            EXPECT_EQ(in[0] * in[3] / 255, out[0]) << x << "," << y;
            EXPECT_EQ(200 * in[3] / 255, out[2]) << x << "," << y;
            EXPECT_EQ(255 - in[3], out[3]) << x << "," << y;
        }
    }
}

TEST(PngImage, TakesOnlyFormatsThatExpandToRgba) {
    PngPicture palette;
    palette.width = 2;
    palette.colorType = PNG_COLOR_TYPE_PALETTE;
    palette.palette = {{255, 0, 0}, {0, 0, 255}};
    palette.pixels = {0, 1};
    PngPicture paletteAlpha = palette;
    paletteAlpha.transparency = {0, 255}; // red transparent, blue opaque
    PngPicture interlaced = Rgba(9, 9);
    interlaced.interlace = PNG_INTERLACE_ADAM7;
    PngPicture rgb = Rgba(1, 1);
    rgb.colorType = PNG_COLOR_TYPE_RGB;
    rgb.pixels = {1, 2, 3};
    PngPicture rgba16 = Rgba(1, 1);
    rgba16.bitDepth = 16;
    rgba16.pixels.resize(8, 0xFF);
    PngPicture grey;
    grey.colorType = PNG_COLOR_TYPE_GRAY;
    grey.pixels = {7};
    PngPicture greyAlpha = grey;
    greyAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    greyAlpha.pixels = {7, 255};

    struct Case {
        const char* name;
        const PngPicture& picture;
        bool taken;
    };
    const Case cases[] = {
        {"palette with transparency", paletteAlpha, true},
        {"interlaced RGBA", interlaced, true},
        {"palette alone", palette, false},
        {"RGB without alpha", rgb, false},
        {"16-bit RGBA", rgba16, false},
        {"grey", grey, false},
        {"grey with alpha", greyAlpha, false},
    };
    for (const Case& c : cases) {
        const PngImagePtr image = Decode(EncodePng(c.picture));
        EXPECT_EQ(c.taken, image != nullptr) << c.name;
    }
    const PngImagePtr image = Decode(EncodePng(paletteAlpha));
    ASSERT_TRUE(image);
    const std::vector<unsigned char> pixels(image->rows[0], image->rows[0] + 8);
    EXPECT_EQ((std::vector<unsigned char>{0, 0, 0, 255, 0, 0, 255, 0}), pixels);
}

TEST(PngImage, RefusesPicturesBeyondTheSizeLimit) {
    struct Case {
        uint32_t width, height;
        bool taken;
    };
    for (const Case c :
         {Case{4096, 1, true}, Case{1, 4096, true}, Case{4097, 1, false}, Case{1, 4097, false}}) {
        EXPECT_EQ(c.taken, Decode(EncodePng(Rgba(c.width, c.height))) != nullptr)
            << c.width << " x " << c.height;
    }
}

TEST(PngImage, AnswersDamagedFilesWithNull) {
    const std::vector<unsigned char> good = EncodePng(Rgba(8, 8));
    ASSERT_TRUE(Decode(good));
    ASSERT_TRUE(DecodePngImage(good.data(), 0, PngVariant::Plain) == nullptr);
    ASSERT_TRUE(DecodePngImage(nullptr, good.size(), PngVariant::Plain) == nullptr);

    // Every prefix is a truncated file: the reader must refuse to run past its end. The copy has no
    // spare bytes after it, so ASan sees any read beyond.
    for (size_t length = 1; length < good.size(); ++length) {
        const std::vector<unsigned char> prefix(good.begin(), good.begin() + (long)length);
        EXPECT_FALSE(Decode(prefix)) << "first " << length << " bytes";
    }

    // Damage with intact checksums, so libpng's own checks meet it. The header starts at 8, its data at
    // 16 (width, height, depth, colour type), the picture data chunk at 33.
    constexpr size_t kHeader = 8;
    constexpr size_t kData = 33;
    struct Damage {
        const char* name;
        size_t at;
        std::vector<unsigned char> bytes;
        size_t reseal; // chunk whose checksum is put right afterwards, or 0
    };
    const Damage damages[] = {
        {"signature", 1, {'Q'}, 0},
        {"header checksum", 29, {0x00, 0x00}, 0},
        {"data checksum", good.size() - 16, {0x12}, 0},
        {"absurd size", 16, {0x7F, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF}, kHeader},
        {"zero width", 16, {0, 0, 0, 0}, kHeader},
        {"bit depth 3", 24, {3}, kHeader},
        {"compressed data", kData + 10, {0xFF, 0x00, 0xFF}, kData},
        {"chunk length past the end", kData, {0x7F, 0xFF, 0xFF, 0xF0}, 0},
    };
    for (const Damage& d : damages) {
        std::vector<unsigned char> bad = good;
        std::copy(d.bytes.begin(), d.bytes.end(), bad.begin() + (long)d.at);
        if (d.reseal) {
            ResealPngChunk(bad, d.reseal);
        }
        EXPECT_FALSE(Decode(bad)) << d.name;
    }

    // Any single changed byte gives null or the whole picture, never anything in between.
    for (size_t at = 0; at < good.size(); ++at) {
        std::vector<unsigned char> bad = good;
        bad[at] ^= 0x5A;
        const PngImagePtr image = Decode(bad);
        if (image) {
            EXPECT_EQ(8, image->width) << "byte " << at;
            EXPECT_EQ(8, image->height) << "byte " << at;
        }
    }
}

} // namespace
