#pragma once
#include <cstddef>

#include "controls/PngImage.h"

// The pixel arithmetic of the image buttons, apart from any drawing API.

// One decoded R, G, B, A pixel, in place: the colours premultiplied by alpha (integer, rounding down) and
// treated by the variant, then the alpha replaced by its inverse 255 - A.
void TreatPngPixel(unsigned char* pixel, PngVariant variant);
void TreatPngRows(PngImage& image, PngVariant variant);

// The part of the picture a blend of cx x cy pixels covers: no more than the picture; nothing to draw
// when either is 0 or less.
struct PngBlendSize {
    int cx;
    int cy;
};
PngBlendSize ClipPngBlend(const PngImage& image, int cx, int cy);

// Bytes per row of a 24-bit device-independent bitmap `cx` pixels wide (rows are padded to 4 bytes).
size_t DibRowBytes24(int cx);

// Blends the picture's top-left cx x cy pixels (already clipped) onto a 24-bit bottom-up bitmap of that
// size (blue, green, red): channel = ((channel x inverse alpha) >> 8) + treated colour. The padding
// after each row is left alone.
void BlendPngRows(const PngImage& image, int cx, int cy, unsigned char* bits, size_t rowBytes);

// Where a picture of width x height goes in an item rectangle: centred, truncating toward zero.
struct PngOrigin {
    int x;
    int y;
};
PngOrigin CentrePngImage(int left, int top, int right, int bottom, int width, int height);
