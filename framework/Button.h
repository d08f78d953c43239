#pragma once
#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return (int)SendMessage(BM_GETCHECK); }
    void SetCheck(int state) const { SendMessage(BM_SETCHECK, (WPARAM)state); }
    // The elevation shield: the mark of actions that need administrator rights.
    void SetShield(BOOL required) const { SendMessage(BCM_SETSHIELD, 0, required); }
};
