#include "intake/WsjtxMessage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "WsjtxDatagram.h"

namespace {

// A record filled with values no reader would produce, to see what a failed read changed.
WsjtxDecode Sentinel() {
    WsjtxDecode decode;
    decode.isNew = true;
    decode.timeSeconds = 777;
    decode.snr = 77;
    decode.deltaTime = 7.7;
    decode.deltaFrequency = 7777;
    std::memset(decode.message, 'x', sizeof decode.message);
    return decode;
}

bool SameDecode(const WsjtxDecode& a, const WsjtxDecode& b) {
    return a.isNew == b.isNew && a.timeSeconds == b.timeSeconds && a.snr == b.snr &&
           a.deltaTime == b.deltaTime && a.deltaFrequency == b.deltaFrequency &&
           std::memcmp(a.message, b.message, sizeof a.message) == 0;
}

// Reads from a heap copy of exactly the given bytes, so that any read past them is caught by ASan.
bool ReadDecodeExact(const std::vector<unsigned char>& bytes, size_t size, WsjtxDecode& decode) {
    const std::vector<unsigned char> exact(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    return ReadDecode(exact.data(), exact.size(), decode);
}

} // namespace

TEST(WsjtxByteOrder, ReadsBigEndianValues) {
    const unsigned char magic[] = {0xAD, 0xBC, 0xCB, 0xDA};
    EXPECT_EQ(BigEndianToHost32(magic), 0xADBCCBDAu);
    const unsigned char tenth[] = {0x3F, 0xB9, 0x99, 0x99, 0x99, 0x99, 0x99, 0x9A};
    EXPECT_EQ(BigEndianToHostDouble(tenth), 0.1);
    const unsigned char minusOneAndHalf[] = {0xBF, 0xF8, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(BigEndianToHostDouble(minusOneAndHalf), -1.5);
}

TEST(WsjtxHeader, ReadsSchemaAndType) {
    const auto bytes = WsjtxDatagram().Header(5, 3).bytes;
    WsjtxHeader header;
    ASSERT_TRUE(ReadHeader(bytes.data(), bytes.size(), header));
    EXPECT_EQ(header.schema, 3u);
    EXPECT_EQ(header.type, 5u);
}

TEST(WsjtxHeader, RejectionLeavesHeaderUntouched) {
    const auto swapped = WsjtxDatagram().Header(2, 2, 0xDACBBCAD).bytes; // magic in the wrong byte order
    const auto good = WsjtxDatagram().Header(2, 2).bytes;
    for (const auto& [bytes, size] : {std::pair{swapped, swapped.size()}, std::pair{good, size_t{11}}}) {
        WsjtxHeader header{7, 9};
        const std::vector<unsigned char> exact(bytes.begin(),
                                               bytes.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(ReadHeader(exact.data(), exact.size(), header)) << size;
        EXPECT_EQ(header.schema, 7u);
        EXPECT_EQ(header.type, 9u);
    }
}

TEST(WsjtxDecodeReader, ReadsEveryField) {
    const auto body = DecodeBody().bytes;
    WsjtxDecode decode = Sentinel();
    ASSERT_TRUE(ReadDecodeExact(body, body.size(), decode));
    EXPECT_TRUE(decode.isNew);
    EXPECT_EQ(decode.timeSeconds, 45296); // 12:34:56.789
    EXPECT_EQ(decode.snr, -15);
    EXPECT_EQ(decode.deltaTime, 0.1);
    EXPECT_EQ(decode.deltaFrequency, 1234);
    EXPECT_STREQ(decode.message, "CQ K1ABC FN42");
    for (size_t i = std::strlen("CQ K1ABC FN42"); i < sizeof decode.message; ++i)
        EXPECT_EQ(decode.message[i], 0) << i;
}

TEST(WsjtxDecodeReader, TimeIsSignedAndTruncatedTowardZero) {
    const struct {
        uint32_t timeMs;
        int32_t seconds;
    } cases[] = {
        {999, 0}, {1000, 1}, {86399999, 86399}, {static_cast<uint32_t>(-1999), -1}, {0x80000000, -2147483}};
    for (const auto& c : cases) {
        DecodeFields fields;
        fields.timeMs = c.timeMs;
        WsjtxDecode decode;
        const auto body = DecodeBody(fields).bytes;
        ASSERT_TRUE(ReadDecode(body.data(), body.size(), decode));
        EXPECT_EQ(decode.timeSeconds, c.seconds) << c.timeMs;
    }
}

TEST(WsjtxDecodeReader, NewOnlyWhenFlagByteIsOne) {
    const struct {
        unsigned char flag;
        bool isNew;
    } cases[] = {{0, false}, {1, true}, {2, false}, {0xFF, false}};
    for (const auto& c : cases) {
        DecodeFields fields;
        fields.isNew = c.flag;
        WsjtxDecode decode = Sentinel();
        const auto body = DecodeBody(fields).bytes;
        ASSERT_TRUE(ReadDecode(body.data(), body.size(), decode));
        EXPECT_EQ(decode.isNew, c.isNew) << int{c.flag};
        EXPECT_EQ(decode.deltaFrequency, 1234); // read completely either way
    }
}

TEST(WsjtxDecodeReader, KeepsAtMost32MessageBytesAndZeroesTheRest) {
    const std::string forty = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcd";
    const struct {
        std::string message;
        std::string kept;
    } cases[] = {
        {forty, forty.substr(0, 32)},
        {forty.substr(0, 32), forty.substr(0, 32)},
        {"", ""},
        // A character across the cut goes whole: 2, 3 and 4 bytes.
        {forty.substr(0, 31) + "\xC3\xA9", forty.substr(0, 31)},
        {forty.substr(0, 30) + "\xE2\x82\xAC!", forty.substr(0, 30)},
        {forty.substr(0, 29) + "\xF0\x9F\x93\xBB", forty.substr(0, 29)},
        {forty.substr(0, 30) + "\xC3\xA9Z", forty.substr(0, 30) + "\xC3\xA9"},
        // No UTF-8: cut at the limit.
        {std::string(40, '\x80'), std::string(32, '\x80')},
    };
    for (const auto& c : cases) {
        DecodeFields fields;
        fields.message = c.message;
        WsjtxDecode decode = Sentinel();
        const auto body = DecodeBody(fields).bytes;
        ASSERT_TRUE(ReadDecodeExact(body, body.size(), decode));
        EXPECT_EQ(std::string(decode.message), c.kept);
        for (size_t i = c.kept.size(); i < sizeof decode.message; ++i)
            EXPECT_EQ(decode.message[i], 0) << c.message << " at " << i;
    }
}

TEST(WsjtxDecodeReader, AcceptsNullStrings) {
    // Null id, mode and message: a count of 0xFFFFFFFF and no bytes behind it.
    WsjtxDatagram body;
    body.U32(kWsjtxNullString).Byte(1).U32(60000).U32(3).Double(-0.5).U32(800);
    body.U32(kWsjtxNullString).U32(kWsjtxNullString);
    WsjtxDecode decode = Sentinel();
    ASSERT_TRUE(ReadDecodeExact(body.bytes, body.bytes.size(), decode));
    EXPECT_EQ(decode.timeSeconds, 60);
    EXPECT_EQ(decode.deltaTime, -0.5);
    EXPECT_EQ(decode.deltaFrequency, 800);
    for (char c : decode.message)
        EXPECT_EQ(c, 0);
}

TEST(WsjtxDecodeReader, EveryTruncationIsUndecodable) {
    // Without the trailing flags the message text ends the body, so every shorter cut loses a field.
    DecodeFields fields;
    fields.trailer = false;
    const auto body = DecodeBody(fields).bytes;
    for (size_t size = 0; size < body.size(); ++size) {
        WsjtxDecode decode = Sentinel();
        EXPECT_FALSE(ReadDecodeExact(body, size, decode)) << size;
        EXPECT_TRUE(SameDecode(decode, Sentinel())) << size;
    }
    WsjtxDecode decode;
    EXPECT_TRUE(ReadDecodeExact(body, body.size(), decode));
}

TEST(WsjtxDecodeReader, OversizedStringLengthsAreUndecodable) {
    // Each string count in turn claims more bytes than remain; none may wrap the bounds check.
    for (uint32_t length : {0xFFFFFFFEu, 0x80000000u, 0x7FFFFFFFu, 0x100u}) {
        for (int field = 0; field < 3; ++field) {
            WsjtxDatagram body;
            if (field == 0)
                body.U32(length);
            else
                body.String("WSJT-X");
            body.Byte(1).U32(1000).U32(0).Double(0.0).U32(0);
            if (field == 1)
                body.U32(length);
            else
                body.String("~");
            if (field == 2)
                body.U32(length);
            else
                body.String("CQ");
            body.bytes.resize(body.bytes.size() + 20, 'z'); // bytes left, but fewer than claimed
            WsjtxDecode decode = Sentinel();
            EXPECT_FALSE(ReadDecodeExact(body.bytes, body.bytes.size(), decode)) << field << " " << length;
            EXPECT_TRUE(SameDecode(decode, Sentinel()));
        }
    }
}

TEST(WsjtxTypeNames, NamesTheKnownTypesOnly) {
    const struct {
        uint32_t type;
        const char* name;
    } samples[] = {{0, "Heartbeat"},
                   {2, "Decode"},
                   {5, "QSOLogged"},
                   {9, "FreeText"},
                   {11, "Location"},
                   {13, "HighlightCallsign"},
                   {14, "SwitchConfiguration"},
                   {15, "Configure"}};
    for (const auto& s : samples)
        EXPECT_STREQ(WsjtxTypeName(s.type), s.name) << s.type;
    for (uint32_t type = 0; type <= 15; ++type)
        EXPECT_EQ(WsjtxTypeName(type) == nullptr, type == 10) << type;
    for (uint32_t type : {16u, 100u, 0xFFFFFFFFu})
        EXPECT_EQ(WsjtxTypeName(type), nullptr) << type;
}
