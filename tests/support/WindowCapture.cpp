#include "support/WindowCapture.h"

#include <algorithm>
#include <cstdio>

#include "support/MessagePump.h"

WindowCapture WindowCapture::FromScreen(HWND hwnd) {
    return Capture(hwnd, false);
}

WindowCapture WindowCapture::FromPrint(HWND hwnd) {
    return Capture(hwnd, true);
}

WindowCapture WindowCapture::FromDC(HDC dc, int width, int height) {
    return Capture(dc, width, height,
                   [&](HDC memory) { ::BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY); });
}

WindowCapture WindowCapture::FromBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!::GetObjectA(bitmap, sizeof info, &info)) {
        return {};
    }
    HDC source = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(source, bitmap);
    WindowCapture capture = FromDC(source, info.bmWidth, info.bmHeight);
    ::SelectObject(source, old);
    ::DeleteDC(source);
    return capture;
}

WindowCapture WindowCapture::Capture(HWND hwnd, bool print) {
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    ::GdiFlush();

    RECT rc{};
    ::GetClientRect(hwnd, &rc);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    HDC screen = ::GetDC(hwnd);
    WindowCapture capture = Capture(screen, width, height, [&](HDC memory) {
        if (print) {
            ::SendMessageA(hwnd, WM_PRINT, (WPARAM)memory, PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
        } else {
            ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        }
    });
    ::ReleaseDC(hwnd, screen);
    return capture;
}

WindowCapture WindowCapture::Capture(HDC reference, int width, int height,
                                     const std::function<void(HDC)>& draw) {
    WindowCapture capture;
    if (width <= 0 || height <= 0) {
        return capture;
    }
    capture.m_width = width;
    capture.m_height = height;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = ::CreateCompatibleDC(reference);
    HBITMAP dib = ::CreateDIBSection(reference, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, dib);
    draw(memory);
    ::GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    capture.m_pixels.assign(pixels, pixels + (size_t)width * height);
    ::SelectObject(memory, old);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    return capture;
}

COLORREF WindowCapture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return CLR_INVALID;
    }
    const uint32_t p = m_pixels[(size_t)y * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int WindowCapture::Count(const RECT& rect, COLORREF color) const {
    int count = 0;
    for (int y = std::max(0, (int)rect.top); y < std::min(m_height, (int)rect.bottom); ++y) {
        for (int x = std::max(0, (int)rect.left); x < std::min(m_width, (int)rect.right); ++x) {
            count += At(x, y) == color;
        }
    }
    return count;
}

bool WindowCapture::AllOf(const RECT& rect, COLORREF color) const {
    const int w = std::min(m_width, (int)rect.right) - std::max(0, (int)rect.left);
    const int h = std::min(m_height, (int)rect.bottom) - std::max(0, (int)rect.top);
    return w > 0 && h > 0 && Count(rect, color) == w * h;
}

bool WindowCapture::SaveBmp(const char* path) const {
    FILE* f = std::fopen(path, "wb");
    if (!f) {
        return false;
    }
    const int stride = (m_width * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + (DWORD)(stride * m_height);
    ih.biSize = sizeof ih;
    ih.biWidth = m_width;
    ih.biHeight = m_height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&ih, sizeof ih, 1, f);
    std::vector<unsigned char> row((size_t)stride);
    for (int y = m_height - 1; y >= 0; --y) {
        for (int x = 0; x < m_width; ++x) {
            const uint32_t p = m_pixels[(size_t)y * m_width + x];
            row[(size_t)x * 3 + 0] = p & 0xFF;
            row[(size_t)x * 3 + 1] = (p >> 8) & 0xFF;
            row[(size_t)x * 3 + 2] = (p >> 16) & 0xFF;
        }
        std::fwrite(row.data(), 1, row.size(), f);
    }
    std::fclose(f);
    return true;
}
