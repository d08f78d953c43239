// Tavrel.exe's entry point.
#include "app/win/TavrelApp.h"
#include "framework/ProcAddress.h"

namespace {

// Before anything else can load a library: only the system folder is searched, never the current
// folder or the program's own (where a planted DLL could wait).
void RestrictDllSearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto restrict = GetProcAddressAs<SetDefaultDllDirectoriesFn>(::GetModuleHandleA("kernel32.dll"),
                                                                 "SetDefaultDllDirectories");
    if (!restrict || !restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        ::SetDllDirectoryA(""); // at least take the current folder out of the search
    }
}

const bool g_dllSearchRestricted = (RestrictDllSearch(), true);

CTavrelApp g_app;

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return g_app.Run(instance, commandLine);
}
