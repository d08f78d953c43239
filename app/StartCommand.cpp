#include "app/StartCommand.h"

#include "text/NumberText.h"

StartCommand ParseStartCommand(std::string_view arguments) {
    if (arguments.empty()) {
        return {StartMode::Windowed};
    }
    constexpr std::string_view kSwitch = "/set";
    const size_t at = arguments.find(kSwitch);
    if (at == std::string_view::npos) {
        return {StartMode::Quit};
    }
    // Leading white space is skipped by the number reader; trailing white space never takes part in it.
    return {StartMode::OneShot, ParseNumberText(arguments.substr(at + kSwitch.size()))};
}
