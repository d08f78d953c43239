#pragma once
#include "framework/Win32.h"

// A device context. It owns the handle only when it made it (CreateCompatibleDC); otherwise it is a view
// of a context that someone else releases (CPaintDC, CClientDC and the contexts of WM_DRAWITEM).
class CDC {
public:
    CDC() = default;
    explicit CDC(HDC dc) : m_hDC(dc), m_hAttribDC(dc) {}
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;       // where output goes
    HDC m_hAttribDC = nullptr; // where attributes are read from
    BOOL m_bPrinting = FALSE;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL IsPrinting() const { return m_bPrinting; }

    BOOL CreateCompatibleDC(HDC reference);
    BOOL DeleteDC();

    HGDIOBJ SelectObject(HGDIOBJ object) const { return ::SelectObject(m_hDC, object); }
    int SaveDC() const { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) const { return ::RestoreDC(m_hDC, saved); }

    COLORREF SetTextColor(COLORREF color) const { return ::SetTextColor(m_hDC, color); }
    COLORREF SetBkColor(COLORREF color) const { return ::SetBkColor(m_hDC, color); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
    int SetBkMode(int mode) const { return ::SetBkMode(m_hDC, mode); }

    // Fills with a colour through the text background (which stays set to that colour).
    void FillSolidRect(const RECT& rect, COLORREF color) const;
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color) const;
    void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight) const;
    int FillRect(const RECT& rect, HBRUSH brush) const { return ::FillRect(m_hDC, &rect, brush); }
    int DrawText(const char* text, int length, RECT& rect, UINT format) const {
        return ::DrawTextA(m_hDC, text, length, &rect, format);
    }
    SIZE GetTextExtent(const char* text, int length) const;
    BOOL GetTextMetrics(TEXTMETRICA& metrics) const { return ::GetTextMetricsA(m_hAttribDC, &metrics); }
    BOOL MoveTo(int x, int y) const { return ::MoveToEx(m_hDC, x, y, nullptr); }
    BOOL LineTo(int x, int y) const { return ::LineTo(m_hDC, x, y); }
    BOOL DrawIcon(int x, int y, HICON icon) const { return ::DrawIcon(m_hDC, x, y, icon); }
    BOOL BitBlt(int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop) const {
        return ::BitBlt(m_hDC, x, y, width, height, source, sx, sy, rop);
    }
    int GetClipBox(RECT& rect) const { return ::GetClipBox(m_hDC, &rect); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hAttribDC, index); }
    int GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
    int SetMapMode(int mode) const { return ::SetMapMode(m_hDC, mode); }
    BOOL SetWindowOrg(int x, int y) const { return ::SetWindowOrgEx(m_hDC, x, y, nullptr); }
    void LPtoDP(RECT& rect) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<POINT*>(&rect), 2); }
    void DPtoLP(RECT& rect) const { ::DPtoLP(m_hAttribDC, reinterpret_cast<POINT*>(&rect), 2); }

private:
    bool m_owned = false;
};
