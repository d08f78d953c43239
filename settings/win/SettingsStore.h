#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "framework/SettingsKey.h"
#include "settings/SettingsSchema.h"

// The per-user settings key "SOFTWARE\Morvind\Tavrel" under HKEY_CURRENT_USER. Every batch of reads or
// writes opens the key, does its work and lets the key close. Nothing here ever shows a message: a
// missing key or value reads as absent (the caller's default), a failed write is only reported back.

// Read-only; never creates the key. Empty when the key cannot be opened.
SettingsKey OpenSettingsForRead();
// Full access; creates the key when it is missing. Empty when neither works.
SettingsKey OpenSettingsForWrite();
// Full access, but never creates the key (the window position's load and reset).
SettingsKey OpenSettingsForUpdate();

// A value of at most 4 bytes, of any registry type, as a little-endian number (missing high bytes 0);
// absent when missing, longer than 4 bytes, or the key is not open.
std::optional<uint32_t> ReadDwordSetting(const SettingsKey& key, const char* name);
// A value of at most kSettingTextSize bytes, of any registry type, up to its first zero byte; absent
// when missing, longer, or the key is not open. An empty stored text is an empty text, not absent.
std::optional<std::string> ReadStringSetting(const SettingsKey& key, const char* name);

bool WriteDwordSetting(const SettingsKey& key, const char* name, uint32_t value);
// REG_SZ with its terminating zero; texts longer than kSettingTextSize - 1 characters are cut there,
// as the edit fields they come from hold no more.
bool WriteStringSetting(const SettingsKey& key, const char* name, const char* text);
// Removes one value; a missing value is not an error.
bool DeleteSetting(const SettingsKey& key, const char* name);

// The schema's values with their defaults.
uint32_t ReadSetting(const SettingsKey& key, const DwordSetting& setting);
std::string ReadSetting(const SettingsKey& key, const StringSetting& setting);
