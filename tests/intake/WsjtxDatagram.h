#pragma once
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "intake/WsjtxMessage.h"

// Builds WSJT-X datagrams byte by byte, as WSJT-X writes them, for the intake tests and benchmark.
class WsjtxDatagram {
public:
    WsjtxDatagram& U32(uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<unsigned char>(value >> shift));
        return *this;
    }
    WsjtxDatagram& Byte(unsigned char value) {
        bytes.push_back(value);
        return *this;
    }
    WsjtxDatagram& Double(double value) {
        const auto bits = std::bit_cast<uint64_t>(value);
        return U32(static_cast<uint32_t>(bits >> 32)).U32(static_cast<uint32_t>(bits));
    }
    WsjtxDatagram& String(const std::string& text) {
        U32(static_cast<uint32_t>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    WsjtxDatagram& Header(uint32_t type, uint32_t schema = 2, uint32_t magic = kWsjtxMagic) {
        return U32(magic).U32(schema).U32(type);
    }

    std::vector<unsigned char> bytes;
};

// The fields of a Decode as WSJT-X sends them.
struct DecodeFields {
    std::string id = "WSJT-X";
    unsigned char isNew = 1;
    uint32_t timeMs = 45296789;
    int32_t snr = -15;
    double deltaTime = 0.1;
    int32_t deltaFrequency = 1234;
    std::string mode = "~";
    std::string message = "CQ K1ABC FN42";
    bool trailer = true; // the low-confidence and off-air flags
};

// A Decode body: everything after the 12-byte header.
inline WsjtxDatagram DecodeBody(const DecodeFields& fields = {}) {
    WsjtxDatagram body;
    body.String(fields.id).Byte(fields.isNew).U32(fields.timeMs).U32(static_cast<uint32_t>(fields.snr));
    body.Double(fields.deltaTime).U32(static_cast<uint32_t>(fields.deltaFrequency));
    body.String(fields.mode).String(fields.message);
    if (fields.trailer)
        body.Byte(0).Byte(0);
    return body;
}

// A whole Decode datagram.
inline std::vector<unsigned char> DecodeDatagram(const DecodeFields& fields = {}, uint32_t schema = 2) {
    WsjtxDatagram datagram;
    datagram.Header(kWsjtxTypeDecode, schema);
    const auto body = DecodeBody(fields).bytes;
    datagram.bytes.insert(datagram.bytes.end(), body.begin(), body.end());
    return datagram.bytes;
}
