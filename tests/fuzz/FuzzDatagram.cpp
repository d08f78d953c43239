// Any bytes a sender can put into a datagram, through the reader, the classifier, the row texts and
// tavrel-listen's line.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "FuzzCheck.h"
#include "intake/DatagramEvent.h"
#include "intake/DecodeRow.h"
#include "tools/ListenLine.h"

namespace {

void CheckDecode(const WsjtxDecode& decode) {
    // The text is zero-terminated within the kept bytes, and everything behind them is zero.
    FUZZ_CHECK(std::strlen(decode.message) <= kDecodeMessageKept);
    FUZZ_CHECK(std::all_of(decode.message + kDecodeMessageKept, decode.message + kDecodeMessageSize,
                           [](char c) { return c == 0; }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const DatagramEvent event = ClassifyDatagram(data, size);
    if (event.kind == DatagramKind::Ignored) {
        FUZZ_CHECK(event.status == nullptr);
        FUZZ_CHECK(event.reason != IgnoreReason::None);
    } else {
        FUZZ_CHECK(event.status != nullptr);
        FUZZ_CHECK(size >= kMinDatagramSize && size <= kMaxDatagramSize);
    }
    if (event.kind == DatagramKind::NewDecode || event.kind == DatagramKind::OldDecode) {
        FUZZ_CHECK(std::isfinite(event.decode.deltaTime));
        CheckDecode(event.decode);
        const DecodeRow row = MakeDecodeRow(event.decode);
        FUZZ_CHECK(row.message.size() <= kDecodeMessageKept);
    }
    if (const auto line = ListenLine(event, size, true)) {
        // One datagram, one line; a new decode's line has exactly five fields.
        FUZZ_CHECK(line->find_first_of("\r\n") == std::string::npos);
        if (event.kind == DatagramKind::NewDecode) {
            FUZZ_CHECK(std::count(line->begin(), line->end(), '\t') == 4);
        }
    }

    // The readers on their own, at any offset a caller could hand them.
    WsjtxHeader header;
    ReadHeader(data, size, header);
    WsjtxDecode decode;
    if (ReadDecode(data, size, decode)) {
        CheckDecode(decode);
    }
    return 0;
}
