#include "controls/PngPixels.h"

namespace {

unsigned char Premultiply(unsigned char channel, unsigned char alpha) {
    return (unsigned char)(channel * alpha / 255);
}

// One term of the grey value: the premultiplied channel in double precision, weighted, truncated.
int GreyTerm(unsigned char channel, unsigned char alpha, double weight) {
    return (int)(channel * alpha / 255.0 * weight);
}

} // namespace

void TreatPngPixel(unsigned char* pixel, PngVariant variant) {
    const unsigned char alpha = pixel[3];
    switch (variant) {
    case PngVariant::Grey: {
        // Three truncated terms: opaque white comes out 254, not 255.
        int grey = GreyTerm(pixel[0], alpha, 0.299) + GreyTerm(pixel[1], alpha, 0.587) +
                   GreyTerm(pixel[2], alpha, 0.114);
        if (grey > 255) {
            grey = 255;
        }
        pixel[0] = pixel[1] = pixel[2] = (unsigned char)grey;
        break;
    }
    case PngVariant::Darkened:
        for (int i = 0; i < 3; ++i) {
            const unsigned char value = Premultiply(pixel[i], alpha);
            pixel[i] = value <= 15 ? 0 : (unsigned char)(value - 15);
        }
        break;
    case PngVariant::Plain:
    default:
        for (int i = 0; i < 3; ++i) {
            pixel[i] = Premultiply(pixel[i], alpha);
        }
        break;
    }
    pixel[3] = (unsigned char)(255 - alpha);
}

void TreatPngRows(PngImage& image, PngVariant variant) {
    for (int32_t y = 0; y < image.height; ++y) {
        unsigned char* pixel = image.rows[y];
        for (int32_t x = 0; x < image.width; ++x, pixel += 4) {
            TreatPngPixel(pixel, variant);
        }
    }
}

PngBlendSize ClipPngBlend(const PngImage& image, int cx, int cy) {
    return {cx > image.width ? image.width : cx, cy > image.height ? image.height : cy};
}

size_t DibRowBytes24(int cx) {
    return cx <= 0 ? 0 : (((size_t)cx * 24 + 31) / 32) * 4;
}

void BlendPngRows(const PngImage& image, int cx, int cy, unsigned char* bits, size_t rowBytes) {
    // The bitmap is bottom-up: its first row in memory is the picture's row cy - 1.
    for (int y = cy - 1; y >= 0; --y, bits += rowBytes) {
        const unsigned char* pixel = image.rows[y];
        unsigned char* out = bits;
        for (int x = 0; x < cx; ++x, pixel += 4, out += 3) {
            // The background keeps inverse alpha / 256 of itself: a shift, where 255 would need a
            // division. Premultiplied colours keep every sum within 255.
            const unsigned inverse = pixel[3];
            out[0] = (unsigned char)(((out[0] * inverse) >> 8) + pixel[2]);
            out[1] = (unsigned char)(((out[1] * inverse) >> 8) + pixel[1]);
            out[2] = (unsigned char)(((out[2] * inverse) >> 8) + pixel[0]);
        }
    }
}

PngOrigin CentrePngImage(int left, int top, int right, int bottom, int width, int height) {
    return {left + (right - left - width) / 2, top + (bottom - top - height) / 2};
}
