#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Wnd.h"
#include "intake/win/UdpReceiveSocket.h"
#include "support/MessageBoxWatcher.h"
#include "support/MessagePump.h"
#include "support/ScopedSettings.h"

namespace {

// Stands in for the main window: records what the listener sends it.
class CListenerObserver : public CWnd {
public:
    int started = 0;
    int stopped = 0;
    std::vector<std::string> datagrams;
    std::vector<size_t> counts;

    CListenerObserver() { CreateEx(0, "observer", 0, RECT{}, HWND_MESSAGE, 0); }

    void OnStarted(WPARAM, LPARAM) { ++started; }
    void OnStopped(WPARAM, LPARAM) { ++stopped; }
    void OnDatagram(std::span<const unsigned char> datagram) {
        counts.push_back(datagram.size());
        datagrams.emplace_back(datagram.begin(), datagram.end());
    }

protected:
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageEntry entries[] = {
            On<WM_UDP_STARTED, &CListenerObserver::OnStarted>(),
            On<WM_UDP_STOPPED, &CListenerObserver::OnStopped>(),
            On<WM_UDP_DATAGRAM, &CListenerObserver::OnDatagram>(),
        };
        static const MessageMap map{CWnd::GetMessageMap(), entries};
        return &map;
    }
};

// Keeps the failure texts instead of showing boxes.
class CQuietListener : public CUdpReceiveSocket {
public:
    using CUdpReceiveSocket::CUdpReceiveSocket;
    std::vector<std::string> failures;

protected:
    void ReportFailure(const char* text) override { failures.emplace_back(text); }
};

