#pragma once
#include "framework/Wnd.h"

#include <string>

// A tooltip window whose tools are windows (TTF_IDISHWND), owned by the control that creates it. It is
// bound like a dialog control, so the object learns when the window goes with its owner; otherwise it
// goes with the object.
class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override { DestroyWindow(); }

    BOOL Create(HWND owner, DWORD style = 0) {
        HWND hwnd = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                      ::GetModuleHandleA(nullptr), nullptr);
        if (hwnd && !SubclassWindow(hwnd)) {
            ::DestroyWindow(hwnd);
            return FALSE;
        }
        return hwnd != nullptr;
    }
    // The tool is the window `tool`, with its parent as the window the tooltip reports to.
    BOOL AddTool(HWND tool, const char* text) const {
        TTTOOLINFOA info = ToolInfo(tool, text);
        return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&info);
    }
    void UpdateTipText(const char* text, HWND tool) const {
        TTTOOLINFOA info = ToolInfo(tool, text);
        SendMessage(TTM_UPDATETIPTEXTA, 0, (LPARAM)&info);
    }
    std::string GetText(HWND tool) const {
        char text[1024] = ""; // the size comctl32 assumes for TTM_GETTEXTA
        TTTOOLINFOA info = ToolInfo(tool, text);
        SendMessage(TTM_GETTEXTA, sizeof text, (LPARAM)&info);
        return text;
    }
    int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }
    void Activate(BOOL activate) const { SendMessage(TTM_ACTIVATE, activate); }
    void RelayEvent(MSG& msg) const { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&msg); }

private:
    static TTTOOLINFOA ToolInfo(HWND tool, const char* text) {
        TTTOOLINFOA info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND;
        info.hwnd = ::GetParent(tool);
        info.uId = (UINT_PTR)tool;
        info.lpszText = const_cast<char*>(text);
        return info;
    }
};
