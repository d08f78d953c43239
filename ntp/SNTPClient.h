#pragma once
#include "ntp/NtpTimestamp.h"
#include "ntp/SntpPacket.h"

#include <cstdint>

// One SNTP exchange with a time server (an NTP version 3 client request over UDP), and setting the
// clock from its answer. The socket layer must have been started (WSAStartup on Windows).
class CSNTPClient {
public:
    CSNTPClient() = default;
    virtual ~CSNTPClient() = default;

    // Asks `server` (a dotted IPv4 address or a host name) on UDP `port` for the time and fills `reply`.
    // Blocks for the name resolution plus up to the 3000 ms time-out. Nonzero on success; on failure 0
    // with the reason in SocketLastError() (on Windows also GetLastError()):
    //   kSocketErrorTimedOut (10060)   no reply within the time-out, or the wait failed
    //   kSntpError...                  a reply that is not an answer to our request (see SntpPacket.h)
    //   any other                      the code of the failing socket or resolver call
    int QueryServer(const char* server, SntpReply& reply, int port);

    // Sets the system clock to `time` (UTC). Nonzero on success; on failure 0 with the clock's error
    // code in SocketLastError() (1314 when the process may not set the time). The empty timestamp holds
    // no time and is refused with kErrorInvalidParameter.
    int SetClockFromTimestamp(NtpTimestamp time) const;

    uint32_t Timeout() const { return m_timeoutMs; }

private:
    uint32_t m_timeoutMs = 3000;
};
