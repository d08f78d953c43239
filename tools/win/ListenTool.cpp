#include "tools/win/ListenTool.h"

#include <atomic>
#include <cstdio>

#include "intake/DatagramEvent.h"
#include "tools/ListenLine.h"

namespace {

// The thread whose message loop Ctrl+C ends; the console handler runs on a thread of its own.
std::atomic<DWORD> g_loopThread{0};

} // namespace

CListenTool::CListenTool(ListenerEndpoint endpoint, bool multicast, bool verbose)
    : m_endpoint(std::move(endpoint)), m_multicast(multicast), m_verbose(verbose) {
    CreateEx(0, "tavrel-listen", 0, RECT{}, HWND_MESSAGE, 0);
}

CListenTool::~CListenTool() {
    ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
}

const MessageMap* CListenTool::GetMessageMap() const {
    static constexpr MessageEntry entries[] = {
        On<WM_UDP_DATAGRAM, &CListenTool::OnDatagram>(),
        On<WM_UDP_STARTED, &CListenTool::OnStarted>(),
        On<WM_UDP_STOPPED, &CListenTool::OnStopped>(),
    };
    static const MessageMap map{CWnd::GetMessageMap(), entries};
    return &map;
}

BOOL WINAPI CListenTool::OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    ::PostThreadMessageA(g_loopThread, WM_QUIT, 0, 0);
    return TRUE;
}

int CListenTool::Run() {
    if (!m_hWnd) {
        std::fprintf(stderr, "Cannot create the listener's window.\n");
        return 1;
    }
    g_loopThread = ::GetCurrentThreadId();
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);

    m_listener.SetOwner(m_hWnd);
    m_listener.StartReceiving(m_multicast, m_endpoint);
    if (m_listener.failed) {
        return 1;
    }
    if (!m_started) {
        // A multicast group that could not be joined: the socket is bound all the same.
        std::fprintf(stderr,
                     "Could not join the multicast group %s; datagrams sent to port %u still arrive.\n",
                     m_endpoint.server.c_str(), (unsigned)m_endpoint.port);
        std::fflush(stderr);
    }

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (m_exitCode == 0) {
        m_stopping = true;
        m_listener.StopReceiving();
    }
    return m_exitCode;
}

LRESULT CListenTool::OnDatagram(std::span<const unsigned char> datagram) {
    const DatagramEvent event = ClassifyDatagram(datagram.data(), datagram.size());
    if (const auto line = ListenLine(event, datagram.size(), m_verbose)) {
        std::printf("%s\n", line->c_str());
        std::fflush(stdout);
    }
    return 0;
}

void CListenTool::OnStarted(WPARAM, LPARAM) {
    m_started = true;
    std::fprintf(stderr, "Listening on %s port %u (%s).\n", m_endpoint.server.c_str(),
                 (unsigned)m_endpoint.port, m_multicast ? "multicast" : "unicast");
    std::fflush(stderr);
}

void CListenTool::OnStopped(WPARAM, LPARAM) {
    if (m_stopping || !m_started) {
        return;
    }
    // An empty datagram or a receive error closed the socket.
    std::fprintf(stderr, "Listening stopped: an empty datagram or a socket failure.\n");
    std::fflush(stderr);
    m_exitCode = 3;
    ::PostQuitMessage(m_exitCode);
}
