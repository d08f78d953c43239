#pragma once
#include <cstddef>
#include <string>

// The elevated copy's command line and where it is started from.

// The longest "/set %.2f" command line the elevated instance is given, without the terminator.
constexpr size_t kMaxRelaunchParameters = 63;

// The elevated instance's parameters "/set %.2f". 0 when the shift is not finite or the text would be
// longer than kMaxRelaunchParameters.
int FormatRelaunchParameters(double shift, std::string& parameters);

// The folder part of the running executable's path: the text before the last backslash. Empty when the
// path has no backslash, so nothing outside a known folder is ever started.
std::wstring ExecutableFolder(const std::wstring& modulePath);
