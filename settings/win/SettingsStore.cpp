#include "settings/win/SettingsStore.h"

#include <cstring>

#include "settings/SettingsRules.h"

SettingsKey OpenSettingsForRead() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return {};
    }
    return SettingsKey(key);
}

SettingsKey OpenSettingsForUpdate() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return {};
    }
    return SettingsKey(key);
}

SettingsKey OpenSettingsForWrite() {
    if (SettingsKey key = OpenSettingsForUpdate()) {
        return key;
    }
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return SettingsKey(key);
}

std::optional<uint32_t> ReadDwordSetting(const SettingsKey& key, const char* name) {
    if (!key) {
        return std::nullopt;
    }
    unsigned char bytes[4] = {};
    DWORD size = sizeof bytes;
    if (::RegQueryValueExA(key.Get(), name, nullptr, nullptr, bytes, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return DwordFromValueBuffer(bytes, size);
}

std::optional<std::string> ReadStringSetting(const SettingsKey& key, const char* name) {
    if (!key) {
        return std::nullopt;
    }
    char buffer[kSettingTextSize] = {};
    DWORD size = sizeof buffer;
    if (::RegQueryValueExA(key.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // A text that fills the buffer without a terminating zero keeps all its bytes.
    return TextFromValueBuffer(buffer, sizeof buffer);
}

bool WriteDwordSetting(const SettingsKey& key, const char* name, uint32_t value) {
    const DWORD data = value;
    return key && ::RegSetValueExA(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                   sizeof data) == ERROR_SUCCESS;
}

bool WriteStringSetting(const SettingsKey& key, const char* name, const char* text) {
    if (!key) {
        return false;
    }
    char buffer[kSettingTextSize] = {};
    if (text) {
        std::strncpy(buffer, text, sizeof buffer - 1);
    }
    return ::RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(buffer),
                            (DWORD)std::strlen(buffer) + 1) == ERROR_SUCCESS;
}

bool DeleteSetting(const SettingsKey& key, const char* name) {
    if (!key) {
        return false;
    }
    const LSTATUS status = ::RegDeleteValueA(key.Get(), name);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

uint32_t ReadSetting(const SettingsKey& key, const DwordSetting& setting) {
    return ReadDwordSetting(key, setting.name).value_or(setting.defaultValue);
}

std::string ReadSetting(const SettingsKey& key, const StringSetting& setting) {
    return ReadStringSetting(key, setting.name).value_or(setting.defaultValue);
}
