#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ntp/SntpPacket.h"
#include "settings/SettingsSchema.h"

// The texts and the server list of the NTP time dialog. Every report text is typed with a line break of
// its own after it, so a text that ends with "\r\n" is followed by an empty line.

inline constexpr char kReportFailed[] = "Failed to retreive time from the server";
inline constexpr char kReportSynchronised[] = "Time was successfully synchronised";

// The first line of a query.
std::string LookingUpText(const std::string& server);

// The report of an answered query, in the order it is typed: the local time the answer arrived (UTC, day
// first, milliseconds carried as the clock would show them), the local clock offset and the delay.
std::vector<std::string> AnswerTexts(const SntpReply& reply);

// The server box: the stored servers that are not empty, in their order, and the entry to select.
struct ServerList {
    std::vector<std::string> entries;
    int selected = -1; // none
};

// `lastIndex` counts among the listed entries; outside 0..2 it is taken as 0, and an index past the
// last entry selects nothing.
ServerList MakeServerList(const std::array<std::string, kNtpServerCount>& servers, uint32_t lastIndex);
