#include "controls/ColorText.h"

#include "text/NumberText.h"

#include <cstdint>

namespace {

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
    return LowByte(ParseDecimal32(text)) | LowByte(ParseDecimal32(greenText)) << 8 |
           LowByte(ParseDecimal32(blueText)) << 16;
}
