#pragma once
#include <cstddef>

#include "intake/WsjtxMessage.h"

// What a received datagram means to its reader: the one decision chain that the main window and the
// console listener share.

// Datagrams outside this size window are dropped unread: below a header and one byte, or above the
// listener's receive buffer. A Decode from WSJT-X started with a rig name, or with a long message,
// easily passes 80 bytes.
inline constexpr size_t kMinDatagramSize = 13;
inline constexpr size_t kMaxDatagramSize = 10240;

enum class DatagramKind {
    Ignored,   // no status text, no row
    Named,     // a message type other than Decode: show its name
    OldDecode, // a Decode replayed by WSJT-X: show "Decode", add nothing
    NewDecode, // show "Decode" and add `decode` as a row and a DT sample
};

enum class IgnoreReason {
    None,
    BadLength,   // outside kMinDatagramSize..kMaxDatagramSize
    WrongMagic,  // not a WSJT-X message
    UnnamedType, // type 10 or above 15
    Undecodable, // a Decode whose fields run past the datagram, or whose DT is not a number
};

struct DatagramEvent {
    DatagramKind kind = DatagramKind::Ignored;
    IgnoreReason reason = IgnoreReason::None;
    WsjtxHeader header;           // as read; schema 0, type 0 when no header was read
    const char* status = nullptr; // status line text; nullptr leaves the status line as it is
    WsjtxDecode decode;           // the Decode's fields for OldDecode and NewDecode
};

DatagramEvent ClassifyDatagram(const void* data, size_t size);

// A short English description of why a datagram was ignored, for verbose output.
const char* IgnoreReasonText(IgnoreReason reason);
