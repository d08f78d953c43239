#pragma once
#include "framework/Wnd.h"

// An edit control; its text goes through CWnd's GetWindowText and SetWindowText.
class CEdit : public CWnd {
public:
    void SetMargins(UINT left, UINT right) const {
        SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(left, right));
    }
    int GetTextLength() const { return (int)SendMessage(WM_GETTEXTLENGTH); }
    void SetSel(int start, int end) const { SendMessage(EM_SETSEL, (WPARAM)start, (LPARAM)end); }
    void ScrollCaret() const { SendMessage(EM_SCROLLCARET); }
    // Replaces the selection without adding to the undo buffer.
    void ReplaceSel(const char* text) const { SendMessage(EM_REPLACESEL, FALSE, (LPARAM)text); }
};
