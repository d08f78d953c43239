#include "controls/ColorText.h"

#include <cstdint>

namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The leading decimal number of `text`, clamped to the range of a 32-bit long.
std::int32_t LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // Accumulated in 64 bits and held at the limit, so any run of digits is harmless.
    constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kLimit)
            magnitude = kLimit;
    }
    if (negative)
        return static_cast<std::int32_t>(-magnitude); // -2^31 fits
    return static_cast<std::int32_t>(magnitude > INT32_MAX ? INT32_MAX : magnitude);
}

// The text after the first comma, or the whole text when it has none.
std::string_view AfterComma(std::string_view text) {
    const std::size_t comma = text.find(',');
    return comma == std::string_view::npos ? text : text.substr(comma + 1);
}

std::uint32_t LowByte(std::int32_t value) {
    return static_cast<std::uint32_t>(value) & 0xFFu;
}

} // namespace

std::uint32_t ParseColorText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const std::string_view greenText = AfterComma(text);
    const std::string_view blueText = AfterComma(greenText);
    return LowByte(LeadingNumber(text)) | LowByte(LeadingNumber(greenText)) << 8 |
           LowByte(LeadingNumber(blueText)) << 16;
}
