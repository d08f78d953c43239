#pragma once
#include "framework/Win32.h"

#include <string>

class CWnd;

// The application object: one per process, constructed before WinMain runs. It owns nothing but the
// pointer to the window that message boxes and the listener's notifications are addressed to.
class CWinApp {
public:
    explicit CWinApp(const char* appName);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Called once from WinMain with the command-line arguments (the text after the program name).
    // Returns the process exit code.
    int Run(HINSTANCE instance, const char* commandLine);

    // Start-up hook; returns false when no message loop is to run (Tavrel never runs one of its own).
    virtual BOOL InitInstance();

    static CWinApp* Current() { return s_current; }

    HINSTANCE m_hInstance = nullptr;
    std::string m_appName;
    std::string m_cmdLine;
    CWnd* m_pMainWnd = nullptr;

private:
    static CWinApp* s_current;
};

// The window that owns the application's message boxes and receives its private notifications;
// null when there is no application object or no main window.
HWND AppMainWindow();

// A message box with the application's title as caption ("Tavrel"), owned by `owner` (a dialog the
// message is about) or else by the main window.
int AppMessageBox(const char* text, UINT type = MB_OK, HWND owner = nullptr);
