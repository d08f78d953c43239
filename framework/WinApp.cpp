#include "framework/WinApp.h"

#include "framework/ExceptionBarrier.h"
#include "framework/Wnd.h"

CWinApp* CWinApp::s_current = nullptr;

CWinApp::CWinApp(const char* appName) : m_appName(appName) {
    s_current = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp() {
    if (s_current == this) {
        s_current = nullptr;
    }
}

int CWinApp::Run(HINSTANCE instance, const char* commandLine) {
    m_hInstance = instance;
    m_cmdLine = commandLine ? commandLine : "";
    return ExceptionBarrier("application start-up", 1, [this] {
        InitInstance();
        return 0;
    });
}

BOOL CWinApp::InitInstance() {
    return FALSE;
}

HWND AppMainWindow() {
    CWinApp* app = CWinApp::Current();
    return app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
}

int AppMessageBox(const char* text, UINT type, HWND owner) {
    CWinApp* app = CWinApp::Current();
    const char* caption = app ? app->m_appName.c_str() : "Tavrel";
    return ::MessageBoxA(owner ? owner : AppMainWindow(), text, caption, type);
}
