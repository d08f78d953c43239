#include "ntp/TimeReport.h"

#include <cstdio>

std::string LookingUpText(const std::string& server) {
    return "Looking up   --- " + server + " ---";
}

std::vector<std::string> AnswerTexts(const SntpReply& reply) {
    const SystemTime arrived = reply.destination.ToClockTime();
    // The figures stay below 2^33 s, so every line fits.
    char date[64], offset[64], delay[64];
    std::snprintf(date, sizeof date, "         %02d/%02d/%04d, %02d:%02d:%02d.%03d", arrived.wDay,
                  arrived.wMonth, arrived.wYear, arrived.wHour, arrived.wMinute, arrived.wSecond,
                  arrived.wMilliseconds);
    std::snprintf(offset, sizeof offset, "         %.5f seconds", reply.localClockOffset);
    std::snprintf(delay, sizeof delay, "Round trip delay was %.5f seconds", reply.roundTripDelay);
    return {
        "Time was successfully retreived\r\n",
        "CLIENT DESTINATION DATE:",
        date,
        "LOCAL CLOCK OFFSET:",
        offset,
        delay,
        "\r\nClick SET to Synchronize Computer System Clock",
    };
}

ServerList MakeServerList(const std::array<std::string, kNtpServerCount>& servers, uint32_t lastIndex) {
    ServerList list;
    for (const std::string& server : servers) {
        if (!server.empty()) {
            list.entries.push_back(server);
        }
    }
    if (lastIndex >= kNtpServerCount) {
        lastIndex = 0;
    }
    if (lastIndex < list.entries.size()) {
        list.selected = static_cast<int>(lastIndex);
    }
    return list;
}
