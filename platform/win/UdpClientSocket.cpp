// The SNTP client's socket on Windows Sockets (started by the application).
#include "platform/UdpClientSocket.h"

#include "platform/HostResolver.h"

#include <winsock2.h>

#include <climits>

namespace {

SOCKET Handle(uintptr_t socket) {
    return static_cast<SOCKET>(socket);
}

} // namespace

uint32_t PlatformParseIPv4(const char* text) {
    return ::inet_addr(text);
}

int PlatformResolveHost(const char* name, uint32_t& address, uint32_t& error) {
    const hostent* host = ::gethostbyname(name);
    if (!host) {
        error = static_cast<uint32_t>(::WSAGetLastError());
        return 0;
    }
    if (host->h_addrtype != AF_INET || !host->h_addr_list[0]) {
        error = kSocketErrorHostNotFound;
        return 0;
    }
    address = reinterpret_cast<const in_addr*>(host->h_addr_list[0])->s_addr;
    return 1;
}

uint32_t SocketLastError() {
    return static_cast<uint32_t>(::WSAGetLastError());
}

void SetSocketLastError(uint32_t code) {
    ::WSASetLastError(static_cast<int>(code));
}

CUdpClientSocket::~CUdpClientSocket() {
    Close();
}

int CUdpClientSocket::Create() {
    const SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (socket == INVALID_SOCKET) {
        return 0;
    }
    m_socket = static_cast<uintptr_t>(socket);
    return 1;
}

int CUdpClientSocket::Connect(const char* server, uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = ::htons(port);
    uint32_t found = 0;
    if (!ResolveServer(server, found)) {
        return 0;
    }
    address.sin_addr.s_addr = found;
    return ::connect(Handle(m_socket), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

int CUdpClientSocket::Send(const void* data, size_t size) {
    const int length = size > INT_MAX ? INT_MAX : static_cast<int>(size);
    return ::send(Handle(m_socket), static_cast<const char*>(data), length, 0) != SOCKET_ERROR;
}

int CUdpClientSocket::WaitReadable(uint32_t timeoutMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(Handle(m_socket), &readable);
    timeval timeout{static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000 * 1000)};
    return ::select(0, &readable, nullptr, nullptr, &timeout) > 0;
}

int CUdpClientSocket::Receive(void* buffer, size_t size) {
    const int length = size > INT_MAX ? INT_MAX : static_cast<int>(size);
    const int received = ::recv(Handle(m_socket), static_cast<char*>(buffer), length, 0);
    if (received == SOCKET_ERROR) {
        // A longer datagram fills the buffer and reports WSAEMSGSIZE; its first bytes are the reply.
        return ::WSAGetLastError() == WSAEMSGSIZE ? length : -1;
    }
    return received;
}

void CUdpClientSocket::Close() {
    if (m_socket != kNoSocket) {
        const int saved = ::WSAGetLastError();
        ::closesocket(Handle(m_socket));
        ::WSASetLastError(saved);
        m_socket = kNoSocket;
    }
}
