// Tavrel.exe's command line: only "/set" anywhere in it shifts the clock, by a number or by nothing.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "app/StartCommand.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const StartCommand command = ParseStartCommand(text);
    FUZZ_CHECK(!std::isnan(command.shift));
    FUZZ_CHECK((command.mode == StartMode::Windowed) == text.empty());
    FUZZ_CHECK((command.mode == StartMode::OneShot) == (text.find("/set") != std::string_view::npos));
    FUZZ_CHECK(command.mode == StartMode::OneShot || command.shift == 0.0);
    return 0;
}
