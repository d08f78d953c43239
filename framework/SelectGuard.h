#pragma once
#include "framework/Win32.h"

// Selects a GDI object into a DC and puts the previous one back when it goes out of scope. Declare it
// after the object it selects, so the DC is restored before the object is deleted.
class CSelectGuard {
public:
    CSelectGuard(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_previous(object ? ::SelectObject(dc, object) : nullptr) {}
    ~CSelectGuard() {
        if (m_previous) {
            ::SelectObject(m_dc, m_previous);
        }
    }
    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
