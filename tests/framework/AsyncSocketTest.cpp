#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/AsyncSocket.h"
#include "support/MessagePump.h"

namespace {

class WinsockEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        WSADATA data;
        ASSERT_EQ(0, ::WSAStartup(MAKEWORD(2, 2), &data));
    }
    void TearDown() override { ::WSACleanup(); }
};
const auto* const kWinsock = ::testing::AddGlobalTestEnvironment(new WinsockEnvironment);

// Records the events it gets and what it reads.
class CRecordingSocket : public CAsyncSocket {
public:
    int receives = 0;
    int closes = 0;
    std::vector<std::string> datagrams;
    DWORD threadOfLastEvent = 0;

protected:
    void OnReceive(int) override {
        ++receives;
        threadOfLastEvent = ::GetCurrentThreadId();
        char buffer[256];
        const int n = Receive(buffer, sizeof buffer);
        if (n > 0) {
            datagrams.emplace_back(buffer, buffer + n);
        }
    }
    void OnClose(int) override { ++closes; }
};

void SendTo(u_short port, const std::string& payload) {
    SOCKET s = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = ::inet_addr("127.0.0.1");
    ::sendto(s, payload.data(), (int)payload.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    ::closesocket(s);
}

TEST(AsyncSocket, AddressesThatDoNotConvertFailWithInvalidArgument) {
    for (const char* address : {"localhost", "255.255.255.255", "1.2.3.4.5"}) {
        CRecordingSocket socket;
        EXPECT_FALSE(socket.Create(23701, SOCK_DGRAM, FD_READ, address)) << address;
        EXPECT_EQ(WSAEINVAL, CAsyncSocket::GetLastError()) << address;
        EXPECT_EQ(INVALID_SOCKET, socket.m_hSocket) << address; // closed again
    }
}

TEST(AsyncSocket, ASecondBindOfAHeldPortKeepsTheBindError) {
    CRecordingSocket first;
    ASSERT_TRUE(first.Create(23702, SOCK_DGRAM, FD_READ, "127.0.0.1"));
    CRecordingSocket second;
    EXPECT_FALSE(second.Create(23702, SOCK_DGRAM, FD_READ, "127.0.0.1"));
    EXPECT_EQ(WSAEADDRINUSE, CAsyncSocket::GetLastError());
    EXPECT_EQ(INVALID_SOCKET, second.m_hSocket);
}

TEST(AsyncSocket, DatagramsArriveAsCallsOnThisThread) {
    CRecordingSocket socket;
    ASSERT_TRUE(socket.Create(23703, SOCK_DGRAM, FD_READ, "127.0.0.1"));
    SendTo(23703, "one");
    SendTo(23703, "two");
    ASSERT_TRUE(PumpUntil([&] { return socket.datagrams.size() == 2; }));
    EXPECT_EQ("one", socket.datagrams[0]);
    EXPECT_EQ("two", socket.datagrams[1]);
    EXPECT_EQ(::GetCurrentThreadId(), socket.threadOfLastEvent);
}

TEST(AsyncSocket, NotificationsQueuedBeforeACloseAreIgnored) {
    CRecordingSocket socket;
    ASSERT_TRUE(socket.Create(23704, SOCK_DGRAM, FD_READ, "127.0.0.1"));
    SendTo(23704, "late");
    // Waits until the notification is queued, without dispatching it.
    for (int i = 0; i < 2000 && !(HIWORD(::GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE); ++i) {
        ::Sleep(1);
    }
    socket.Close();
    // A new socket that may well get the same handle value must not see the old notification.
    ASSERT_TRUE(socket.Create(23705, SOCK_DGRAM, FD_READ, "127.0.0.1"));
    PumpMessages(100);
    EXPECT_EQ(0, socket.receives);
    SendTo(23705, "fresh");
    ASSERT_TRUE(PumpUntil([&] { return socket.receives == 1; }));
    EXPECT_EQ("fresh", socket.datagrams.at(0));
}

SOCKET BoundRawSocket(u_short port) {
    SOCKET raw = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(raw, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::closesocket(raw);
        return INVALID_SOCKET;
    }
    return raw;
}

TEST(AsyncSocket, AttachRegistersAnOpenSocketAndClosesTheOneHeldBefore) {
    CRecordingSocket socket;
    ASSERT_TRUE(socket.Create(23707, SOCK_DGRAM, FD_READ, "127.0.0.1"));
    const SOCKET raw = BoundRawSocket(23706);
    ASSERT_NE(INVALID_SOCKET, raw);
    ASSERT_TRUE(socket.Attach(raw, FD_READ | FD_CLOSE));
    EXPECT_EQ(raw, socket.m_hSocket);
    // The first socket is closed, not leaked: its port is free again.
    const SOCKET rebound = BoundRawSocket(23707);
    EXPECT_NE(INVALID_SOCKET, rebound);
    ::closesocket(rebound);
    // Attaching the socket it holds only registers it again.
    ASSERT_TRUE(socket.Attach(raw, FD_READ | FD_CLOSE));
    SendTo(23706, "attached");
    ASSERT_TRUE(PumpUntil([&] { return socket.receives == 1; }));
    EXPECT_EQ("attached", socket.datagrams.at(0));
}

} // namespace
