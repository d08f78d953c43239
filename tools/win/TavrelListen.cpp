// tavrel-listen: shows what reaches Tavrel from WSJT-X, using the program's own listener, decoder and
// settings.
#include "framework/Win32.h"

#include <cstdio>
#include <string>
#include <vector>

#include "intake/win/UdpReceiveSocket.h"
#include "res/ProductInfo.h"
#include "settings/SettingsRules.h"
#include "settings/win/SettingsStore.h"
#include "tools/ListenOptions.h"
#include "tools/win/ListenTool.h"

int main(int argc, char** argv) {
    const ListenOptions options = ParseListenOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) {
        std::fprintf(stderr, "tavrel-listen: %s\n\n%s", options.error.c_str(), kListenUsage);
        return 2;
    }
    if (options.help) {
        std::printf("%s", kListenUsage);
        return 0;
    }
    if (options.version) {
        std::printf("%s\n", TAVREL_VERSION_LINE);
        return 0;
    }

    WSADATA data;
    if (::WSAStartup(MAKEWORD(1, 1), &data) != 0) {
        std::fprintf(stderr, "Windows sockets initialization failed.\n");
        return 1;
    }

    // The stored endpoint and mode, each overridden by the command line when given there.
    ListenerEndpoint endpoint = ListenerEndpointFromSettings();
    if (options.server) {
        endpoint.server = ListenerServer(options.server->c_str());
    }
    if (options.port) {
        endpoint.port = ListenerPort(options.port->c_str());
    }
    const bool multicast =
        options.multicast.value_or(ReadSetting(OpenSettingsForRead(), kMulticastSetting) != 0);

    int exitCode;
    {
        CListenTool tool(endpoint, multicast, options.verbose);
        exitCode = tool.Run();
    }
    ::WSACleanup();
    return exitCode;
}
