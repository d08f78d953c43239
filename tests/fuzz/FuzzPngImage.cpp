// The PNG loader (libpng behind a memory reader) on any bytes, and the blending of what it decodes.
// The size of the input picks the colour treatment, so the PNG signature stays where the seeds have it.
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "controls/PngImage.h"
#include "controls/PngPixels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto variant = static_cast<PngVariant>(size % 3);
    const PngImagePtr image(DecodePngImage(data, size, variant));
    if (!image) {
        return 0;
    }
    FUZZ_CHECK(image->width >= 1 && image->width <= kMaxPngDimension);
    FUZZ_CHECK(image->height >= 1 && image->height <= kMaxPngDimension);
    FUZZ_CHECK(image->rows != nullptr);
    for (int32_t y = 0; y < image->height; ++y) {
        const unsigned char* row = image->rows[y];
        for (int32_t x = 0; x < image->width; ++x) {
            const unsigned char* pixel = row + 4 * x;
            // Premultiplied colours never exceed their alpha, which is stored inverted.
            if (variant == PngVariant::Plain) {
                const int alpha = 255 - pixel[3];
                FUZZ_CHECK(pixel[0] <= alpha && pixel[1] <= alpha && pixel[2] <= alpha);
            }
        }
    }
    // Blended as a button of at most 64 x 64 pixels draws it.
    const PngBlendSize blend = ClipPngBlend(*image, 64, 64);
    if (blend.cx > 0 && blend.cy > 0) {
        const size_t rowBytes = DibRowBytes24(blend.cx);
        std::vector<unsigned char> bits(rowBytes * blend.cy, 0x80);
        BlendPngRows(*image, blend.cx, blend.cy, bits.data(), rowBytes);
    }
    return 0;
}
