#include "settings/SettingsRules.h"

#include <cstring>

#include "settings/SettingsSchema.h"
#include "text/NumberText.h"

uint32_t ClampMaxEntries(uint32_t value) {
    if (value < kMaxEntriesMin)
        return kMaxEntriesMin;
    if (value > kMaxEntriesMax)
        return kMaxEntriesMax;
    return value;
}

uint32_t ClampStrategy(uint32_t value) {
    return value < kStrategyCount ? value : kStrategyCount - 1;
}

uint32_t MaxEntriesFromText(const char* text) {
    return ClampMaxEntries(static_cast<uint32_t>(ParseDecimal32(text)));
}

std::string MaxEntriesText(uint32_t stored) {
    return std::to_string(ClampMaxEntries(stored));
}

int StrategyButton(uint32_t strategy) {
    return strategy < kStrategyCount ? static_cast<int>(strategy) : -1;
}

uint32_t StrategyFromButtons(bool fixedMinMaxChecked, bool weighedSumChecked) {
    if (fixedMinMaxChecked)
        return 1;
    if (weighedSumChecked)
        return 2;
    return 0;
}

uint32_t LastIndexFromStore(uint32_t stored) {
    return stored < kNtpServerCount ? stored : 0;
}

std::string ListenerServer(const char* text) {
    return text == nullptr || *text == '\0' ? kUdpServerSetting.defaultValue : text;
}

uint16_t ListenerPort(const char* text) {
    const auto port = static_cast<uint16_t>(ParseDecimal32(text));
    return port == 0 ? kDefaultUdpPort : port;
}

uint32_t DwordFromValueBuffer(const unsigned char* buffer, size_t size) {
    uint32_t value = 0;
    for (size_t i = size < 4 ? size : 4; i-- > 0;)
        value = value << 8 | buffer[i];
    return value;
}

std::string TextFromValueBuffer(const char* buffer, size_t size) {
    if (size == 0)
        return {};
    const void* end = std::memchr(buffer, '\0', size);
    return std::string(buffer, end != nullptr ? static_cast<const char*>(end) - buffer : size);
}
