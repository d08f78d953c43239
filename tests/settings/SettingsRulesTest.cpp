#include "settings/SettingsRules.h"
#include "text/NumberText.h"
#include "settings/SettingsSchema.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

TEST(SettingsRules, MaxEntriesFromTextIsClampedUnsigned) {
    const struct {
        const char* text;
        uint32_t stored;
    } cases[] = {
        {"5", 10},
        {"99999", 10000},
        {"", 10},
        {"-3", 10000},
        {"12abc", 12},
        {"10", 10},
        {"10000", 10000},
        {"10001", 10000},
        {"1000", 1000},
        {"0", 10},
        {"4294967306", 10000}, // overflow saturates: not the low 32 bits (10)
        {"-2147483649", 10000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MaxEntriesFromText(c.text), c.stored) << c.text;
}

TEST(SettingsRules, StoredMaxEntriesShownInRange) {
    const struct {
        uint32_t stored;
        const char* text;
    } cases[] = {{5, "10"},        {0, "10"},        {1000, "1000"},
                 {10000, "10000"}, {10001, "10000"}, {0xFFFFFFFF, "10000"}};
    for (const auto& c : cases)
        EXPECT_EQ(MaxEntriesText(c.stored), c.text) << c.stored;
}

TEST(SettingsRules, StoredValuesAreClampedUnsignedToTheSetupLimits) {
    const struct {
        uint32_t stored, maxEntries, strategy;
    } cases[] = {
        {0, 10, 0},
        {2, 10, 2},
        {3, 10, 2},
        {9, 10, 2},
        {10, 10, 2},
        {10000, 10000, 2},
        {10001, 10000, 2},
        {0x7FFFFFFF, 10000, 2},
        {0xFFFFFFFF, 10000, 2}, // a stored -1
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClampMaxEntries(c.stored), c.maxEntries) << c.stored;
        EXPECT_EQ(ClampStrategy(c.stored), c.strategy) << c.stored;
    }
    EXPECT_EQ(ClampStrategy(1), 1u);
    EXPECT_EQ(ClampMaxEntries(1000), 1000u);
}

TEST(SettingsRules, StrategyButtonsRoundTrip) {
    for (uint32_t strategy = 0; strategy < kStrategyCount; ++strategy) {
        const int button = StrategyButton(strategy);
        EXPECT_EQ(button, static_cast<int>(strategy));
        EXPECT_EQ(StrategyFromButtons(button == 1, button == 2), strategy);
    }
    for (uint32_t strategy : {3u, 7u, 0xFFFFFFFFu}) {
        EXPECT_EQ(StrategyButton(strategy), -1) << strategy;
    }
    EXPECT_EQ(StrategyFromButtons(false, false), 0u); // no button checked stores the first strategy
    EXPECT_EQ(StrategyFromButtons(true, true), 1u);
}

TEST(SettingsRules, LastIndexOutOfRangeIsFirstServer) {
    for (uint32_t index : {0u, 1u, 2u})
        EXPECT_EQ(LastIndexFromStore(index), index);
    for (uint32_t index : {3u, 5u, 0xFFFFFFFFu})
        EXPECT_EQ(LastIndexFromStore(index), 0u) << index;
}

TEST(SettingsRules, ListenerEndpointFromStoredTexts) {
    const struct {
        const char* text;
        uint16_t port;
    } cases[] = {
        {nullptr, 2237}, {"", 2237},       {"0", 2237},   {"abc", 2237},   {"2238", 2238},   {" 2240x", 2240},
        {"70000", 4464}, {"65535", 65535}, {"-1", 65535}, {"65536", 2237}, {"131072", 2237},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ListenerPort(c.text), c.port) << (c.text ? c.text : "(null)");

    EXPECT_EQ(ListenerServer(""), "127.0.0.1");
    EXPECT_EQ(ListenerServer(nullptr), "127.0.0.1");
    EXPECT_EQ(ListenerServer("239.255.0.1"), "239.255.0.1");
}

TEST(SettingsRules, TextFromValueBufferNeverReadsPastIt) {
    // A value that fills the whole buffer without a zero keeps every byte (the heap copy has exactly
    // the buffer's size, so ASan sees any read beyond it).
    const std::vector<char> full(kSettingTextSize, 'a');
    EXPECT_EQ(TextFromValueBuffer(full.data(), full.size()), std::string(kSettingTextSize, 'a'));

    std::vector<char> buffer(kSettingTextSize, 'g');
    std::string("1.2.3.4").copy(buffer.data(), 7);
    buffer[7] = '\0';
    EXPECT_EQ(TextFromValueBuffer(buffer.data(), buffer.size()), "1.2.3.4");

    const std::vector<char> zeros(kSettingTextSize, '\0');
    EXPECT_EQ(TextFromValueBuffer(zeros.data(), zeros.size()), "");
    EXPECT_EQ(TextFromValueBuffer(nullptr, 0), "");
}

TEST(SettingsRules, DwordFromValueBufferIsLittleEndianOfAtMostFourBytes) {
    const unsigned char bytes[] = {0x31, 0x00, 0x03, 0x04, 0xFF};
    EXPECT_EQ(DwordFromValueBuffer(bytes, 0), 0u);
    EXPECT_EQ(DwordFromValueBuffer(bytes, 2), 49u); // REG_SZ "1"
    EXPECT_EQ(DwordFromValueBuffer(bytes, 4), 0x04030031u);
    EXPECT_EQ(DwordFromValueBuffer(bytes, 5), 0x04030031u);
}

TEST(SettingsSchema, DefaultsAgreeWithTheRules) {
    EXPECT_EQ(ListenerPort(kUdpPortSetting.defaultValue), kDefaultUdpPort);
    EXPECT_EQ(ParseDecimal32(kUdpPortSetting.defaultValue), kDefaultUdpPort);
    EXPECT_EQ(ClampMaxEntries(kMaxEntriesSetting.defaultValue), kMaxEntriesSetting.defaultValue);
    EXPECT_EQ(StrategyButton(kStrategySetting.defaultValue), 0);
    EXPECT_EQ(kColorSelectSetting.defaultValue, 33023u);
    EXPECT_EQ(kColorWarnSetting.defaultValue, 9861370u);
    for (const auto& server : kServerSettings)
        EXPECT_LT(std::string(server.defaultValue).size(), kSettingTextSize);
}

TEST(SettingsSchema, ValueNamesAreDistinct) {
    const std::vector<std::string> names = {
        kStrategySetting.name,   kUdpServerSetting.name,  kUdpPortSetting.name,    kMulticastSetting.name,
        kMaxEntriesSetting.name, kServerSettings[0].name, kServerSettings[1].name, kServerSettings[2].name,
        kLastIndexSetting.name,  kColorTextSetting.name,  kColorBackSetting.name,  kColorSelectSetting.name,
        kColorWarnSetting.name,  kLeftSetting.name,       kTopSetting.name,        kRightSetting.name,
        kBottomSetting.name,
    };
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
}
