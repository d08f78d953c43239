#pragma once
#include "framework/Win32.h"

#include <string>

#include "framework/MessageMap.h"

// A window seen from C++. A CWnd is bound to its HWND in exactly one way:
//  - windows it creates itself (CreateEx) from WM_NCCREATE on;
//  - existing windows it takes over (SubclassWindow, used for dialog controls), with the framework's
//    procedure in front of their own;
//  - dialogs from WM_INITDIALOG on (see CDialog).
// The binding lives in the framework's own table of bound windows, never in anything a window carries
// (user data, properties, answers to messages), which other code or another process could set. It is
// cleared at WM_NCDESTROY. Messages go through the class's handler table (GetMessageMap); anything
// without a handler gets the window's default processing.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The C++ object this framework bound to a window of the calling thread, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Creates a window of the framework's own class, bound from its first message on.
    BOOL CreateEx(DWORD exStyle, const char* windowName, DWORD style, const RECT& rect, HWND parent, UINT id);
    // Takes over an existing window (a dialog control); PreSubclassWindow runs first.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, HWND parent);
    // Gives the window back its own procedure and forgets it.
    HWND UnsubclassWindow();
    BOOL DestroyWindow();

    // Thin forwards to the window functions.
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(m_hWnd, msg, wParam, lParam);
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    std::string GetWindowText() const;
    void SetWindowText(const char* text) const { ::SetWindowTextA(m_hWnd, text); }
    BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd); }
    void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    void SetRedraw(BOOL redraw) const { SendMessage(WM_SETREDRAW, redraw); }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    DWORD GetStyle() const { return (DWORD)::GetWindowLongPtrA(m_hWnd, GWL_STYLE); }
    void ModifyStyle(DWORD remove, DWORD add) const;
    HFONT GetFont() const { return (HFONT)SendMessage(WM_GETFONT); }
    void SetFont(HFONT font, BOOL redraw = TRUE) const { SendMessage(WM_SETFONT, (WPARAM)font, redraw); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs) const { return ::SetTimer(m_hWnd, id, elapseMs, nullptr); }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }

    // The number of the message being handled right now.
    UINT CurrentMessageNumber() const { return m_current.msg; }

protected:
    // Handler table of this class; derived classes chain theirs to their base's.
    virtual const MessageMap* GetMessageMap() const;
    // Runs just before the window is taken over by SubclassWindow, with m_hWnd already set.
    virtual void PreSubclassWindow() {}
    // Routes one message: reflection to child controls, then the handler table.
    // Returns true when a handler took it and `result` holds its answer.
    bool Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The window's default processing of the message being handled right now.
    LRESULT Default();
    // Default processing of any message: the subclassed procedure or DefWindowProc.
    virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY has unbound the window.
    virtual void PostNcDestroy() {}

    struct CurrentMessage {
        UINT msg = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    // Keeps the message being handled for Default(), restoring the outer one when handlers nest.
    class CurrentMessageScope {
    public:
        CurrentMessageScope(CWnd& wnd, UINT msg, WPARAM wParam, LPARAM lParam)
            : m_wnd(wnd), m_saved(wnd.m_current) {
            wnd.m_current = {msg, wParam, lParam};
        }
        ~CurrentMessageScope() { m_wnd.m_current = m_saved; }
        CurrentMessageScope(const CurrentMessageScope&) = delete;
        CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;

    private:
        CWnd& m_wnd;
        CurrentMessage m_saved;
    };
    CurrentMessage m_current;

private:
    enum class Binding { None, Created, Subclassed, Dialog };

    // Offers a child's notification or owner-draw request back to the child's own object.
    bool ReflectToChild(UINT msg, LPARAM lParam, LRESULT& result);
    // Enters the binding in the table of bound windows.
    void Bind(HWND hwnd, Binding binding);
    void Unbind();
    // The object bound to a window, from the table; null for any window the framework did not bind.
    static CWnd* BoundObject(HWND hwnd);
    // Everything a window procedure of this framework does with one message once the object is known.
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    static LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK SubclassWndProc(HWND, UINT, WPARAM, LPARAM);

    Binding m_binding = Binding::None;
    WNDPROC m_superProc = nullptr; // a subclassed window's own procedure
    friend class CDialog;
};
