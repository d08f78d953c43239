#include "intake/DatagramEvent.h"

#include <cmath>

namespace {

DatagramEvent Ignore(DatagramEvent event, IgnoreReason reason) {
    event.kind = DatagramKind::Ignored;
    event.reason = reason;
    return event;
}

} // namespace

DatagramEvent ClassifyDatagram(const void* data, size_t size) {
    DatagramEvent event;
    if (size < kMinDatagramSize || size > kMaxDatagramSize)
        return Ignore(event, IgnoreReason::BadLength);
    if (!ReadHeader(data, size, event.header))
        return Ignore(event, IgnoreReason::WrongMagic);
    const char* name = WsjtxTypeName(event.header.type);
    if (name == nullptr)
        return Ignore(event, IgnoreReason::UnnamedType);
    if (event.header.type == kWsjtxTypeDecode) {
        // A Decode that cannot be read completely, or whose DT is no number, would put a row and a
        // sample of unknown meaning into the window; it is dropped like a foreign datagram.
        const auto* body = static_cast<const unsigned char*>(data) + kWsjtxHeaderSize;
        if (!ReadDecode(body, size - kWsjtxHeaderSize, event.decode) ||
            !std::isfinite(event.decode.deltaTime)) {
            event.decode = {};
            return Ignore(event, IgnoreReason::Undecodable);
        }
        event.kind = event.decode.isNew ? DatagramKind::NewDecode : DatagramKind::OldDecode;
    } else {
        event.kind = DatagramKind::Named;
    }
    event.status = name;
    return event;
}

const char* IgnoreReasonText(IgnoreReason reason) {
    switch (reason) {
    case IgnoreReason::None:
        return "not ignored";
    case IgnoreReason::BadLength:
        return "length outside 13..10240 bytes";
    case IgnoreReason::WrongMagic:
        return "not a WSJT-X message";
    case IgnoreReason::UnnamedType:
        return "message type without a name";
    case IgnoreReason::Undecodable:
        return "Decode fields run past the datagram or DT is not a number";
    }
    return "unknown";
}
