#include "tools/ListenLine.h"

#include "intake/DecodeRow.h"

std::optional<std::string> ListenLine(const DatagramEvent& event, size_t size, bool verbose) {
    switch (event.kind) {
    case DatagramKind::NewDecode: {
        const DecodeRow row = MakeDecodeRow(event.decode);
        return row.time + '\t' + row.snr + '\t' + row.deltaTime + '\t' + row.deltaFrequency + '\t' +
               EscapeControls(row.message);
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

std::string EscapeControls(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\t':
            escaped += "\\t";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\\':
            escaped += "\\\\";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                escaped += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
            } else {
                escaped += c;
            }
        }
    }
    return escaped;
}
