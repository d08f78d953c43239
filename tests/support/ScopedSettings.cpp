#include "support/ScopedSettings.h"

#include <sddl.h>

#include "settings/SettingsSchema.h"

void ScopedSettings::Clear() {
    SetWritable(true); // a test that made it read-only may have ended early
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKeyPath);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
}

bool ScopedSettings::KeyExists() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

void ScopedSettings::SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }
}

bool ScopedSettings::HasValue(const char* name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    const bool found = ::RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return found;
}

ScopedSettings::Values ScopedSettings::Snapshot() {
    Values values;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return values;
    }
    for (DWORD index = 0;; ++index) {
        char name[256];
        BYTE data[1024];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (::RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) {
            break;
        }
        values[name] = {type, std::string(reinterpret_cast<const char*>(data), dataSize)};
    }
    ::RegCloseKey(key);
    return values;
}

bool ScopedSettings::SetWritable(bool writable) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, WRITE_DAC, &key) != ERROR_SUCCESS) {
        return false;
    }
    PSECURITY_DESCRIPTOR sd = nullptr;
    bool done = ::ConvertStringSecurityDescriptorToSecurityDescriptorA(
                    writable ? "D:P(A;;KA;;;WD)" : "D:P(A;;KR;;;WD)", SDDL_REVISION_1, &sd, nullptr) &&
                ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
    ::LocalFree(sd);
    ::RegCloseKey(key);
    return done;
}
