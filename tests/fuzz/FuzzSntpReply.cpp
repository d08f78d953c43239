// An SNTP server's reply, whatever it holds: the first 16 bytes are the request's transmit time and the
// arrival time, the rest is the reply as received.
#include <cmath>
#include <cstdint>

#include "FuzzCheck.h"
#include "ntp/SntpPacket.h"

namespace {

NtpTimestamp ReadTimestamp(const uint8_t* p) {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
        value = value << 8 | p[i];
    }
    return NtpTimestamp(value);
}

void CheckConversions(NtpTimestamp t) {
    const SystemTime time = t.ToSystemTime();
    FUZZ_CHECK(time.wYear >= 1968 && time.wYear <= 2104);
    FUZZ_CHECK(time.wMonth >= 1 && time.wMonth <= 12);
    FUZZ_CHECK(time.wDay >= 1 && time.wDay <= 31);
    FUZZ_CHECK(time.wDayOfWeek <= 6);
    FUZZ_CHECK(time.wHour < 24 && time.wMinute < 60 && time.wSecond < 60);
    FUZZ_CHECK(time.wMilliseconds <= 1000);
    if (time.wMilliseconds < 1000) {
        // The calendar fields name the same second again, in either era.
        FUZZ_CHECK(NtpTimestamp::FromSystemTime(time).Seconds() == t.Seconds());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 16) {
        return 0;
    }
    const NtpTimestamp sent = ReadTimestamp(data);
    const NtpTimestamp destination = ReadTimestamp(data + 8);
    SntpReply reply;
    reply.stratum = -7;
    const uint32_t rejected = DecodeSntpReply(data + 16, size - 16, sent, destination, reply);
    if (rejected) {
        FUZZ_CHECK(reply.stratum == -7); // a rejected reply leaves the result alone
    } else {
        FUZZ_CHECK(size - 16 >= kSntpPacketSize);
        FUZZ_CHECK(reply.originate == sent && reply.destination == destination);
        FUZZ_CHECK(reply.leapIndicator >= 0 && reply.leapIndicator <= 3);
        FUZZ_CHECK(reply.stratum >= 1 && reply.stratum <= 255);
        // Any two times are less than 2^31 s apart in the era arithmetic.
        FUZZ_CHECK(std::isfinite(reply.roundTripDelay) && std::fabs(reply.roundTripDelay) <= 4294967296.0);
        FUZZ_CHECK(std::isfinite(reply.localClockOffset) &&
                   std::fabs(reply.localClockOffset) <= 4294967296.0);
        CheckConversions(reply.receive);
        CheckConversions(reply.transmit);
    }
    CheckConversions(sent);
    CheckConversions(destination);

    // Moving a time by the difference to another lands on that other time.
    const double apart = NtpTimestamp::Difference(destination, sent);
    FUZZ_CHECK(std::fabs(apart) <= 2147483648.0);
    FUZZ_CHECK(std::fabs(NtpTimestamp::Difference(sent.PlusSeconds(apart), destination)) < 1e-3);
    return 0;
}
