#pragma once
#include <cstddef>
#include <cstdint>

// Windows Sockets codes the SNTP client reports on every platform.
constexpr uint32_t kSocketErrorInvalidArgument = 10022; // WSAEINVAL
constexpr uint32_t kSocketErrorTimedOut = 10060;        // WSAETIMEDOUT
constexpr uint32_t kSocketErrorHostNotFound = 11001;    // WSAHOST_NOT_FOUND

// The calling thread's last socket error: WSAGetLastError() on Windows (the thread's last-error code),
// a thread-local value holding errno or the codes above elsewhere.
uint32_t SocketLastError();
void SetSocketLastError(uint32_t code);

// A connected IPv4 UDP socket for one request and its reply, closed by its destructor. Operations return
// nonzero on success and 0 on failure, with the reason in SocketLastError(). Closing keeps that reason.
class CUdpClientSocket {
public:
    CUdpClientSocket() = default;
    ~CUdpClientSocket();
    CUdpClientSocket(const CUdpClientSocket&) = delete;
    CUdpClientSocket& operator=(const CUdpClientSocket&) = delete;

    int Create();

    // Fixes the peer: a dotted IPv4 address is used as it is, anything else is resolved as a host name
    // and its first IPv4 address taken.
    int Connect(const char* server, uint16_t port);

    int Send(const void* data, size_t size);

    // Waits until a datagram can be read; 0 when the time-out passes first or the wait fails.
    int WaitReadable(uint32_t timeoutMs);

    // Reads one datagram, at most `size` bytes of it (the rest of a longer one is dropped). Returns the
    // number of bytes placed in `buffer`, or -1 when the read fails.
    int Receive(void* buffer, size_t size);

    void Close();

private:
    static constexpr uintptr_t kNoSocket = ~uintptr_t(0);
    uintptr_t m_socket = kNoSocket;
};
