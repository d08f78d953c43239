#pragma once
#include <span>

#include "framework/Wnd.h"
#include "intake/ListenerEndpoint.h"
#include "tools/win/ConsoleListener.h"

// tavrel-listen's hidden main window: it receives the listener's messages and prints one line for each
// datagram the main window would act on.
class CListenTool : public CWnd {
public:
    CListenTool(ListenerEndpoint endpoint, bool multicast, bool verbose);
    ~CListenTool() override;

    // Listens until Ctrl+C or until the listener stops by itself; returns the exit code.
    int Run();

private:
    LRESULT OnDatagram(std::span<const unsigned char> datagram);
    void OnStarted(WPARAM, LPARAM);
    void OnStopped(WPARAM, LPARAM);
    const MessageMap* GetMessageMap() const override;
    static BOOL WINAPI OnConsoleControl(DWORD event);

    const ListenerEndpoint m_endpoint;
    const bool m_multicast;
    const bool m_verbose;
    CConsoleListener m_listener;
    bool m_started = false;
    bool m_stopping = false;
    int m_exitCode = 0;
};
