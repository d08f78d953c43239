#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>

// Gives a test an empty settings key and removes whatever the test stored when it ends.
class ScopedSettings {
public:
    ScopedSettings() { Clear(); }
    ~ScopedSettings() { Clear(); }
    ScopedSettings(const ScopedSettings&) = delete;
    ScopedSettings& operator=(const ScopedSettings&) = delete;

    static void Clear();
    static bool KeyExists();
    // Stores raw values of any type, the way another program or a hand edit might.
    static void SetRaw(const char* name, DWORD type, const void* data, DWORD size);
    static void SetDword(const char* name, uint32_t value) { SetRaw(name, REG_DWORD, &value, sizeof value); }
    static void SetString(const char* name, const std::string& text) {
        SetRaw(name, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
    }
    static bool HasValue(const char* name);

    // Every value of the key: name -> registry type and raw bytes. Empty when there is no key.
    using Values = std::map<std::string, std::pair<DWORD, std::string>>;
    static Values Snapshot();
    static std::pair<DWORD, std::string> Dword(uint32_t value) {
        return {REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
    }
    static std::pair<DWORD, std::string> String(const std::string& text) { return {REG_SZ, text + '\0'}; }

    // Lets everyone only read the key (as a policy might), or gives full access back. The key must exist.
    static bool SetWritable(bool writable);
};
