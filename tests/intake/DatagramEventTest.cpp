#include "intake/DatagramEvent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "WsjtxDatagram.h"

namespace {

DatagramEvent Classify(const std::vector<unsigned char>& bytes) {
    return ClassifyDatagram(bytes.data(), bytes.size());
}

void ExpectIgnored(const DatagramEvent& event, IgnoreReason reason) {
    EXPECT_EQ(event.kind, DatagramKind::Ignored);
    EXPECT_EQ(event.reason, reason);
    EXPECT_EQ(event.status, nullptr);
}

} // namespace

TEST(ClassifyDatagram, AcceptsFrom13BytesUpToTheReceiveBuffer) {
    auto heartbeat = WsjtxDatagram().Header(0).bytes;
    ExpectIgnored(Classify(heartbeat), IgnoreReason::BadLength); // header alone: 12 bytes
    heartbeat.push_back(0);
    EXPECT_STREQ(Classify(heartbeat).status, "Heartbeat");

    // WSJT-X started with a rig name, and a DXpedition-style message: 96 bytes.
    DecodeFields fields;
    fields.id = "WSJT-X - IC-7300";
    fields.message = "K1ABC RR73; W9XYZ <KH1/KH7Z> -12";
    const DatagramEvent real = Classify(DecodeDatagram(fields));
    EXPECT_EQ(real.kind, DatagramKind::NewDecode);
    EXPECT_STREQ(real.decode.message, fields.message.c_str()); // 32 bytes: kept whole

    // A Decode padded with trailing fields up to the limit, then one byte over it.
    auto decode = DecodeDatagram();
    decode.resize(kMaxDatagramSize, 0);
    EXPECT_EQ(Classify(decode).kind, DatagramKind::NewDecode);
    decode.push_back(0);
    ExpectIgnored(Classify(decode), IgnoreReason::BadLength);
    ExpectIgnored(ClassifyDatagram(nullptr, 0), IgnoreReason::BadLength);
}

TEST(ClassifyDatagram, WrongMagicIsIgnored) {
    auto bytes = DecodeDatagram();
    std::swap(bytes[0], bytes[3]); // the magic in little-endian order: DA CB BC AD
    std::swap(bytes[1], bytes[2]);
    ExpectIgnored(Classify(bytes), IgnoreReason::WrongMagic);
}

TEST(ClassifyDatagram, NamedTypesShowTheirNameOnly) {
    for (uint32_t type = 0; type <= 15; ++type) {
        if (type == kWsjtxTypeDecode)
            continue;
        auto bytes = WsjtxDatagram().Header(type).U32(0).bytes;
        const DatagramEvent event = Classify(bytes);
        if (type == 10) {
            ExpectIgnored(event, IgnoreReason::UnnamedType);
            continue;
        }
        EXPECT_EQ(event.kind, DatagramKind::Named) << type;
        EXPECT_STREQ(event.status, WsjtxTypeName(type));
        EXPECT_EQ(event.header.type, type);
    }
    for (uint32_t type : {16u, 0xFFFFFFFFu})
        ExpectIgnored(Classify(WsjtxDatagram().Header(type).U32(0).bytes), IgnoreReason::UnnamedType);
}

TEST(ClassifyDatagram, NewAndReplayedDecodes) {
    const DatagramEvent fresh = Classify(DecodeDatagram());
    EXPECT_EQ(fresh.kind, DatagramKind::NewDecode);
    EXPECT_STREQ(fresh.status, "Decode");
    EXPECT_EQ(fresh.decode.timeSeconds, 45296);
    EXPECT_STREQ(fresh.decode.message, "CQ K1ABC FN42");

    DecodeFields fields;
    fields.isNew = 0;
    const DatagramEvent replay = Classify(DecodeDatagram(fields));
    EXPECT_EQ(replay.kind, DatagramKind::OldDecode);
    EXPECT_STREQ(replay.status, "Decode");
}

TEST(ClassifyDatagram, SchemaDoesNotChangeTheDecode) {
    const DatagramEvent two = Classify(DecodeDatagram({}, 2));
    const DatagramEvent three = Classify(DecodeDatagram({}, 3));
    EXPECT_EQ(two.header.schema, 2u);
    EXPECT_EQ(three.header.schema, 3u);
    EXPECT_EQ(three.kind, DatagramKind::NewDecode);
    EXPECT_EQ(two.decode.timeSeconds, three.decode.timeSeconds);
    EXPECT_EQ(two.decode.snr, three.decode.snr);
    EXPECT_EQ(two.decode.deltaTime, three.decode.deltaTime);
    EXPECT_EQ(two.decode.deltaFrequency, three.decode.deltaFrequency);
    EXPECT_EQ(0, std::memcmp(two.decode.message, three.decode.message, sizeof two.decode.message));
}

TEST(ClassifyDatagram, UndecodableDecodeChangesNothing) {
    // Cut at every length: a Decode whose fields do not all fit never reaches the status line or the list.
    DecodeFields fields;
    fields.trailer = false;
    const auto full = DecodeDatagram(fields);
    for (size_t size = 0; size < full.size(); ++size) {
        const std::vector<unsigned char> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        const DatagramEvent event = Classify(cut);
        ExpectIgnored(event, size < kMinDatagramSize ? IgnoreReason::BadLength : IgnoreReason::Undecodable);
    }
    EXPECT_EQ(Classify(full).kind, DatagramKind::NewDecode);
}

TEST(ClassifyDatagram, NonNumericDtIsUndecodable) {
    for (double dt : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                      -std::numeric_limits<double>::infinity()}) {
        DecodeFields fields;
        fields.deltaTime = dt;
        ExpectIgnored(Classify(DecodeDatagram(fields)), IgnoreReason::Undecodable);
    }
}

TEST(ClassifyDatagram, EveryReasonHasAText) {
    for (auto reason : {IgnoreReason::BadLength, IgnoreReason::WrongMagic, IgnoreReason::UnnamedType,
                        IgnoreReason::Undecodable})
        EXPECT_GT(std::strlen(IgnoreReasonText(reason)), 0u);
}
