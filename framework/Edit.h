#pragma once
#include "framework/Wnd.h"

class CEdit : public CWnd {
public:
    void SetMargins(UINT left, UINT right) const {
        SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(left, right));
    }
    void SetSel(int start, int end) const { SendMessage(EM_SETSEL, (WPARAM)start, (LPARAM)end); }
    void ReplaceSel(const char* text) const { SendMessage(EM_REPLACESEL, FALSE, (LPARAM)text); }
};
