#include "clock/Relaunch.h"

#include <cmath>
#include <cstdio>

int FormatRelaunchParameters(double shift, std::string& parameters) {
    if (!std::isfinite(shift)) {
        return 0;
    }
    char text[kMaxRelaunchParameters + 1];
    const int length = std::snprintf(text, sizeof text, "/set %.2f", shift);
    if (length < 0 || static_cast<size_t>(length) > kMaxRelaunchParameters) {
        return 0;
    }
    parameters.assign(text, static_cast<size_t>(length));
    return 1;
}

std::wstring ExecutableFolder(const std::wstring& modulePath) {
    const size_t slash = modulePath.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : modulePath.substr(0, slash);
}
