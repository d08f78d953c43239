// Stands in for Tavrel.exe when the clock tests check the elevated start: writes its own path, its
// current directory and its command-line parameters, one a line, to the file named by
// TAVREL_RECORDER_FILE, and ends. The file appears whole (written aside, then renamed).
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR parameters, int) {
    char target[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("TAVREL_RECORDER_FILE", target, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 2;
    }
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    char directory[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, directory);

    const std::string aside = std::string(target) + ".part";
    FILE* file = std::fopen(aside.c_str(), "wb");
    if (!file) {
        return 3;
    }
    std::fprintf(file, "%s\n%s\n%s\n", module, directory, parameters ? parameters : "");
    std::fclose(file);
    return ::MoveFileExA(aside.c_str(), target, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
