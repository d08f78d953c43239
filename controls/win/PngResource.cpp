#include "controls/win/PngResource.h"

#include "controls/PngPixels.h"
#include "framework/Bitmap.h"
#include "framework/DC.h"
#include "framework/SelectGuard.h"

PngImage* LoadPngResource(UINT resourceId, PngVariant variant) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(resourceId & 0xFFFF), "PNG");
    if (!resource) {
        return nullptr;
    }
    const DWORD size = ::SizeofResource(module, resource);
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || size == 0) {
        return nullptr;
    }
    return DecodePngImage(static_cast<const unsigned char*>(bytes), size, variant);
}

void BlendPngImage(HDC dc, int x, int y, int cx, int cy, const PngImage* image) {
    if (!image) {
        return;
    }
    const PngBlendSize size = ClipPngBlend(*image, cx, cy);
    if (size.cx <= 0 || size.cy <= 0) {
        return;
    }
    CDC memory;
    if (!memory.CreateCompatibleDC(dc)) {
        return;
    }
    // A bottom-up 24-bit copy of the target's area, blended in place and copied back.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CBitmap dib;
    dib.Attach(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) {
        return;
    }
    CSelectGuard select(memory, dib);
    memory.BitBlt(0, 0, size.cx, size.cy, dc, x, y, SRCCOPY);
    ::GdiFlush();
    BlendPngRows(*image, size.cx, size.cy, static_cast<unsigned char*>(bits), DibRowBytes24(size.cx));
    ::BitBlt(dc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
}
