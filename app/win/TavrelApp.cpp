#include "app/win/TavrelApp.h"

#include <cstdlib>

#include "app/StartCommand.h"
#include "app/win/ApplyTimeShift.h"
#include "framework/ProcAddress.h"
#include "mainwnd/win/TavrelDlg.h"
#include "res/resource.h"

namespace {

void DeclareDpiAware() {
    // Missing before Vista: the window still opens, scaled by the system.
    using SetProcessDpiAwareFn = BOOL(WINAPI*)();
    if (auto set =
            GetProcAddressAs<SetProcessDpiAwareFn>(::GetModuleHandleA("user32.dll"), "SetProcessDPIAware")) {
        set();
    }
}

} // namespace

BOOL CTavrelApp::InitInstance() {
    const StartCommand command = ParseStartCommand(m_cmdLine);
    switch (command.mode) {
    case StartMode::OneShot:
        ApplyTimeShift(command.shift);
        return FALSE;
    case StartMode::Quit:
        return FALSE;
    case StartMode::Windowed:
        break;
    }
    if (!StartSockets()) {
        char text[256] = "";
        ::LoadStringA(m_hInstance, IDS_SOCKETS_INIT_FAILED, text, sizeof text);
        AppMessageBox(text, MB_OK);
        return FALSE;
    }
    DeclareDpiAware();
    RunMainWindow();
    return FALSE;
}

bool CTavrelApp::StartSockets() {
    WSADATA data;
    if (::WSAStartup(MAKEWORD(1, 1), &data) != 0) {
        return false;
    }
    std::atexit([] { ::WSACleanup(); });
    return true;
}

void CTavrelApp::RunMainWindow() {
    CTavrelDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
}
