#include "intake/win/UdpReceiveSocket.h"

#include <ws2tcpip.h>

#include <cstdio>

#include "framework/WinApp.h"
#include "intake/DatagramEvent.h"
#include "settings/win/SettingsStore.h"

// Every datagram the listener can deliver is one its readers accept by size.
static_assert(CUdpReceiveSocket::kBufferSize == kMaxDatagramSize);

namespace {

// Receive errors that concern one datagram, not the socket: a datagram longer than the buffer (the
// part that fits has been read and the rest is gone), and the reports a datagram socket may get about
// an earlier exchange. Listening goes on after them.
bool IsDatagramError(int error) {
    return error == WSAEMSGSIZE || error == WSAECONNRESET || error == WSAENETRESET;
}

} // namespace

ListenerEndpoint ListenerEndpointFromSettings() {
    std::string server, port;
    if (SettingsKey key = OpenSettingsForRead()) {
        server = ReadStringSetting(key, kUdpServerSetting.name).value_or("");
        port = ReadStringSetting(key, kUdpPortSetting.name).value_or("");
    }
    return MakeListenerEndpoint(server.c_str(), port.c_str());
}

CUdpReceiveSocket::CUdpReceiveSocket(HWND owner) : m_owner(owner), m_buffer(kBufferSize, 0) {}

CUdpReceiveSocket::~CUdpReceiveSocket() = default;

void CUdpReceiveSocket::StartReceiving(bool multicast) {
    StartReceiving(multicast, ListenerEndpointFromSettings());
}

void CUdpReceiveSocket::StartReceiving(bool multicast, const ListenerEndpoint& endpoint) {
    const bool started = multicast ? StartMulticast(endpoint) : StartUnicast(endpoint);
    if (IsOpen()) {
        EnlargeSocketBuffer();
    }
    m_lastCount = 0;
    m_buffer.assign(kBufferSize, 0);
    if (started) {
        Notify(WM_UDP_STARTED);
    }
}

bool CUdpReceiveSocket::StartMulticast(const ListenerEndpoint& endpoint) {
    if (m_multicastSocket == 0) {
        m_multicastSocket = ::socket(AF_INET, SOCK_DGRAM, 0);
    }
    const char reuse = 1;
    ::setsockopt(m_multicastSocket, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);

    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(endpoint.port);
    bool joined = false;
    if (::bind(m_multicastSocket, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        ReportError("Cannot bind UDP Socket.\nError code: %u", ::WSAGetLastError());
        Notify(WM_UDP_STOPPED);
    } else {
        ip_mreq membership{};
        membership.imr_multiaddr.s_addr = ::inet_addr(endpoint.server.c_str());
        membership.imr_interface.s_addr = htonl(INADDR_ANY);
        joined = ::setsockopt(m_multicastSocket, IPPROTO_IP, IP_ADD_MEMBERSHIP,
                              reinterpret_cast<const char*>(&membership), sizeof membership) == 0;
    }
    // Bound or not, the socket is now the one this object closes (at StopReceiving at the latest).
    Attach(m_multicastSocket, FD_READ | FD_CLOSE);
    return joined;
}

bool CUdpReceiveSocket::StartUnicast(const ListenerEndpoint& endpoint) {
    if (Create(endpoint.port, SOCK_DGRAM, FD_READ, endpoint.server.c_str())) {
        return true;
    }
    ReportError("Cannot create UDP Socket connection.\nError code: %u", GetLastError());
    Notify(WM_UDP_STOPPED);
    return false;
}

void CUdpReceiveSocket::EnlargeSocketBuffer() {
    // Best effort: a system that keeps a smaller buffer still receives, it only holds fewer datagrams.
    const int bytes = kSocketBufferBytes;
    ::setsockopt(m_hSocket, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&bytes), sizeof bytes);
}

void CUdpReceiveSocket::StopReceiving() {
    Close();
    m_multicastSocket = 0;
    Notify(WM_UDP_STOPPED);
}

void CUdpReceiveSocket::OnReceive(int) {
    // A stream that never lets up would keep the window from painting and answering input: those
    // messages come after the receive notifications.
    const bool othersWaiting = HIWORD(::GetQueueStatus(QS_INPUT | QS_PAINT | QS_TIMER)) != 0;
    if (!m_pacer.MayRead(ReceivePacer::Clock::now(), othersWaiting) && HoldReceive()) {
        return;
    }
    // A burst is taken in as one batch: reading on while datagrams wait spares a trip through the
    // message loop per datagram, in which the window would paint, and lets it show the burst once.
    for (int taken = 0; taken < kBatchSize; ++taken) {
        if (!ReceiveOne()) {
            return;
        }
    }
}

bool CUdpReceiveSocket::ReceiveOne() {
    m_lastCount = Receive(m_buffer.data(), kBufferSize, 0);
    if (m_lastCount > 0) {
        m_moreWaiting = IsDataWaiting();
        Notify(WM_UDP_DATAGRAM, (WPARAM)m_lastCount, reinterpret_cast<LPARAM>(m_buffer.data()));
        const bool more = m_moreWaiting;
        m_moreWaiting = false;
        return more && IsOpen();
    }
    if (m_lastCount < 0) {
        const int error = GetLastError();
        if (error == WSAEWOULDBLOCK || IsDatagramError(error)) {
            return false; // nothing to read, or one datagram discarded: listening goes on
        }
    }
    // A socket failure, or an empty datagram (which stops listening on purpose).
    CloseAfterError();
    return false;
}

void CUdpReceiveSocket::OnClose(int) {
    if (m_multicastSocket != 0) {
        Close();
        m_multicastSocket = 0;
    }
}

void CUdpReceiveSocket::CloseAfterError() {
    Close();
    m_multicastSocket = 0;
    Notify(WM_UDP_STOPPED);
}

void CUdpReceiveSocket::ReportError(const char* format, int errorCode) {
    char text[256];
    std::snprintf(text, sizeof text, format, (unsigned)errorCode);
    ReportFailure(text);
}

void CUdpReceiveSocket::ReportFailure(const char* text) {
    AppMessageBox(text, MB_OK | MB_ICONEXCLAMATION, m_owner);
}

void CUdpReceiveSocket::Notify(UINT message, WPARAM wParam, LPARAM lParam) {
    ::SendMessageA(m_owner, message, wParam, lParam);
}
