#include "tools/ListenLine.h"

#include "intake/DecodeRow.h"

std::optional<std::string> ListenLine(const DatagramEvent& event, size_t size, bool verbose) {
    switch (event.kind) {
    case DatagramKind::NewDecode: {
        const DecodeRow row = MakeDecodeRow(event.decode);
        return row.time + '\t' + row.snr + '\t' + row.deltaTime + '\t' + row.deltaFrequency + '\t' +
               row.message;
    }
    case DatagramKind::Named:
    case DatagramKind::OldDecode:
        return std::string(event.status);
    case DatagramKind::Ignored:
        break;
    }
    if (!verbose) {
        return std::nullopt;
    }
    return "ignored (" + std::to_string(size) + " bytes): " + IgnoreReasonText(event.reason);
}
