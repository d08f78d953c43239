#pragma once
#include <cstdint>
#include <string>

#include "intake/WsjtxMessage.h"

// The cell texts of one decode list row, as the main window and the console listener show them.
struct DecodeRow {
    std::string time;           // "hhmmss"
    std::string snr;            // "%i"
    std::string deltaTime;      // "%.1f"
    std::string deltaFrequency; // "%i"
    std::string message;        // "%s"
    bool warning = false;       // DT outside [-1.0, 1.0] s
};

// "%.2i%.2i%.2i" of the hours, minutes and seconds in `timeSeconds`.
std::string FormatDecodeTime(int32_t timeSeconds);

// A DT outside [-1.0, 1.0] seconds flags the row; the bounds themselves do not.
bool IsDtWarning(double deltaTime);

DecodeRow MakeDecodeRow(const WsjtxDecode& decode);
