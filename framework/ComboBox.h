#pragma once
#include "framework/Wnd.h"

// A combo box; a drop-down one's edit text goes through CWnd's GetWindowText and SetWindowText.
class CComboBox : public CWnd {
public:
    int AddString(const char* text) const { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)text); }
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    // The selected list entry, or CB_ERR when none is.
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
    int SetCurSel(int index) const { return (int)SendMessage(CB_SETCURSEL, (WPARAM)index); }
};
