#include "clock/ShiftSystemTime.h"

#include "clock/SystemClock.h"
#include "clock/TimeShift.h"
#include "framework/WinApp.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

static_assert(sizeof(SHELLEXECUTEINFOA) == 112, "the elevated start's record is the 64-bit one");

namespace {

// Starts Tavrel.exe elevated. The file is named by its full path in this executable's folder, so a
// Tavrel.exe in the current directory or on the search path is never the one elevated.
void StartElevatedInstance(const std::string& parameters) {
    char modulePath[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return; // no path, or a truncated one that could name another file
    }
    const std::string folder = ExecutableFolder(modulePath);
    if (folder.empty()) {
        return;
    }
    const std::string file = folder + "\\Tavrel.exe";

    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = 0;
    info.hwnd = nullptr;
    info.lpVerb = "runas";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    info.hInstApp = nullptr;
    // The outcome is not examined: a declined consent or a missing file is the shell's to report.
    ::ShellExecuteExA(&info);
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
    StartElevatedInstance(parameters);
    return 1;
}

int ApplyTimeShift(double shift) {
    if (ShiftClock(SystemClock(), shift) == ShiftOutcome::Set) {
        return 1;
    }
    AppMessageBox("Failed to set the system time", MB_OK);
    return 0;
}