class UdpReceiveSocketTest : public ::testing::Test {
protected:
    // Sends the payloads one after the other from one socket, without waiting in between.
    static void Send(const char* address, u_short port, const std::vector<std::string>& payloads) {
        SOCKET s = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = ::inet_addr(address);
        for (const std::string& payload : payloads) {
            ::sendto(s, payload.data(), (int)payload.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
        }
        ::closesocket(s);
    }
    static void Send(const char* address, u_short port, const std::string& payload) {
        Send(address, port, std::vector<std::string>{payload});
    }
    bool WaitForDatagrams(size_t n) {
        return PumpUntil([&] { return observer.datagrams.size() >= n; }, 3000);
    }
    bool WaitForStopped(int n) {
        return PumpUntil([&] { return observer.stopped >= n; }, 3000);
    }

    ScopedSettings settings;
    CListenerObserver observer;
};

TEST_F(UdpReceiveSocketTest, WithNoSettingsItListensOnLoopbackPort2237) {
    CQuietListener listener{observer.m_hWnd};
    listener.StartReceiving(false);
    EXPECT_EQ(1, observer.started);
    EXPECT_EQ(0, observer.stopped);
    Send("127.0.0.1", 2237, "hello");
    ASSERT_TRUE(WaitForDatagrams(1));
    EXPECT_EQ("hello", observer.datagrams[0]);
    listener.StopReceiving();
    EXPECT_EQ(1, observer.stopped);
    EXPECT_FALSE(listener.IsOpen());
}

TEST_F(UdpReceiveSocketTest, PortTextRules) {
    const struct {
        const char* text;
        u_short port;
    } cases[] = {{"0", 2237}, {"letters", 2237}, {"", 2237}, {" +2250", 2250}, {"70000", 4464}};
    for (const auto& c : cases) {
        ScopedSettings::SetString("UdpPort", c.text);
        CQuietListener listener{observer.m_hWnd};
        listener.StartReceiving(false);
        ASSERT_EQ(1, observer.started) << c.text;
        Send("127.0.0.1", c.port, "x");
        ASSERT_TRUE(WaitForDatagrams(1)) << '"' << c.text << '"';
        listener.StopReceiving();
        observer.started = 0;
        observer.datagrams.clear();
    }
}

TEST_F(UdpReceiveSocketTest, AHostNameIsRefusedWithAWarningBox) {
    ScopedSettings::SetString("UdpServer", "localhost");
    MessageBoxWatcher boxes("Tavrel");
    CUdpReceiveSocket listener{observer.m_hWnd};
    listener.StartReceiving(false);
    ASSERT_TRUE(boxes.WaitForCount(1));
    EXPECT_EQ("Cannot create UDP Socket connection.\nError code: 10022", boxes.Texts().at(0));
    EXPECT_EQ(1, observer.stopped);
    EXPECT_EQ(0, observer.started);
    EXPECT_FALSE(listener.IsOpen());
}

TEST_F(UdpReceiveSocketTest, ASecondUnicastListenerOnTheSamePortFails) {
    CQuietListener first{observer.m_hWnd}, second{observer.m_hWnd};
    first.StartReceiving(false);
    second.StartReceiving(false);
    EXPECT_EQ(1, observer.started);
    EXPECT_EQ(1, observer.stopped);
    ASSERT_EQ(1u, second.failures.size());
    EXPECT_EQ("Cannot create UDP Socket connection.\nError code: 10048", second.failures[0]);
}

TEST_F(UdpReceiveSocketTest, TwoMulticastListenersShareThePortAndBothReceive) {
    ScopedSettings::SetString("UdpServer", "239.255.42.99");
    ScopedSettings::SetString("UdpPort", "2241");
    CQuietListener first{observer.m_hWnd}, second{observer.m_hWnd};
    first.StartReceiving(true);
    second.StartReceiving(true);
    EXPECT_EQ(2, observer.started);
    Send("239.255.42.99", 2241, "group");
    ASSERT_TRUE(WaitForDatagrams(2));
    EXPECT_EQ("group", observer.datagrams[1]);
    EXPECT_TRUE(first.failures.empty());
    EXPECT_TRUE(second.failures.empty());
}

TEST_F(UdpReceiveSocketTest, AMulticastStartWithAnUnjoinableAddressStaysBoundButSilent) {
    ScopedSettings::SetString("UdpServer", "127.0.0.1");
    ScopedSettings::SetString("UdpPort", "2242");
    CQuietListener listener{observer.m_hWnd};
    listener.StartReceiving(true);
    EXPECT_EQ(0, observer.started);
    EXPECT_EQ(0, observer.stopped);
    EXPECT_TRUE(listener.failures.empty());
    // Bound to the port on all interfaces: unicast datagrams still arrive.
    Send("127.0.0.1", 2242, "unicast");
    ASSERT_TRUE(WaitForDatagrams(1));
    listener.StopReceiving();
    EXPECT_EQ(1, observer.stopped);
}

TEST_F(UdpReceiveSocketTest, AMulticastBindOnAPortHeldExclusivelyFails) {
    ScopedSettings::SetString("UdpServer", "239.255.42.99");
    ScopedSettings::SetString("UdpPort", "2243");
    SOCKET holder = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(2243);
    ASSERT_EQ(0, ::bind(holder, reinterpret_cast<sockaddr*>(&addr), sizeof addr));
    CQuietListener listener{observer.m_hWnd};
    listener.StartReceiving(true);
    ::closesocket(holder);
    ASSERT_EQ(1u, listener.failures.size());
    // The code is the system's: address in use, or access denied where the holder has the port exclusively.
    const std::string& text = listener.failures[0];
    EXPECT_TRUE(text == "Cannot bind UDP Socket.\nError code: 10048" ||
                text == "Cannot bind UDP Socket.\nError code: 10013")
        << text;
    EXPECT_EQ(1, observer.stopped);
    EXPECT_TRUE(listener.IsOpen()); // kept, unbound, until the user stops listening
    listener.StopReceiving();
    EXPECT_FALSE(listener.IsOpen());
    // The next multicast start makes a fresh socket, which now binds.
    listener.StartReceiving(true);
    EXPECT_EQ(1, observer.started);
}

TEST_F(UdpReceiveSocketTest, DatagramsUpToTheBufferSizeArriveWhole) {
    CQuietListener listener{observer.m_hWnd};
    listener.StartReceiving(false);
    std::string largest(CUdpReceiveSocket::kBufferSize, '\0');
    for (size_t i = 0; i < largest.size(); ++i) {
        largest[i] = char(i * 7);
    }
    Send("127.0.0.1", 2237, largest);
    ASSERT_TRUE(WaitForDatagrams(1));
    EXPECT_EQ(10240u, observer.counts[0]);
    EXPECT_EQ(largest, observer.datagrams[0]);
    EXPECT_EQ(10240, listener.GetLastCount());
    EXPECT_EQ(0, observer.stopped);
}

TEST_F(UdpReceiveSocketTest, OversizedDatagramsAreDroppedAndListeningGoesOn) {
    CQuietListener listener{observer.m_hWnd};
    listener.StartReceiving(false);
    Send("127.0.0.1", 2237,
         {std::string(CUdpReceiveSocket::kBufferSize + 1, 'x'), "after", std::string(65507, 'y'), "last"});
    ASSERT_TRUE(WaitForDatagrams(2));
    EXPECT_EQ((std::vector<std::string>{"after", "last"}), observer.datagrams);
    EXPECT_TRUE(listener.IsOpen());
    EXPECT_EQ(0, observer.stopped);
}

TEST_F(UdpReceiveSocketTest, AnEmptyDatagramStopsListening) {
    CQuietListener listener{observer.m_hWnd};
    listener.StartReceiving(false);
    Send("127.0.0.1", 2237, "");
    ASSERT_TRUE(WaitForStopped(1));
    EXPECT_FALSE(listener.IsOpen());
    EXPECT_TRUE(observer.datagrams.empty());
    // Stopping afterwards closes nothing twice and still reports the stop.
    listener.StopReceiving();
    EXPECT_EQ(2, observer.stopped);
}

TEST_F(UdpReceiveSocketTest, TheSocketHoldsABurstOfAThousandDatagramsUntilTheyAreRead) {
    CQuietListener listener{observer.m_hWnd};
    listener.StartReceiving(false);
    // Sent while this thread reads nothing, as when the window is busy: the system must hold them all.
    std::vector<std::string> burst;
    for (int i = 0; i < 1000; ++i) {
        burst.push_back(std::to_string(i) + std::string(100, 'd'));
    }
    Send("127.0.0.1", 2237, burst);
    ASSERT_TRUE(PumpUntil([&] { return observer.datagrams.size() >= burst.size(); }, 20000))
        << observer.datagrams.size() << " of " << burst.size();
    EXPECT_EQ(burst, observer.datagrams);
}

TEST_F(UdpReceiveSocketTest, StoppingAListenerThatNeverStartedStillReportsTheStop) {
    CQuietListener listener{observer.m_hWnd};
    listener.StopReceiving();
    EXPECT_EQ(1, observer.stopped);
    EXPECT_EQ(0, observer.started);
}

} // namespace
