#pragma once
#include <cstddef>
#include <cstdint>

// Every persistent value of Tavrel: its registry name, type, default and limits. The registry store,
// the windows and the listener take them from here and nowhere else.
//
// All values live under HKEY_CURRENT_USER in one key.
inline constexpr char kSettingsKeyPath[] = "SOFTWARE\\Morvind\\Tavrel";

// Registry value types, numbered as the registry numbers them (REG_NONE, REG_SZ, REG_DWORD).
enum class SettingType : uint32_t {
    None = 0,
    String = 1,
    Dword = 4,
};

// A number value with its default when absent.
struct DwordSetting {
    static constexpr SettingType type = SettingType::Dword;
    const char* name;
    uint32_t defaultValue;
};

// A text value with its default when absent.
struct StringSetting {
    static constexpr SettingType type = SettingType::String;
    const char* name;
    const char* defaultValue;
};

// A number value without a default: absent means "not set".
struct OptionalDwordSetting {
    static constexpr SettingType type = SettingType::Dword;
    const char* name;
};

// A name that is never written or read, only deleted.
struct RetiredSetting {
    static constexpr SettingType type = SettingType::None;
    const char* name;
};

// Texts are read and written through a buffer of this many bytes, so a written text has at most
// kSettingTextSize - 1 characters.
inline constexpr size_t kSettingTextSize = 200;

// Estimation strategy: 0 median filter, 1 fixed min-max, 2 weighed sum; the main window brings other
// stored numbers into range (ClampStrategy).
inline constexpr DwordSetting kStrategySetting{"Strategy", 0};
inline constexpr uint32_t kStrategyCount = 3;

// The WSJT-X endpoint: a local IPv4 address, or a multicast group when "Multicast" is nonzero.
inline constexpr StringSetting kUdpServerSetting{"UdpServer", "127.0.0.1"};
inline constexpr StringSetting kUdpPortSetting{"UdpPort", "2237"};
inline constexpr uint16_t kDefaultUdpPort = 2237;
inline constexpr DwordSetting kMulticastSetting{"Multicast", 0};

// Rows of the decode list and samples of the DT window; kept in range on reading and writing
// (ClampMaxEntries).
inline constexpr DwordSetting kMaxEntriesSetting{"MaxEntries", 1000};
inline constexpr uint32_t kMaxEntriesMin = 10;
inline constexpr uint32_t kMaxEntriesMax = 10000;

// SNTP servers offered by the NTP dialog; an empty text is an unused slot. The defaults are the same
// three names, in this order, everywhere a default list is needed.
inline constexpr size_t kNtpServerCount = 3;
inline constexpr StringSetting kServerSettings[kNtpServerCount] = {
    {"Server1", "pool.ntp.org"},
    {"Server2", "time.nist.gov"},
    {"Server3", "time.cloudflare.com"},
};
// Position of the last queried server among the non-empty ones; out of range reads as 0.
inline constexpr DwordSetting kLastIndexSetting{"LastIndex", 0};

// Decode list colours, 0x00BBGGRR.
inline constexpr DwordSetting kColorTextSetting{"ColorText", 0x00000000};     // black
inline constexpr DwordSetting kColorBackSetting{"ColorBack", 0x00FFFFFF};     // white
inline constexpr DwordSetting kColorSelectSetting{"ColorSelect", 0x000080FF}; // orange
inline constexpr DwordSetting kColorWarnSetting{"ColorWarn", 0x009678FA};     // pink

// The main window's restored position, signed 32-bit screen pixels.
inline constexpr OptionalDwordSetting kLeftSetting{"Left"};
inline constexpr OptionalDwordSetting kTopSetting{"Top"};
// Deleted together with "Left" and "Top" when the position is reset.
inline constexpr RetiredSetting kRightSetting{"Right"};
inline constexpr RetiredSetting kBottomSetting{"Bottom"};
