#pragma once
#include "framework/Wnd.h"

class CHeaderCtrl : public CWnd {
public:
    int GetItemCount() const { return (int)SendMessage(HDM_GETITEMCOUNT); }
    BOOL GetItem(int index, HDITEMA& item) const {
        return (BOOL)SendMessage(HDM_GETITEMA, index, (LPARAM)&item);
    }
    BOOL SetItem(int index, const HDITEMA& item) const {
        return (BOOL)SendMessage(HDM_SETITEMA, index, (LPARAM)&item);
    }
    RECT GetItemRect(int index) const {
        RECT rc{};
        SendMessage(HDM_GETITEMRECT, index, (LPARAM)&rc);
        return rc;
    }
    int OrderToIndex(int order) const { return (int)SendMessage(HDM_ORDERTOINDEX, order); }
};
