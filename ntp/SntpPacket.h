#pragma once
#include "ntp/NtpTimestamp.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The result of one SNTP query.
struct SntpReply {
    int32_t leapIndicator = 0;   // bits 7-6 of the reply's first byte
    int32_t stratum = 0;         // the reply's second byte
    NtpTimestamp originate;      // T1: our send time as echoed by the server
    NtpTimestamp receive;        // T2: when the server received the request
    NtpTimestamp transmit;       // T3: when the server sent the reply
    NtpTimestamp destination;    // T4: our clock when the reply became readable
    double roundTripDelay = 0;   // seconds, (T4 - T1) - (T3 - T2)
    double localClockOffset = 0; // seconds, ((T2 - T1) + (T3 - T4)) / 2; positive: our clock is behind
};

constexpr size_t kSntpPacketSize = 48;
constexpr size_t kSntpReplyBufferSize = 68;

// Why a reply was not accepted. Bit 29 marks application-defined codes, so none of these can equal a
// Windows, Windows Sockets or errno code.
constexpr uint32_t kSntpErrorShortReply = 0x20000001;        // fewer than 48 bytes
constexpr uint32_t kSntpErrorNotServerMode = 0x20000002;     // mode is not 4 (server)
constexpr uint32_t kSntpErrorKissOfDeath = 0x20000003;       // stratum 0: the server sent no time
constexpr uint32_t kSntpErrorNoTransmitTime = 0x20000004;    // transmit timestamp 0
constexpr uint32_t kSntpErrorOriginateMismatch = 0x20000005; // not an answer to the request we sent
constexpr uint32_t kSntpErrorUnsynchronised = 0x20000006; // leap indicator 3: the server's clock is not set
constexpr uint32_t kSntpErrorStratumTooHigh = 0x20000007; // stratum 16 or more: not a usable time source

// The client request: version 3, mode 3, transmit timestamp big-endian, everything else zero.
std::array<uint8_t, kSntpPacketSize> EncodeSntpRequest(NtpTimestamp transmit);

// Checks and decodes the `received` bytes of a reply to the request sent with transmit time `sent`
// and read at `destination`, and works out the delay and offset. Returns 0 and fills `reply` when the
// reply is a server's answer to that request; otherwise returns one of the codes above and leaves
// `reply` alone. Bytes after the first 48 are ignored.
uint32_t DecodeSntpReply(const uint8_t* data, size_t received, NtpTimestamp sent, NtpTimestamp destination,
                         SntpReply& reply);
