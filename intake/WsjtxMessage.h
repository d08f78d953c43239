#pragma once
#include <cstddef>
#include <cstdint>

// WSJT-X network messages as far as Tavrel needs them: the header of every datagram and the fields
// of a Decode. All integers on the wire are big-endian; strings are a 32-bit byte count followed by
// that many UTF-8 bytes, the count 0xFFFFFFFF meaning a null string.

inline constexpr uint32_t kWsjtxMagic = 0xADBCCBDA;
inline constexpr size_t kWsjtxHeaderSize = 12;
inline constexpr uint32_t kWsjtxNullString = 0xFFFFFFFF;
inline constexpr uint32_t kWsjtxTypeDecode = 2;

// Bytes of the decoded text kept (fewer where the cut would split a UTF-8 character), and the size of
// the zero-filled field that holds them.
inline constexpr size_t kDecodeMessageKept = 32;
inline constexpr size_t kDecodeMessageSize = 64;

struct WsjtxHeader {
    uint32_t schema = 0;
    uint32_t type = 0;
};

struct WsjtxDecode {
    bool isNew = false;
    int32_t timeSeconds = 0;               // seconds since midnight UTC
    int32_t snr = 0;                       // dB
    double deltaTime = 0.0;                // seconds
    int32_t deltaFrequency = 0;            // Hz
    char message[kDecodeMessageSize] = {}; // always zero-terminated
};

// Big-endian values at `bytes` (which need no alignment) as host values.
uint32_t BigEndianToHost32(const unsigned char* bytes);
double BigEndianToHostDouble(const unsigned char* bytes);

// Reads the 12-byte header. Returns false, leaving `header` as it was, when fewer than 12 bytes are
// given or the magic number does not match.
bool ReadHeader(const void* data, size_t size, WsjtxHeader& header);

// Reads a Decode body: the bytes that follow the header. Returns false, leaving `decode` as it was,
// when any field it reads (including the id, mode and message texts) runs past `size` bytes; nothing
// beyond `size` is ever read. Fields after the message are not needed and not checked.
bool ReadDecode(const void* body, size_t size, WsjtxDecode& decode);

// The name of a message type as the status line shows it; nullptr for types without one.
const char* WsjtxTypeName(uint32_t type);
