// The browser's "r,g,b" colour texts from the registry, against strtol reading the same components.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "controls/ColorText.h"

namespace {

// One component as strtol reads it, brought into 32 bits the way a 32-bit long would saturate.
uint32_t Component(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    const long clamped = value < INT32_MIN ? INT32_MIN : (value > INT32_MAX ? INT32_MAX : value);
    return static_cast<uint32_t>(clamped) & 0xFF;
}

const char* AfterComma(const char* text) {
    const char* comma = std::strchr(text, ',');
    return comma ? comma + 1 : text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const uint32_t colour = ParseColorText(text);
    FUZZ_CHECK(colour <= 0x00FFFFFF);

    const std::string terminated(text.substr(0, text.find('\0'))); // reading stops at a zero byte
    const char* green = AfterComma(terminated.c_str());
    const char* blue = AfterComma(green);
    FUZZ_CHECK(colour == (Component(terminated.c_str()) | Component(green) << 8 | Component(blue) << 16));
    return 0;
}
