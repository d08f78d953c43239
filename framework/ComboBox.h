#pragma once
#include "framework/Wnd.h"

class CComboBox : public CWnd {
public:
    int AddString(const char* text) const { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)text); }
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
    int SetCurSel(int index) const { return (int)SendMessage(CB_SETCURSEL, (WPARAM)index); }
    void ResetContent() const { SendMessage(CB_RESETCONTENT); }
};
