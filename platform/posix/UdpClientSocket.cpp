// The SNTP client's socket on POSIX systems (native builds).
#include "platform/UdpClientSocket.h"

#include "platform/HostResolver.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

thread_local uint32_t t_lastError = 0;

int Fail() {
    t_lastError = static_cast<uint32_t>(errno);
    return 0;
}

int Fd(uintptr_t socket) {
    return static_cast<int>(socket);
}

} // namespace

uint32_t PlatformParseIPv4(const char* text) {
    return ::inet_addr(text);
}

int PlatformResolveHost(const char* name, uint32_t& address, uint32_t& error) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(name, nullptr, &hints, &found) != 0 || !found) {
        error = kSocketErrorHostNotFound;
        return 0;
    }
    address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(found);
    return 1;
}

uint32_t SocketLastError() {
    return t_lastError;
}

void SetSocketLastError(uint32_t code) {
    t_lastError = code;
}

CUdpClientSocket::~CUdpClientSocket() {
    Close();
}

int CUdpClientSocket::Create() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) {
        return Fail();
    }
    m_socket = static_cast<uintptr_t>(fd);
    return 1;
}

int CUdpClientSocket::Connect(const char* server, uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    uint32_t found = 0;
    if (!ResolveServer(server, found)) {
        return 0;
    }
    address.sin_addr.s_addr = found;
    if (::connect(Fd(m_socket), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return Fail();
    }
    return 1;
}

int CUdpClientSocket::Send(const void* data, size_t size) {
    if (::send(Fd(m_socket), data, size, 0) < 0) {
        return Fail();
    }
    return 1;
}

int CUdpClientSocket::WaitReadable(uint32_t timeoutMs) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(timeoutMs);
    for (;;) {
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        pollfd entry{Fd(m_socket), POLLIN, 0};
        const int ready = ::poll(&entry, 1, left > 0 ? static_cast<int>(left) : 0);
        if (ready > 0) {
            return 1;
        }
        if (ready == 0 || errno != EINTR) {
            return 0;
        }
    }
}

int CUdpClientSocket::Receive(void* buffer, size_t size) {
    const ssize_t received = ::recv(Fd(m_socket), buffer, size, 0);
    if (received < 0) {
        Fail();
        return -1;
    }
    return static_cast<int>(received);
}

void CUdpClientSocket::Close() {
    if (m_socket != kNoSocket) {
        const uint32_t saved = t_lastError;
        ::close(Fd(m_socket));
        t_lastError = saved;
        m_socket = kNoSocket;
    }
}
