#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "settings/SettingsRules.h"
#include "settings/SettingsSchema.h"

// The decode list's colours in the order the setup dialog shows and stores them.
inline constexpr size_t kListColorCount = 4;
inline constexpr DwordSetting kListColorSettings[kListColorCount] = {kColorTextSetting, kColorBackSetting,
                                                                     kColorSelectSetting, kColorWarnSetting};

// Everything the setup dialog edits, as its controls hold it. A default-built record holds the factory
// values: what a first run shows and what "Default" puts back.
struct SetupFields {
    uint32_t strategy = kStrategySetting.defaultValue;
    std::string udpServer = kUdpServerSetting.defaultValue;
    std::string udpPort = kUdpPortSetting.defaultValue;
    std::string maxEntries = MaxEntriesText(kMaxEntriesSetting.defaultValue);
    std::array<std::string, kNtpServerCount> servers = {
        kServerSettings[0].defaultValue, kServerSettings[1].defaultValue, kServerSettings[2].defaultValue};
    std::array<uint32_t, kListColorCount> colors = {
        kListColorSettings[0].defaultValue, kListColorSettings[1].defaultValue,
        kListColorSettings[2].defaultValue, kListColorSettings[3].defaultValue};
    bool multicast = kMulticastSetting.defaultValue != 0;
};
