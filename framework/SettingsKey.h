#pragma once
#include "framework/Win32.h"

#include <utility>

// An open registry key, closed when the object goes.
class SettingsKey {
public:
    SettingsKey() = default;
    explicit SettingsKey(HKEY key) : m_key(key) {}
    ~SettingsKey() { Close(); }
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;
    SettingsKey(SettingsKey&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}
    SettingsKey& operator=(SettingsKey&& other) noexcept {
        if (this != &other) {
            Close();
            m_key = std::exchange(other.m_key, nullptr);
        }
        return *this;
    }

    HKEY Get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }
    void Close() {
        if (m_key) {
            ::RegCloseKey(std::exchange(m_key, nullptr));
        }
    }

private:
    HKEY m_key = nullptr;
};
