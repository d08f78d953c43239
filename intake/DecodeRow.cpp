#include "intake/DecodeRow.h"

#include <cstdio>

namespace {

// Enough for any of the row's printf conversions of a 32-bit value or a double with one decimal.
template <typename... Args> std::string Format(const char* format, Args... args) {
    char text[400];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

} // namespace

std::string FormatDecodeTime(int32_t timeSeconds) {
    const int32_t hours = timeSeconds / 3600;
    const int32_t minutes = timeSeconds / 60 - hours * 60;
    const int32_t seconds = timeSeconds % 60;
    return Format("%.2i%.2i%.2i", hours, minutes, seconds);
}

bool IsDtWarning(double deltaTime) {
    return deltaTime < -1.0 || deltaTime > 1.0;
}

DecodeRow MakeDecodeRow(const WsjtxDecode& decode) {
    DecodeRow row;
    row.time = FormatDecodeTime(decode.timeSeconds);
    row.snr = Format("%i", decode.snr);
    row.deltaTime = Format("%.1f", decode.deltaTime);
    row.deltaFrequency = Format("%i", decode.deltaFrequency);
    row.message = decode.message;
    row.warning = IsDtWarning(decode.deltaTime);
    return row;
}
