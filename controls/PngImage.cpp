#include "controls/PngImage.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "controls/PngPixels.h"

namespace {

// The bytes being decoded and how far libpng has read them.
struct MemoryStream {
    const unsigned char* data;
    size_t size;
    size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
    auto* stream = static_cast<MemoryStream*>(png_get_io_ptr(png));
    if (length > stream->size - stream->position) {
        // A short read is an error: libpng must never go on with bytes it did not get.
        png_error(png, "PNG data ends early");
    }
    std::memcpy(out, stream->data + stream->position, length);
    stream->position += length;
}

// Errors end the decoding through ReadPicture's jump buffer; neither reaches the user.
[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

// libpng leaves this frame by longjmp on any error, so nothing here may need a destructor. Whatever it
// allocated stays with its structures and goes with png_destroy_read_struct.
bool ReadPicture(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    // Palette pictures become RGB, small grey depths 8-bit, and a transparency chunk an alpha channel.
    png_read_png(png, info, PNG_TRANSFORM_EXPAND, nullptr);
    return true;
}

// Takes the decoded rows over from libpng, which then no longer frees them.
PngImage* TakeRows(png_structp png, png_infop info) {
    auto* image = static_cast<PngImage*>(std::malloc(sizeof(PngImage)));
    if (!image) {
        return nullptr;
    }
    image->width = (int32_t)png_get_image_width(png, info);
    image->height = (int32_t)png_get_image_height(png, info);
    image->rows = png_get_rows(png, info);
    png_data_freer(png, info, PNG_USER_WILL_FREE_DATA, PNG_FREE_ROWS);
    return image;
}

} // namespace

PngImage* DecodePngImage(const unsigned char* data, size_t size, PngVariant variant) {
    if (!data || size == 0) {
        return nullptr;
    }
    // The version of the headers compiled against: libpng refuses to run with an incompatible library.
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (!png) {
        return nullptr;
    }
    png_infop info = png_create_info_struct(png);
    PngImage* image = nullptr;
    if (info) {
        MemoryStream stream{data, size, 0};
        png_set_read_fn(png, &stream, ReadFromMemory);
        // Refused when the header is read, before any row is allocated.
        png_set_user_limits(png, kMaxPngDimension, kMaxPngDimension);
        if (ReadPicture(png, info) && (png_get_valid(png, info, PNG_INFO_IDAT) & PNG_INFO_IDAT) != 0 &&
            png_get_channels(png, info) * png_get_bit_depth(png, info) == 32 && png_get_rows(png, info)) {
            image = TakeRows(png, info);
        }
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    if (image) {
        TreatPngRows(*image, variant);
    }
    return image;
}

void FreePngImage(PngImage* image) {
    if (!image) {
        return;
    }
    if (image->rows) {
        for (int32_t y = 0; y < image->height; ++y) {
            std::free(image->rows[y]);
        }
        std::free(image->rows);
    }
    std::free(image);
}
