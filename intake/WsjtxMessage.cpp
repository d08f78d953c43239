#include "intake/WsjtxMessage.h"

#include <bit>
#include <cstring>
#include <iterator>

namespace {

// A forward-only view of the received bytes. Every read checks the bytes left first, by subtraction,
// so a huge declared length can neither wrap nor reach past the end.
class WireReader {
public:
    WireReader(const void* data, size_t size)
        : m_bytes(static_cast<const unsigned char*>(data)), m_left(size) {}

    bool Byte(unsigned char& value) {
        return Read(1, value, [](const unsigned char* p) { return *p; });
    }
    bool U32(uint32_t& value) { return Read(4, value, BigEndianToHost32); }
    bool Double(double& value) { return Read(8, value, BigEndianToHostDouble); }

    bool I32(int32_t& value) {
        uint32_t raw;
        if (!U32(raw))
            return false;
        value = static_cast<int32_t>(raw);
        return true;
    }

    // A string's text: `text` points into the datagram, `length` is 0 for a null string.
    bool String(const unsigned char*& text, uint32_t& length) {
        if (!U32(length))
            return false;
        if (length == kWsjtxNullString)
            length = 0;
        text = Take(length);
        return text != nullptr;
    }

    bool SkipString() {
        const unsigned char* text;
        uint32_t length;
        return String(text, length);
    }

private:
    // The next `count` bytes, or nullptr (moving nowhere) when fewer are left.
    const unsigned char* Take(size_t count) {
        if (count > m_left)
            return nullptr;
        const unsigned char* taken = m_bytes;
        m_bytes += count;
        m_left -= count;
        return taken;
    }

    template <typename T, typename Convert> bool Read(size_t count, T& value, Convert convert) {
        const unsigned char* bytes = Take(count);
        if (bytes == nullptr)
            return false;
        value = convert(bytes);
        return true;
    }

    const unsigned char* m_bytes;
    size_t m_left;
};

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// How many of a message's bytes are kept: at most kDecodeMessageKept, cut before a UTF-8 character
// that would not fit whole. Bytes that are no UTF-8 (a run of continuation bytes longer than any
// character) are cut where the limit falls.
size_t KeptMessageBytes(const unsigned char* text, size_t length) {
    if (length <= kDecodeMessageKept)
        return length;
    for (size_t cut = kDecodeMessageKept; cut + 3 >= kDecodeMessageKept && cut > 0; --cut) {
        if (!IsContinuationByte(text[cut]))
            return cut;
    }
    return kDecodeMessageKept;
}

} // namespace

uint32_t BigEndianToHost32(const unsigned char* bytes) {
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | uint32_t{bytes[3]};
}

double BigEndianToHostDouble(const unsigned char* bytes) {
    const uint64_t bits = uint64_t{BigEndianToHost32(bytes)} << 32 | BigEndianToHost32(bytes + 4);
    return std::bit_cast<double>(bits);
}

bool ReadHeader(const void* data, size_t size, WsjtxHeader& header) {
    WireReader reader(data, size);
    uint32_t magic;
    WsjtxHeader read;
    if (!reader.U32(magic) || magic != kWsjtxMagic || !reader.U32(read.schema) || !reader.U32(read.type))
        return false;
    header = read;
    return true;
}

bool ReadDecode(const void* body, size_t size, WsjtxDecode& decode) {
    WireReader reader(body, size);
    WsjtxDecode read;
    unsigned char isNew;
    const unsigned char* text;
    uint32_t length;
    if (!reader.SkipString() || !reader.Byte(isNew))
        return false;
    uint32_t timeMs;
    if (!reader.U32(timeMs) || !reader.I32(read.snr) || !reader.Double(read.deltaTime) ||
        !reader.I32(read.deltaFrequency))
        return false;
    if (!reader.SkipString() || !reader.String(text, length))
        return false;
    read.isNew = isNew == 1;
    read.timeSeconds = static_cast<int32_t>(timeMs) / 1000;
    std::memcpy(read.message, text, KeptMessageBytes(text, length));
    decode = read;
    return true;
}

const char* WsjtxTypeName(uint32_t type) {
    static constexpr const char* kNames[] = {
        "Heartbeat",
        "Status",
        "Decode",
        "Clear",
        "Reply",
        "QSOLogged",
        "Close",
        "Replay",
        "HaltTx",
        "FreeText",
        nullptr,
        "Location",
        "LoggedADIF",
        "HighlightCallsign",
        "SwitchConfiguration",
        "Configure",
    };
    return type < std::size(kNames) ? kNames[type] : nullptr;
}
