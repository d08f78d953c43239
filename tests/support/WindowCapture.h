#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

// The pixels of a window's client area, read back for checks. Colours come back as COLORREF
// (0x00BBGGRR) so they compare directly with the colours the program sets.
class WindowCapture {
public:
    // Copies what the window shows now: BitBlt from its client DC after it has painted.
    static WindowCapture FromScreen(HWND hwnd);
    // Asks the window to print itself into a memory bitmap (WM_PRINT / PrintWindow).
    static WindowCapture FromPrint(HWND hwnd);
    // The top-left width x height pixels of a context, or the whole of a bitmap that no context holds.
    static WindowCapture FromDC(HDC dc, int width, int height);
    static WindowCapture FromBitmap(HBITMAP bitmap);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const;
    // How many pixels of the rectangle have exactly this colour.
    int Count(const RECT& rect, COLORREF color) const;
    bool AllOf(const RECT& rect, COLORREF color) const;
    // Saves as a 24-bit BMP, for looking at a failing test.
    bool SaveBmp(const char* path) const;

private:
    static WindowCapture Capture(HWND hwnd, bool print);
    // A top-down 32-bit copy of what `draw` puts into a context compatible with `reference`.
    static WindowCapture Capture(HDC reference, int width, int height, const std::function<void(HDC)>& draw);
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels; // 0x00RRGGBB rows, top-down
};
