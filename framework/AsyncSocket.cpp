#include "framework/AsyncSocket.h"

#include "framework/Wnd.h"

namespace {
constexpr UINT kFirstNotifyMessage = WM_APP + 0x100;
constexpr UINT kNotifyMessageCount = 0x100;
// Timers come last in the message loop's order, so this one fires once the loop has caught up.
constexpr UINT_PTR kResumeTimer = 1;
} // namespace

// The hidden message-only window that WSAAsyncSelect posts to.
class CAsyncSocket::CNotifyWindow : public CWnd {
public:
    explicit CNotifyWindow(CAsyncSocket& owner) : m_owner(owner) {
        CreateEx(0, "", 0, RECT{}, HWND_MESSAGE, 0);
    }

    void OnNotify(UINT msg, WPARAM wParam, LPARAM lParam) { m_owner.OnSocketNotify(msg, wParam, lParam); }
    void OnTimer(UINT_PTR) { m_owner.OnResumeReceive(); }

protected:
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageEntry entries[] = {
            OnRange<&CNotifyWindow::OnNotify>(kFirstNotifyMessage,
                                              kFirstNotifyMessage + kNotifyMessageCount - 1),
            On<WM_TIMER, &CNotifyWindow::OnTimer>(),
        };
        static const MessageMap map{CWnd::GetMessageMap(), entries};
        return &map;
    }

private:
    CAsyncSocket& m_owner;
};

CAsyncSocket::CAsyncSocket() = default;

CAsyncSocket::~CAsyncSocket() {
    CAsyncSocket::Close();
}

BOOL CAsyncSocket::Create(UINT port, int type, long events, const char* address) {
    if (!Socket(type, events)) {
        return FALSE;
    }
    if (Bind(port, address)) {
        return TRUE;
    }
    const int error = GetLastError();
    Close();
    ::WSASetLastError(error);
    return FALSE;
}

BOOL CAsyncSocket::Socket(int type, long events, int protocol, int family) {
    const SOCKET s = ::socket(family, type, protocol);
    if (s == INVALID_SOCKET) {
        return FALSE;
    }
    if (Attach(s, events)) {
        return TRUE;
    }
    const int error = GetLastError();
    ::closesocket(s);
    m_hSocket = INVALID_SOCKET;
    ::WSASetLastError(error);
    return FALSE;
}

BOOL CAsyncSocket::Attach(SOCKET socket, long events) {
    if (socket == INVALID_SOCKET) {
        ::WSASetLastError(WSAENOTSOCK);
        return FALSE;
    }
    if (socket != m_hSocket) {
        Close();
    }
    m_hSocket = socket;
    return AsyncSelect(events);
}

BOOL CAsyncSocket::AsyncSelect(long events) {
    if (!m_window) {
        m_window = std::make_unique<CNotifyWindow>(*this);
    }
    if (!m_window->m_hWnd) {
        ::WSASetLastError(WSAENOBUFS);
        return FALSE;
    }
    NextNotifyMessage();
    return ::WSAAsyncSelect(m_hSocket, m_window->m_hWnd, m_notifyMessage, events & kHandledEvents) == 0;
}

BOOL CAsyncSocket::Bind(UINT port, const char* address) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    if (!address) {
        addr.sin_addr.s_addr = htonl(INADDR_ANY);
    } else {
        const unsigned long converted = ::inet_addr(address);
        if (converted == INADDR_NONE) {
            ::WSASetLastError(WSAEINVAL);
            return FALSE;
        }
        addr.sin_addr.s_addr = converted;
    }
    addr.sin_port = htons((u_short)port);
    return ::bind(m_hSocket, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
}

void CAsyncSocket::NextNotifyMessage() {
    m_notifyMessage = kFirstNotifyMessage + (m_notifyMessage + 1 - kFirstNotifyMessage) % kNotifyMessageCount;
}

void CAsyncSocket::Close() {
    if (m_receiveHeld) {
        m_window->KillTimer(kResumeTimer);
        m_receiveHeld = false;
    }
    if (m_hSocket != INVALID_SOCKET) {
        ::closesocket(m_hSocket);
        m_hSocket = INVALID_SOCKET;
    }
    // Anything still queued under this number is stale from now on.
    NextNotifyMessage();
}

int CAsyncSocket::Receive(void* buffer, int length, int flags) const {
    return ::recv(m_hSocket, static_cast<char*>(buffer), length, flags);
}

bool CAsyncSocket::IsDataWaiting() const {
    u_long bytes = 0;
    return !m_receiveHeld && m_hSocket != INVALID_SOCKET && ::ioctlsocket(m_hSocket, FIONREAD, &bytes) == 0 &&
           bytes > 0;
}

bool CAsyncSocket::HoldReceive() {
    if (!m_receiveHeld && m_window && m_window->SetTimer(kResumeTimer, USER_TIMER_MINIMUM)) {
        m_receiveHeld = true;
    }
    return m_receiveHeld;
}

void CAsyncSocket::OnResumeReceive() {
    m_window->KillTimer(kResumeTimer);
    if (!m_receiveHeld) {
        return;
    }
    m_receiveHeld = false;
    if (m_hSocket != INVALID_SOCKET) {
        OnReceive(0);
    }
}

void CAsyncSocket::OnSocketNotify(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != m_notifyMessage || m_hSocket == INVALID_SOCKET || (SOCKET)wParam != m_hSocket) {
        return;
    }
    const int error = WSAGETSELECTERROR(lParam);
    switch (WSAGETSELECTEVENT(lParam)) {
    case FD_READ:
        if (!m_receiveHeld) {
            OnReceive(error);
        }
        break;
    case FD_CLOSE:
        OnClose(error);
        break;
    default:
        break;
    }
}
