// Queries against real servers on loopback, started by ntp-servers.sh: chronyd with clock control off,
// and fake_sntp_server.py with one port per kind of reply.
#include "ntp/SNTPClient.h"
#include "platform/UdpClientSocket.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int PortOf(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value) {
        ADD_FAILURE() << variable << " is not set: run this program through tests/ntp/ntp-servers.sh";
        return 0;
    }
    return std::atoi(value);
}

int FakePort(const std::string& kind) {
    return PortOf(("TAVREL_FAKE_SNTP_" + kind).c_str());
}

const SystemTime kNow{2026, 3, 2, 17, 21, 4, 5, 678};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

TEST(SntpAgainstChrony, TwentyQueriesAgreeWithTheLocalClock) {
    const int port = PortOf("TAVREL_CHRONY_PORT");
    ASSERT_NE(port, 0);
    CSNTPClient client;
    std::vector<double> offsets;
    std::vector<double> delays;
    for (int i = 0; i < 20; ++i) {
        SntpReply reply;
        const auto start = std::chrono::steady_clock::now();
        ASSERT_NE(client.QueryServer("127.0.0.1", reply, port), 0) << "error " << SocketLastError();
        const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(reply.stratum, 8);
        // chronyd reads the same clock, so the true offset is 0 and the measured one lies within half the
        // delay of it, plus the client's millisecond resolution; for the same reason the delay may come
        // out a few microseconds below zero.
        EXPECT_LE(std::fabs(reply.localClockOffset), reply.roundTripDelay / 2 + 0.0015);
        // The round trip lies within the time the query took, however loaded the machine is.
        EXPECT_GT(reply.roundTripDelay, -0.001);
        EXPECT_LT(reply.roundTripDelay, spent + 0.002);
        offsets.push_back(std::fabs(reply.localClockOffset));
        delays.push_back(reply.roundTripDelay);
    }
    const double worstDelay = *std::max_element(
        delays.begin(), delays.end(), [](double a, double b) { return std::fabs(a) < std::fabs(b); });
    std::printf("20 queries to chronyd: |offset| median %.6f s, worst %.6f s; delay median %.6f s, "
                "worst %.6f s\n",
                Median(offsets), *std::max_element(offsets.begin(), offsets.end()), Median(delays),
                worstDelay);
}

TEST(SntpAgainstChrony, AHostNameIsResolved) {
    CSNTPClient client;
    SntpReply reply;
    ASSERT_NE(client.QueryServer("localhost", reply, PortOf("TAVREL_CHRONY_PORT")), 0)
        << "error " << SocketLastError();
    EXPECT_EQ(reply.stratum, 8);
}

TEST(SntpAgainstFakeServer, HealthyRepliesGiveTheirDelayAndOffset) {
    FakeClock clock(kNow); // T1 = T4: the clock stands still during the exchange
    const NtpTimestamp now = NtpTimestamp::FromSystemTime(kNow);
    const struct {
        const char* kind;
        double offset;
    } cases[] = {
        {"ECHO", 0.0},
        {"AHEAD", 2147483648.0 / 4294967295.0},
        {"LONG", 2147483648.0 / 4294967295.0}, // a longer datagram is used as far as the header goes
    };
    CSNTPClient client;
    for (const auto& c : cases) {
        SntpReply reply;
        ASSERT_NE(client.QueryServer("127.0.0.1", reply, FakePort(c.kind)), 0)
            << c.kind << ": error " << SocketLastError();
        EXPECT_EQ(reply.originate, now) << c.kind;
        EXPECT_EQ(reply.destination, now) << c.kind;
        EXPECT_EQ(reply.roundTripDelay, 0.0) << c.kind;
        EXPECT_DOUBLE_EQ(reply.localClockOffset, c.offset) << c.kind;
        EXPECT_EQ(reply.stratum, 2) << c.kind;
    }
    EXPECT_TRUE(clock.Attempts().empty());
}

TEST(SntpAgainstFakeServer, RepliesThatAreNoAnswerFailWithTheirOwnCode) {
    FakeClock clock(kNow);
    const struct {
        const char* kind;
        uint32_t error;
    } cases[] = {
        {"SHORT", kSntpErrorShortReply},           {"EMPTY", kSntpErrorShortReply},
        {"ZERO", kSntpErrorNotServerMode},         {"REFLECT", kSntpErrorNotServerMode},
        {"KISS", kSntpErrorKissOfDeath},           {"NOTRANSMIT", kSntpErrorNoTransmitTime},
        {"MISMATCH", kSntpErrorOriginateMismatch}, {"UNSYNCED", kSntpErrorUnsynchronised},
        {"STRATUM16", kSntpErrorStratumTooHigh},
    };
    CSNTPClient client;
    for (const auto& c : cases) {
        SntpReply reply;
        reply.stratum = -7;
        EXPECT_EQ(client.QueryServer("127.0.0.1", reply, FakePort(c.kind)), 0) << c.kind;
        EXPECT_EQ(SocketLastError(), c.error) << c.kind;
        EXPECT_EQ(reply.stratum, -7) << c.kind;
    }
    EXPECT_TRUE(clock.Attempts().empty());
}

TEST(SntpAgainstFakeServer, NoAnswerTimesOutAfterThreeSecondsWith10060) {
    CSNTPClient client;
    SntpReply reply;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(client.QueryServer("127.0.0.1", reply, FakePort("SILENT")), 0);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(SocketLastError(), kSocketErrorTimedOut);
    EXPECT_GE(elapsed, std::chrono::milliseconds(2950));
    EXPECT_LT(elapsed, std::chrono::seconds(30)) << "a bound only to fail rather than hang";
}

TEST(SntpAgainstFakeServer, APortNobodyListensOnFails) {
    CSNTPClient client;
    SntpReply reply;
    EXPECT_EQ(client.QueryServer("127.0.0.1", reply, FakePort("CLOSED")), 0);
    // Loopback reports the closed port at once, so the read fails with the platform's "refused" or
    // "reset" code; a network that drops the report would give the time-out instead.
    const uint32_t error = SocketLastError();
    std::printf("a closed port fails with %u\n", static_cast<unsigned>(error));
    EXPECT_NE(error, 0u);
    EXPECT_LT(error, 0x20000000u) << "a socket error, not a rejected reply";
}

TEST(SntpAgainstFakeServer, AnUnknownHostFailsWithTheResolversCode) {
    CSNTPClient client;
    SntpReply reply;
    EXPECT_EQ(client.QueryServer("no-such-host.invalid", reply, 123), 0);
    EXPECT_GE(SocketLastError(), 11001u); // WSAHOST_NOT_FOUND, WSATRY_AGAIN, WSANO_RECOVERY or WSANO_DATA
    EXPECT_LE(SocketLastError(), 11004u);
}

} // namespace
