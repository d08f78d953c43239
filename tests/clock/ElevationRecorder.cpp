// Stands in for Tavrel.exe when the clock tests check the elevated start: writes its own path, its
// current directory and its command-line parameters, one a line in UTF-8, to the file named by
// TAVREL_RECORDER_FILE, and ends. The file appears whole (written aside, then renamed). Wide calls
// throughout, so a folder name outside the ANSI code page is recorded as it is.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? (size_t)size : 1, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR parameters, int) {
    wchar_t target[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"TAVREL_RECORDER_FILE", target, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 2;
    }
    wchar_t module[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    wchar_t directory[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, directory);

    const std::wstring aside = std::wstring(target) + L".part";
    FILE* file = ::_wfopen(aside.c_str(), L"wb");
    if (!file) {
        return 3;
    }
    std::fprintf(file, "%s\n%s\n%s\n", Utf8(module).c_str(), Utf8(directory).c_str(),
                 parameters ? parameters : "");
    std::fclose(file);
    return ::MoveFileExW(aside.c_str(), target, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
