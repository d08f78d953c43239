#include "clock/win/ShiftSystemTime.h"

#include "clock/SystemClock.h"
#include "clock/ClockTicks.h"
#include "clock/Relaunch.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

static_assert(sizeof(SHELLEXECUTEINFOW) == 112, "the elevated start's record is the 64-bit one");

namespace {

// Starts Tavrel.exe elevated; false when it could not be started: no usable path to this executable,
// the user declined the consent prompt, or the shell could not start the file. The file is named by
// its full path in this executable's folder, so a Tavrel.exe in the current directory or on the
// search path is never the one elevated. Path and start are wide, so any folder name works.
bool StartElevatedInstance(const std::string& parameters) {
    wchar_t modulePath[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, modulePath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return false; // no path, or a truncated one that could name another file
    }
    const std::wstring folder = ExecutableFolder(std::wstring(modulePath, length));
    if (folder.empty()) {
        return false;
    }
    const std::wstring file = folder + L"\\Tavrel.exe";
    const std::wstring wideParameters(parameters.begin(), parameters.end()); // "/set" and a number: ASCII

    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = 0;
    info.hwnd = nullptr;
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpParameters = wideParameters.c_str();
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    info.hInstApp = nullptr;
    // A missing file is the shell's to report (no mask flag silences it); a declined consent says
    // nothing. Either way the caller learns that nothing was started.
    return ::ShellExecuteExW(&info) != FALSE;
}

} // namespace

int ShiftSystemTime(double shift) {
    std::string parameters;
    if (!FormatRelaunchParameters(shift, parameters)) {
        return 0;
    }
    switch (ShiftClock(SystemClock(), shift)) {
    case ShiftOutcome::Set:
        return 1;
    case ShiftOutcome::InvalidShift:
        return 0;
    case ShiftOutcome::Refused:
        break;
    }
    return StartElevatedInstance(parameters) ? 1 : 0;
}
