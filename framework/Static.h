#pragma once
#include "framework/Wnd.h"

class CStatic : public CWnd {
public:
    HICON SetIcon(HICON icon) const { return (HICON)SendMessage(STM_SETICON, (WPARAM)icon); }
    HICON GetIcon() const { return (HICON)SendMessage(STM_GETICON); }
};
