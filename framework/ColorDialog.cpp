#include "framework/ColorDialog.h"

#include <array>

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, HWND parent) {
    m_cc.lStructSize = sizeof m_cc;
    m_cc.hwndOwner = parent;
    m_cc.rgbResult = initial;
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = flags | CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal() {
    return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}

COLORREF* CColorDialog::GetSavedCustomColors() {
    static std::array<COLORREF, 16> colors = [] {
        std::array<COLORREF, 16> white;
        white.fill(RGB(255, 255, 255));
        return white;
    }();
    return colors.data();
}
