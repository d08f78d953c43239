#include "ntp/TimeReport.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeReport, AnAnswerReadsAsTypedWithFiveDecimalsAndTheArrivalTime) {
    SntpReply reply;
    reply.localClockOffset = 0.123456;
    reply.roundTripDelay = 0.04;
    reply.destination = NtpTimestamp::FromSystemTime(SystemTime{2026, 3, 1, 2, 17, 21, 4, 678});
    const std::vector<std::string> expected = {
        "Time was successfully retreived\r\n",
        "CLIENT DESTINATION DATE:",
        "         02/03/2026, 17:21:04.678",
        "LOCAL CLOCK OFFSET:",
        "         0.12346 seconds",
        "Round trip delay was 0.04000 seconds",
        "\r\nClick SET to Synchronize Computer System Clock",
    };
    EXPECT_EQ(AnswerTexts(reply), expected);
    EXPECT_EQ(LookingUpText("pool.ntp.org"), "Looking up   --- pool.ntp.org ---");

    // 23:59:59.9996 is shown as the clock would take it: the next day's first millisecond, not ".1000".
    reply.destination =
        NtpTimestamp(NtpTimestamp::FromSystemTime(SystemTime{2025, 12, 3, 31, 23, 59, 59, 0}).Value() +
                     static_cast<uint64_t>(0.9996 * 4294967296.0));
    reply.localClockOffset = -0.000004;
    EXPECT_EQ(AnswerTexts(reply)[2], "         01/01/2026, 00:00:00.000");
    EXPECT_EQ(AnswerTexts(reply)[4], "         -0.00000 seconds");
}

TEST(TimeReport, TheServerListSkipsEmptyServersAndSelectsByPosition) {
    const std::array<std::string, 3> defaults = {"pool.ntp.org", "time.nist.gov", "time.cloudflare.com"};
    const std::array<std::string, 3> secondEmpty = {"a.example", "", "c.example"};
    const struct {
        std::array<std::string, 3> servers;
        uint32_t lastIndex;
        std::vector<std::string> entries;
        int selected;
    } cases[] = {
        {defaults, 0, {defaults.begin(), defaults.end()}, 0},
        {defaults, 2, {defaults.begin(), defaults.end()}, 2},
        {defaults, 3, {defaults.begin(), defaults.end()}, 0},          // out of range: the first
        {defaults, 0xFFFFFFFF, {defaults.begin(), defaults.end()}, 0}, // a stored -1 as well
        {secondEmpty, 1, {"a.example", "c.example"}, 1},               // positions close up
        {secondEmpty, 2, {"a.example", "c.example"}, -1},              // past the last entry: none
        {{"", "", ""}, 0, {}, -1},
    };
    for (const auto& c : cases) {
        const ServerList list = MakeServerList(c.servers, c.lastIndex);
        EXPECT_EQ(list.entries, c.entries) << c.lastIndex;
        EXPECT_EQ(list.selected, c.selected) << c.lastIndex;
    }
}

} // namespace
