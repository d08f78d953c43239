#include "ntp/SNTPClient.h"

#include "clock/SystemClock.h"
#include "platform/UdpClientSocket.h"

int CSNTPClient::QueryServer(const char* server, SntpReply& reply, int port) {
    if (port < 1 || port > 65535) {
        SetSocketLastError(kSocketErrorInvalidArgument);
        return 0;
    }
    CUdpClientSocket socket;
    if (!socket.Create() || !socket.Connect(server, static_cast<uint16_t>(port))) {
        return 0;
    }
    const NtpTimestamp sent = NtpTimestamp::Now();
    const auto request = EncodeSntpRequest(sent);
    if (!socket.Send(request.data(), request.size())) {
        return 0;
    }
    if (!socket.WaitReadable(m_timeoutMs)) {
        socket.Close();
        SetSocketLastError(kSocketErrorTimedOut);
        return 0;
    }
    const NtpTimestamp destination = NtpTimestamp::Now();
    uint8_t buffer[kSntpReplyBufferSize] = {};
    const int received = socket.Receive(buffer, sizeof buffer);
    if (received < 0) {
        return 0;
    }
    const uint32_t rejected =
        DecodeSntpReply(buffer, static_cast<size_t>(received), sent, destination, reply);
    socket.Close();
    if (rejected) {
        SetSocketLastError(rejected);
        return 0;
    }
    return 1;
}

int CSNTPClient::SetClockFromTimestamp(NtpTimestamp time) const {
    if (time.IsEmpty()) {
        SetSocketLastError(kErrorInvalidParameter);
        return 0;
    }
    // "1000 milliseconds", which no clock accepts, is carried into the next second.
    uint32_t error = 0;
    if (!SystemClock().SetUtc(time.ToClockTime(), &error)) {
        SetSocketLastError(error);
        return 0;
    }
    return 1;
}
