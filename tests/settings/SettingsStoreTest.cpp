#include <gtest/gtest.h>

#include <string>

#include "settings/win/SettingsStore.h"
#include "support/ScopedSettings.h"

namespace {

TEST(SettingsStore, ReadingNeverCreatesTheKeyAndGivesTheDefaults) {
    ScopedSettings sandbox;
    SettingsKey key = OpenSettingsForRead();
    EXPECT_FALSE(key);
    EXPECT_FALSE(ScopedSettings::KeyExists());
    EXPECT_EQ(std::nullopt, ReadDwordSetting(key, "Strategy"));
    EXPECT_EQ(1000u, ReadSetting(key, kMaxEntriesSetting));
    EXPECT_EQ("127.0.0.1", ReadSetting(key, kUdpServerSetting));
    EXPECT_FALSE(OpenSettingsForUpdate()); // full access without creating
    EXPECT_FALSE(ScopedSettings::KeyExists());
}

TEST(SettingsStore, WritesCreateTheKeyAndReadBack) {
    ScopedSettings sandbox;
    {
        SettingsKey key = OpenSettingsForWrite();
        ASSERT_TRUE(key);
        EXPECT_TRUE(WriteDwordSetting(key, "MaxEntries", 250));
        EXPECT_TRUE(WriteStringSetting(key, "UdpServer", "239.255.0.1"));
        EXPECT_TRUE(WriteStringSetting(key, "UdpPort", ""));
    }
    SettingsKey key = OpenSettingsForRead();
    ASSERT_TRUE(key);
    EXPECT_EQ(250u, ReadSetting(key, kMaxEntriesSetting));
    EXPECT_EQ("239.255.0.1", ReadSetting(key, kUdpServerSetting));
    // An empty stored text is a text, not a missing value.
    EXPECT_EQ(std::optional<std::string>(""), ReadStringSetting(key, "UdpPort"));
}

TEST(SettingsStore, NumbersOfAnyTypeUpToFourBytes) {
    ScopedSettings sandbox;
    ScopedSettings::SetString("Strategy", "1"); // "1\0": 0x31, 0x00
    const unsigned char three[3] = {0x01, 0x02, 0x03};
    ScopedSettings::SetRaw("Three", REG_BINARY, three, sizeof three);
    const unsigned char five[5] = {1, 2, 3, 4, 5};
    ScopedSettings::SetRaw("Five", REG_BINARY, five, sizeof five);
    const uint64_t wide = 7;
    ScopedSettings::SetRaw("Wide", REG_QWORD, &wide, sizeof wide);
    ScopedSettings::SetRaw("Empty", REG_BINARY, nullptr, 0);

    SettingsKey key = OpenSettingsForRead();
    EXPECT_EQ(49u, ReadDwordSetting(key, "Strategy"));
    EXPECT_EQ(0x030201u, ReadDwordSetting(key, "Three"));
    EXPECT_EQ(std::nullopt, ReadDwordSetting(key, "Five"));
    EXPECT_EQ(std::nullopt, ReadDwordSetting(key, "Wide"));
    EXPECT_EQ(0u, ReadDwordSetting(key, "Empty"));
    // A value too long for a number does not stop the others from being read.
    EXPECT_EQ(1000u, ReadSetting(key, DwordSetting{"Five", 1000}));
}

TEST(SettingsStore, TextsUpToTheBufferSizeWhateverTheirType) {
    ScopedSettings sandbox;
    const std::string full(kSettingTextSize, 'x'); // fills the buffer, no terminating zero
    ScopedSettings::SetRaw("Full", REG_BINARY, full.data(), (DWORD)full.size());
    const std::string longer(kSettingTextSize + 1, 'y');
    ScopedSettings::SetRaw("Longer", REG_BINARY, longer.data(), (DWORD)longer.size());
    ScopedSettings::SetString("Fits", std::string(kSettingTextSize - 1, 'z'));
    ScopedSettings::SetString("TooLong", std::string(kSettingTextSize, 'z')); // 201 bytes with its zero
    const uint32_t number = 0x00434241;
    ScopedSettings::SetRaw("Number", REG_DWORD, &number, sizeof number);

    SettingsKey key = OpenSettingsForRead();
    EXPECT_EQ(full, ReadStringSetting(key, "Full"));
    EXPECT_EQ(std::nullopt, ReadStringSetting(key, "Longer"));
    EXPECT_EQ(std::string(kSettingTextSize - 1, 'z'), ReadStringSetting(key, "Fits"));
    EXPECT_EQ(std::nullopt, ReadStringSetting(key, "TooLong"));
    EXPECT_EQ("ABC", ReadStringSetting(key, "Number"));
    EXPECT_EQ("2237", ReadSetting(key, kUdpPortSetting)); // absent: the default
}

TEST(SettingsStore, WrittenTextsKeepToTheEditFieldLimit) {
    ScopedSettings sandbox;
    const std::string overlong(500, 'a');
    {
        SettingsKey key = OpenSettingsForWrite();
        WriteStringSetting(key, "Server1", overlong.c_str());
    }
    SettingsKey key = OpenSettingsForRead();
    EXPECT_EQ(std::string(kSettingTextSize - 1, 'a'), ReadStringSetting(key, "Server1"));
}

TEST(SettingsStore, DeletingMissingOrPresentValues) {
    ScopedSettings sandbox;
    ScopedSettings::SetDword("Left", 10);
    SettingsKey key = OpenSettingsForUpdate();
    ASSERT_TRUE(key);
    EXPECT_TRUE(DeleteSetting(key, "Left"));
    EXPECT_TRUE(DeleteSetting(key, "Right")); // never stored
    EXPECT_FALSE(ScopedSettings::HasValue("Left"));
    EXPECT_FALSE(DeleteSetting(SettingsKey(), "Top"));
    EXPECT_FALSE(WriteDwordSetting(SettingsKey(), "Top", 1));
}

} // namespace
