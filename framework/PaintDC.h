#pragma once
#include "framework/DC.h"

// BeginPaint for the life of the object.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hWnd(hwnd) { m_hDC = m_hAttribDC = ::BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() override {
        ::EndPaint(m_hWnd, &m_ps);
        m_hDC = m_hAttribDC = nullptr;
    }
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};
