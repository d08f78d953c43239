#include "platform/HostResolver.h"
#include "ntp/SNTPClient.h"
#include "platform/UdpClientSocket.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

TEST(SetClockFromTimestamp, SetsTheTimestampsUtcTime) {
    FakeClock clock(SystemTime{2024, 1, 1, 1, 0, 0, 0, 0});
    const CSNTPClient client;
    const struct {
        NtpTimestamp time;
        SystemTime expected;
    } cases[] = {
        {NtpTimestamp(3'786'825'600, 2'147'483'648), SystemTime{2020, 1, 3, 1, 0, 0, 0, 500}},
        // 0.9995 s and more would be "1000 ms", which no clock takes: the next second instead.
        {NtpTimestamp(3'944'678'399, 4'294'967'295), SystemTime{2025, 1, 3, 1, 0, 0, 0, 0}},
        // Era 1: a server's time after 2036-02-07 is set as such, not as a time in 1900.
        {NtpTimestamp(123'010'304, 0), SystemTime{2040, 1, 0, 1, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        ASSERT_NE(client.SetClockFromTimestamp(c.time), 0);
        ASSERT_FALSE(clock.Sets().empty());
        EXPECT_EQ(clock.Sets().back(), c.expected);
    }
    EXPECT_EQ(clock.Attempts().size(), 3u);
}

TEST(SetClockFromTimestamp, RefusalsAndTheEmptyTimestampFail) {
    FakeClock clock(SystemTime{2024, 1, 1, 1, 0, 0, 0, 0});
    const CSNTPClient client;
    EXPECT_EQ(client.SetClockFromTimestamp(NtpTimestamp()), 0);
    EXPECT_EQ(SocketLastError(), kErrorInvalidParameter);
    EXPECT_TRUE(clock.Attempts().empty()) << "the empty timestamp holds no time";

    clock.Refuse(kErrorPrivilegeNotHeld);
    EXPECT_EQ(client.SetClockFromTimestamp(NtpTimestamp(3'786'825'600, 0)), 0);
    EXPECT_EQ(SocketLastError(), kErrorPrivilegeNotHeld);
    EXPECT_EQ(clock.Attempts().size(), 1u);
    EXPECT_TRUE(clock.Sets().empty());
}

TEST(QueryServer, BadArgumentsFailWithoutTraffic) {
    CSNTPClient client;
    EXPECT_EQ(client.Timeout(), 3000u);
    SntpReply reply;
    reply.stratum = -7;
    for (int port : {0, -1, 65536}) {
        SetSocketLastError(0);
        EXPECT_EQ(client.QueryServer("127.0.0.1", reply, port), 0) << port;
        EXPECT_EQ(SocketLastError(), kSocketErrorInvalidArgument) << port;
    }
    for (const char* server : {"", static_cast<const char*>(nullptr)}) {
        SetSocketLastError(0);
        EXPECT_EQ(client.QueryServer(server, reply, 123), 0);
        EXPECT_EQ(SocketLastError(), kSocketErrorHostNotFound);
    }
    EXPECT_EQ(reply.stratum, -7);
}

// A name server that answers only when the test lets it, and one that knows one name.
std::mutex g_resolverMutex;
std::condition_variable g_resolverReleased;
bool g_resolverRelease = false;

int AnswersWhenReleased(const char*, uint32_t& address, uint32_t&) {
    std::unique_lock lock(g_resolverMutex);
    g_resolverReleased.wait(lock, [] { return g_resolverRelease; });
    address = 0x0100007F;
    return 1;
}

int KnowsOneName(const char* name, uint32_t& address, uint32_t& error) {
    if (std::string(name) == "time.example") {
        address = 0x0100007F; // 127.0.0.1 in network order
        return 1;
    }
    error = 11001;
    return 0;
}

TEST(ResolveHost, ASlowResolverIsLeftBehindAfterTheBound) {
    const HostResolveFunction previous = SetHostResolveFunction(KnowsOneName);
    uint32_t address = 0;
    // A resolver that answers is waited for; the bound is far above any answer, even on a loaded machine.
    EXPECT_EQ(ResolveHost("time.example", 10000, address), 1);
    EXPECT_EQ(address, 0x0100007Fu);
    EXPECT_EQ(ResolveHost("other.example", 10000, address), 0);
    EXPECT_EQ(SocketLastError(), 11001u);

    {
        std::lock_guard lock(g_resolverMutex);
        g_resolverRelease = false;
    }
    SetHostResolveFunction(AnswersWhenReleased);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ResolveHost("silent.example", 100, address), 0);
    EXPECT_EQ(SocketLastError(), kSocketErrorTimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    {
        std::lock_guard lock(g_resolverMutex);
        g_resolverRelease = true;
    }
    g_resolverReleased.notify_all();
    SetHostResolveFunction(previous);
}

} // namespace
