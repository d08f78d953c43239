#pragma once
#include "framework/DC.h"

// GetDC of a window's client area for the life of the object.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND hwnd) : m_hWnd(hwnd) { m_hDC = m_hAttribDC = ::GetDC(hwnd); }
    ~CClientDC() override {
        if (m_hDC) {
            ::ReleaseDC(m_hWnd, m_hDC);
        }
        m_hDC = m_hAttribDC = nullptr;
    }

private:
    HWND m_hWnd;
};
