#pragma once
#include "framework/Win32.h"

#include <commdlg.h>

// The system's colour chooser, run modally. Every chooser of the process shares one set of 16 custom
// colours, white at the start of the run and never stored, so a colour the user mixed in one chooser
// is offered again by the next.
class CColorDialog {
public:
    // Opens initialised to `initial` (CC_RGBINIT is always set), in the short form unless `flags`
    // asks for more.
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, HWND parent = nullptr);
    CColorDialog(const CColorDialog&) = delete;
    CColorDialog& operator=(const CColorDialog&) = delete;

    // IDOK when the user chose a colour, IDCANCEL otherwise.
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }

    static COLORREF* GetSavedCustomColors();

private:
    CHOOSECOLORA m_cc{};
};
