#include "tools/ListenOptions.h"

const char kListenUsage[] =
    "Usage: tavrel-listen [options]\n"
    "Prints what Tavrel would do with each WSJT-X datagram: the five columns of every new decode,\n"
    "tab-separated, or the name of any other message. Ctrl+C ends it.\n"
    "\n"
    "  -s, --server ADDRESS   address to listen on, or multicast group to join (default: the stored\n"
    "                         setting, else 127.0.0.1)\n"
    "  -p, --port PORT        UDP port (default: the stored setting, else 2237)\n"
    "  -m, --multicast        join ADDRESS as a multicast group\n"
    "  -u, --unicast          bind ADDRESS as a local address\n"
    "  -v, --verbose          also say why a datagram is ignored\n"
    "  -h, --help             show this text\n"
    "      --version          print the version line and exit\n";

ListenOptions ParseListenOptions(const std::vector<std::string>& args) {
    ListenOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::optional<std::string>& target) {
            if (i + 1 >= args.size()) {
                options.error = "option " + arg + " needs a value";
                return;
            }
            target = args[++i];
        };
        if (arg == "-s" || arg == "--server") {
            value(options.server);
        } else if (arg == "-p" || arg == "--port") {
            value(options.port);
        } else if (arg == "-m" || arg == "--multicast") {
            options.multicast = true;
        } else if (arg == "-u" || arg == "--unicast") {
            options.multicast = false;
        } else if (arg == "-v" || arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "-h" || arg == "--help" || arg == "/?") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else {
            options.error = "unknown option " + arg;
        }
        if (!options.error.empty()) {
            break;
        }
    }
    return options;
}
