#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

// How the loader treats the colours of a picture: as they are (premultiplied by alpha), darkened by 15
// per channel (hot and pressed buttons), or turned grey (disabled buttons).
enum class PngVariant : int32_t { Plain = 0, Darkened = 1, Grey = 2 };

// A decoded picture. Each pixel holds R', G', B' (premultiplied by alpha and treated by the variant) and
// the inverse alpha 255 - A, in that order; row 0 is the top row. The rows and the record come from the
// standard heap: release them with FreePngImage.
struct PngImage {
    int32_t width;
    int32_t height;
    unsigned char** rows; // `height` rows of `width` pixels of 4 bytes
};

// Decodes PNG bytes held in memory. Null for anything that is not a complete PNG decoding to 8-bit RGBA
// (palette and RGB pictures count when a transparency chunk gives them alpha), for pictures larger than
// kMaxPngDimension either way, and for any error libpng reports. Never reads outside [data, data + size).
PngImage* DecodePngImage(const unsigned char* data, size_t size, PngVariant variant);
void FreePngImage(PngImage* image);

constexpr int32_t kMaxPngDimension = 4096;

struct PngImageDeleter {
    void operator()(PngImage* image) const { FreePngImage(image); }
};
using PngImagePtr = std::unique_ptr<PngImage, PngImageDeleter>;
