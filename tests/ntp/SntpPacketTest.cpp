#include "ntp/SntpPacket.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr NtpTimestamp Seconds(double s) {
    return NtpTimestamp(static_cast<uint64_t>(s * 4294967296.0));
}

void Put(std::vector<uint8_t>& packet, size_t offset, NtpTimestamp t) {
    for (int i = 0; i < 8; ++i) {
        packet[offset + i] = static_cast<uint8_t>(t.Value() >> (56 - 8 * i));
    }
}

// A server's answer: leap 0, version 3, mode 4, stratum 2.
std::vector<uint8_t> Reply(NtpTimestamp originate, NtpTimestamp receive, NtpTimestamp transmit) {
    std::vector<uint8_t> packet(kSntpPacketSize);
    packet[0] = 0x1C;
    packet[1] = 2;
    Put(packet, 24, originate);
    Put(packet, 32, receive);
    Put(packet, 40, transmit);
    return packet;
}

TEST(SntpRequest, IsVersionThreeClientWithOnlyTheTransmitTime) {
    const auto packet = EncodeSntpRequest(NtpTimestamp(0x0102'0304'0506'0708));
    std::array<uint8_t, kSntpPacketSize> expected{};
    expected[0] = 0x1B;
    for (int i = 0; i < 8; ++i) {
        expected[40 + i] = static_cast<uint8_t>(i + 1);
    }
    EXPECT_EQ(packet, expected);
}

TEST(SntpReplyDecoding, DelayAndOffset) {
    const struct {
        double t1, t2, t3, t4;
        double delay, offset;
    } cases[] = {
        {1000.00, 1000.60, 1000.61, 1000.21, 0.20, 0.50},
        {1000.00, 1000.00, 1000.00, 1000.00, 0.0, 0.0},
        {1000.50, 1000.00, 1000.00, 1000.50, 0.0, -0.5}, // our clock ahead of the server
    };
    for (const auto& c : cases) {
        const auto packet = Reply(Seconds(c.t1), Seconds(c.t2), Seconds(c.t3));
        SntpReply reply;
        ASSERT_EQ(DecodeSntpReply(packet.data(), packet.size(), Seconds(c.t1), Seconds(c.t4), reply), 0u);
        EXPECT_NEAR(reply.roundTripDelay, c.delay, 1e-6);
        EXPECT_NEAR(reply.localClockOffset, c.offset, 1e-6);
        EXPECT_EQ(reply.originate, Seconds(c.t1));
        EXPECT_EQ(reply.receive, Seconds(c.t2));
        EXPECT_EQ(reply.transmit, Seconds(c.t3));
        EXPECT_EQ(reply.destination, Seconds(c.t4));
        EXPECT_EQ(reply.stratum, 2);
        EXPECT_EQ(reply.leapIndicator, 0);
    }
}

TEST(SntpReplyDecoding, AcrossTheChangeOfEraIn2036) {
    // Sent 0.1 s before the seconds field wraps; the server answers 0.5 s after, read 0.1 s after.
    const NtpTimestamp t1(0xFFFF'FFFF, 3'865'470'566), t23(0, 2'147'483'648), t4(0, 429'496'730);
    const auto packet = Reply(t1, t23, t23);
    SntpReply reply;
    ASSERT_EQ(DecodeSntpReply(packet.data(), packet.size(), t1, t4, reply), 0u);
    EXPECT_NEAR(reply.roundTripDelay, 0.2, 1e-6);
    EXPECT_NEAR(reply.localClockOffset, 0.5, 1e-6);
}

TEST(SntpReplyDecoding, ReadsLeapAndStratumAndIgnoresWhatFollowsTheHeader) {
    auto packet = Reply(Seconds(1000), Seconds(1000.1), Seconds(1000.2));
    packet[0] = 0x64; // leap 1 (a second is inserted today), version 4, mode 4
    packet[1] = 15;
    packet.resize(kSntpReplyBufferSize, 0xAB);
    SntpReply reply;
    ASSERT_EQ(DecodeSntpReply(packet.data(), packet.size(), Seconds(1000), Seconds(1000.3), reply), 0u);
    EXPECT_EQ(reply.leapIndicator, 1);
    EXPECT_EQ(reply.stratum, 15);
    EXPECT_NEAR(reply.roundTripDelay, 0.2, 1e-6);
}

TEST(SntpReplyDecoding, RejectsWhatIsNotAnAnswerToOurRequest) {
    const NtpTimestamp sent = Seconds(3'786'825'600.25);
    const auto good = Reply(sent, Seconds(3'786'825'600.5), Seconds(3'786'825'600.5));
    const auto request = EncodeSntpRequest(sent);
    struct Case {
        const char* name;
        std::vector<uint8_t> packet;
        uint32_t error;
    };
    std::vector<Case> cases = {
        {"empty", {}, kSntpErrorShortReply},
        {"47 bytes", std::vector<uint8_t>(good.begin(), good.end() - 1), kSntpErrorShortReply},
        {"all zero", std::vector<uint8_t>(kSntpPacketSize), kSntpErrorNotServerMode},
        {"our own request", std::vector<uint8_t>(request.begin(), request.end()), kSntpErrorNotServerMode},
        {"broadcast mode", good, kSntpErrorNotServerMode},
        {"kiss-o'-death", good, kSntpErrorKissOfDeath},
        {"no transmit time", good, kSntpErrorNoTransmitTime},
        {"originate one fraction off", good, kSntpErrorOriginateMismatch},
        {"originate zero", good, kSntpErrorOriginateMismatch},
        {"leap 3: not synchronised", good, kSntpErrorUnsynchronised},
        {"stratum 16", good, kSntpErrorStratumTooHigh},
        {"stratum 255", good, kSntpErrorStratumTooHigh},
    };
    cases[4].packet[0] = 0x1D;
    cases[5].packet[1] = 0;
    std::fill(cases[5].packet.begin() + 12, cases[5].packet.begin() + 16, 'R'); // "RRRR" kiss code
    std::fill(cases[6].packet.begin() + 40, cases[6].packet.end(), 0);
    Put(cases[7].packet, 24, NtpTimestamp(sent.Value() + 1));
    Put(cases[8].packet, 24, NtpTimestamp());
    cases[9].packet[0] |= 0xC0;
    cases[10].packet[1] = 16;
    cases[11].packet[1] = 255;

    for (const Case& c : cases) {
        SntpReply reply;
        reply.stratum = -7;
        EXPECT_EQ(DecodeSntpReply(c.packet.data(), c.packet.size(), sent, Seconds(3'786'825'600.3), reply),
                  c.error)
            << c.name;
        EXPECT_EQ(reply.stratum, -7) << c.name << ": a rejected reply leaves the result alone";
    }
}

} // namespace
