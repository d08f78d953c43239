#pragma once
#include <optional>
#include <string>
#include <vector>

// The command line of tavrel-listen: overrides of the stored endpoint and multicast choice.
struct ListenOptions {
    std::optional<std::string> server;
    std::optional<std::string> port; // as text, so the listener's port rules apply to it too
    std::optional<bool> multicast;
    bool verbose = false;
    bool help = false;
    bool version = false;
    std::string error; // non-empty: the command line was not understood
};

ListenOptions ParseListenOptions(const std::vector<std::string>& args);

extern const char kListenUsage[];
