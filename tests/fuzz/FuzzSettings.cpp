// A registry value of any type and size, read as the store reads it (a number from at most 4 bytes, a
// text from at most 200) and put through every rule that turns stored values into the ones in use.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzCheck.h"
#include "settings/SettingsRules.h"
#include "text/NumberText.h"
#include "settings/SettingsSchema.h"

namespace {

void CheckNumber(uint32_t stored) {
    const uint32_t maxEntries = ClampMaxEntries(stored);
    FUZZ_CHECK(maxEntries >= kMaxEntriesMin && maxEntries <= kMaxEntriesMax);
    FUZZ_CHECK(stored < kMaxEntriesMin || stored > kMaxEntriesMax || maxEntries == stored);
    // The setup dialog's text stores the same number on its next OK.
    FUZZ_CHECK(MaxEntriesFromText(MaxEntriesText(stored).c_str()) == maxEntries);
    const int button = StrategyButton(stored);
    FUZZ_CHECK(button == -1 || static_cast<uint32_t>(button) == stored);
    FUZZ_CHECK(LastIndexFromStore(stored) < kNtpServerCount);
}

void CheckText(const std::string& text) {
    FUZZ_CHECK(text.size() <= kSettingTextSize && text.find('\0') == std::string::npos);
    // strtol with a 32-bit long: a 64-bit long's result saturated at the 32-bit limits.
    const long wide = std::strtol(text.c_str(), nullptr, 10);
    const int32_t expected = wide < INT32_MIN ? INT32_MIN : (wide > INT32_MAX ? INT32_MAX : (int32_t)wide);
    FUZZ_CHECK(ParseDecimal32(text.c_str()) == expected);
    FUZZ_CHECK(ListenerPort(text.c_str()) != 0);
    FUZZ_CHECK(!ListenerServer(text.c_str()).empty());
    const uint32_t maxEntries = MaxEntriesFromText(text.c_str());
    FUZZ_CHECK(maxEntries >= kMaxEntriesMin && maxEntries <= kMaxEntriesMax);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size <= 4) {
        CheckNumber(DwordFromValueBuffer(data, size));
    }
    if (size <= kSettingTextSize) {
        char buffer[kSettingTextSize] = {};
        std::memcpy(buffer, data, size);
        CheckText(TextFromValueBuffer(buffer, sizeof buffer));
    }
    return 0;
}
