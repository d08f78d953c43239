#pragma once
#include "framework/Win32.h"

#include "StaticControlsTestIds.h"
#include "framework/Dialog.h"
#include "support/MessagePump.h"

// A modeless dialog that binds the control under test to one of its statics and shows itself, so that
// what the control paints can be read back from the screen.
template <class Control> class CStaticHostDialog : public CDialog {
public:
    explicit CStaticHostDialog(UINT controlId) : CDialog(IDD_STATIC_CONTROLS_TEST), m_controlId(controlId) {}
    Control m_control;

    bool Open() {
        if (!Create()) {
            return false;
        }
        ::SetWindowPos(m_hWnd, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        PumpMessages(50);
        return true;
    }

protected:
    void DoDataExchange() override { BindControl(m_controlId, m_control); }

private:
    UINT m_controlId;
};
