#pragma once
#include "framework/Win32.h"

#include "controls/PngImage.h"

// A "PNG" resource of this program (integer id, low 16 bits), decoded and treated by the variant; null
// when the resource is missing or empty, or does not decode to RGBA. Release it with FreePngImage.
PngImage* LoadPngResource(UINT resourceId, PngVariant variant);

// Draws the picture's top-left cx x cy pixels (no more than it has) at (x, y), blended with what the
// context shows there. Nothing for a null picture.
void BlendPngImage(HDC dc, int x, int y, int cx, int cy, const PngImage* image);
