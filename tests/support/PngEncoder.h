#pragma once
// Writes PNG pictures in memory with libpng, so tests can feed the loader any format and damage it.
#include <png.h>
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

struct PngPicture {
    uint32_t width = 1;
    uint32_t height = 1;
    int colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    int bitDepth = 8;
    int interlace = PNG_INTERLACE_NONE;
    std::vector<unsigned char> pixels;       // rows packed as in the file (16-bit samples big-endian)
    std::vector<png_color> palette;          // PNG_COLOR_TYPE_PALETTE only
    std::vector<unsigned char> transparency; // tRNS alpha per palette entry; none when empty
};

inline std::vector<unsigned char> EncodePng(const PngPicture& picture) {
    std::vector<unsigned char> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, size_t length) {
            auto* bytes = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colorType,
                 picture.interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!picture.palette.empty()) {
        png_set_PLTE(png, info, picture.palette.data(), (int)picture.palette.size());
    }
    if (!picture.transparency.empty()) {
        png_set_tRNS(png, info, picture.transparency.data(), (int)picture.transparency.size(), nullptr);
    }
    const size_t rowBytes = png_get_rowbytes(png, info);
    std::vector<png_bytep> rows(picture.height);
    for (uint32_t y = 0; y < picture.height; ++y) {
        rows[y] = const_cast<png_bytep>(picture.pixels.data() + y * rowBytes);
    }
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// Puts right the checksum of the chunk whose length field starts at `offset`, after a test changed it.
inline void ResealPngChunk(std::vector<unsigned char>& png, size_t offset) {
    const unsigned char* p = png.data() + offset;
    const uint32_t length = (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
    const uLong crc = crc32(0, p + 4, length + 4);
    unsigned char* end = png.data() + offset + 8 + length;
    for (int i = 0; i < 4; ++i) {
        end[i] = (unsigned char)(crc >> (24 - 8 * i));
    }
}
