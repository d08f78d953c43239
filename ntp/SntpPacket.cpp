#include "ntp/SntpPacket.h"

namespace {

constexpr size_t kOriginateOffset = 24;
constexpr size_t kReceiveOffset = 32;
constexpr size_t kTransmitOffset = 40;
constexpr uint8_t kModeServer = 4;
constexpr uint8_t kLeapUnsynchronised = 3;
constexpr uint8_t kStratumUnusable = 16;

NtpTimestamp ReadTimestamp(const uint8_t* p) {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
        value = value << 8 | p[i];
    }
    return NtpTimestamp(value);
}

void WriteTimestamp(uint8_t* p, NtpTimestamp time) {
    for (int i = 7; i >= 0; --i) {
        p[7 - i] = static_cast<uint8_t>(time.Value() >> (8 * i));
    }
}

} // namespace

std::array<uint8_t, kSntpPacketSize> EncodeSntpRequest(NtpTimestamp transmit) {
    std::array<uint8_t, kSntpPacketSize> packet{};
    packet[0] = 0x1B; // leap 0, version 3, mode 3 (client)
    WriteTimestamp(&packet[kTransmitOffset], transmit);
    return packet;
}

uint32_t DecodeSntpReply(const uint8_t* data, size_t received, NtpTimestamp sent, NtpTimestamp destination,
                         SntpReply& reply) {
    if (received < kSntpPacketSize) {
        return kSntpErrorShortReply;
    }
    if ((data[0] & 0x07) != kModeServer) {
        return kSntpErrorNotServerMode;
    }
    if (data[1] == 0) {
        return kSntpErrorKissOfDeath;
    }
    // A server that says its own clock is unsynchronised, or that counts itself 16 or more steps from a
    // reference, has no time to give (RFC 4330, section 5).
    if ((data[0] >> 6) == kLeapUnsynchronised) {
        return kSntpErrorUnsynchronised;
    }
    if (data[1] >= kStratumUnusable) {
        return kSntpErrorStratumTooHigh;
    }
    const NtpTimestamp transmit = ReadTimestamp(data + kTransmitOffset);
    if (transmit.IsEmpty()) {
        return kSntpErrorNoTransmitTime;
    }
    const NtpTimestamp originate = ReadTimestamp(data + kOriginateOffset);
    if (originate != sent) {
        return kSntpErrorOriginateMismatch;
    }
    const NtpTimestamp receive = ReadTimestamp(data + kReceiveOffset);

    reply.leapIndicator = data[0] >> 6;
    reply.stratum = data[1];
    reply.originate = originate;
    reply.receive = receive;
    reply.transmit = transmit;
    reply.destination = destination;
    reply.roundTripDelay =
        NtpTimestamp::Difference(destination, originate) - NtpTimestamp::Difference(transmit, receive);
    reply.localClockOffset =
        (NtpTimestamp::Difference(receive, originate) + NtpTimestamp::Difference(transmit, destination)) *
        0.5;
    return 0;
}
