#include "framework/DC.h"

CDC::~CDC() {
    DeleteDC();
}

BOOL CDC::CreateCompatibleDC(HDC reference) {
    DeleteDC();
    m_hDC = m_hAttribDC = ::CreateCompatibleDC(reference);
    m_owned = m_hDC != nullptr;
    return m_owned;
}

BOOL CDC::DeleteDC() {
    BOOL deleted = FALSE;
    if (m_owned && m_hDC) {
        deleted = ::DeleteDC(m_hDC);
    }
    m_owned = false;
    m_hDC = m_hAttribDC = nullptr;
    return deleted;
}

void CDC::FillSolidRect(const RECT& rect, COLORREF color) const {
    ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) const {
    FillSolidRect(RECT{x, y, x + cx, y + cy}, color);
}

void CDC::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight) const {
    const int x = rect.left, y = rect.top;
    const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

SIZE CDC::GetTextExtent(const char* text, int length) const {
    SIZE size{};
    ::GetTextExtentPoint32A(m_hAttribDC, text, length, &size);
    return size;
}
