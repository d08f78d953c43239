#pragma once
#include <string_view>

// What the command line asks Tavrel to do.
enum class StartMode {
    Windowed, // empty command line: the main window
    OneShot,  // "/set" somewhere in it: shift the clock once and end
    Quit,     // anything else: end at once, silently
};

struct StartCommand {
    StartMode mode = StartMode::Windowed;
    double shift = 0.0; // seconds, for OneShot
};

// The command-line arguments (the text after the program name). "/set" is found anywhere and only in
// this case; the number after it, with surrounding white space removed, is read as a decimal number
// (0.0 when there is none).
StartCommand ParseStartCommand(std::string_view arguments);
