#include <gtest/gtest.h>

#include "intake/WsjtxMessage.h"
#include "tools/ListenLine.h"
#include "tools/ListenOptions.h"

namespace {

TEST(ListenOptions, OverridesAndErrors) {
    const ListenOptions all = ParseListenOptions({"-s", "239.1.2.3", "--port", "2238", "-m", "-v"});
    EXPECT_TRUE(all.error.empty());
    EXPECT_EQ("239.1.2.3", all.server);
    EXPECT_EQ("2238", all.port);
    EXPECT_EQ(true, all.multicast);
    EXPECT_TRUE(all.verbose);

    const ListenOptions none = ParseListenOptions({});
    EXPECT_FALSE(none.server || none.port || none.multicast);

    EXPECT_EQ(false, ParseListenOptions({"--multicast", "--unicast"}).multicast); // the last one counts
    EXPECT_TRUE(ParseListenOptions({"/?"}).help);
    EXPECT_TRUE(ParseListenOptions({"--version"}).version);
    EXPECT_EQ("option --port needs a value", ParseListenOptions({"--port"}).error);
    EXPECT_EQ("unknown option 2237", ParseListenOptions({"2237"}).error);
}

TEST(ListenLine, OneLinePerDatagramTheWindowActsOn) {
    DatagramEvent decode;
    decode.kind = DatagramKind::NewDecode;
    decode.status = "Decode";
    decode.decode.timeSeconds = 309;
    decode.decode.snr = -7;
    decode.decode.deltaTime = -1.05;
    decode.decode.deltaFrequency = 1500;
    std::snprintf(decode.decode.message, sizeof decode.decode.message, "CQ K1ABC FN42");
    EXPECT_EQ("000509\t-7\t-1.1\t1500\tCQ K1ABC FN42", ListenLine(decode, 60, false));

    DatagramEvent old = decode;
    old.kind = DatagramKind::OldDecode;
    EXPECT_EQ("Decode", ListenLine(old, 60, false));

    DatagramEvent ignored;
    ignored.reason = IgnoreReason::WrongMagic;
    EXPECT_EQ(std::nullopt, ListenLine(ignored, 20, false));
    EXPECT_EQ("ignored (20 bytes): not a WSJT-X message", ListenLine(ignored, 20, true));
}

TEST(ListenLine, ControlCharactersInAMessageAreEscaped) {
    const struct {
        const char* message;
        const char* printed;
    } cases[] = {
        {"CQ K1ABC FN42", "CQ K1ABC FN42"},
        {"A\tB\nC\rD", "A\\tB\\nC\\rD"},
        {"\x01\x1F\x7F end", "\\x01\\x1F\\x7F end"},
        {"C:\\x41", "C:\\\\x41"},                               // a backslash cannot fake an escape
        {"73 \xC3\xA9\xE2\x82\xAC", "73 \xC3\xA9\xE2\x82\xAC"}, // UTF-8 stays as it is
    };
    for (const auto& c : cases) {
        DatagramEvent decode;
        decode.kind = DatagramKind::NewDecode;
        std::snprintf(decode.decode.message, sizeof decode.decode.message, "%s", c.message);
        const std::string line = ListenLine(decode, 60, false).value();
        EXPECT_EQ(std::string("000000\t0\t0.0\t0\t") + c.printed, line);
        EXPECT_EQ(std::string::npos, line.find('\n'));
    }
}

} // namespace
