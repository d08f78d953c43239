#pragma once
#include <windows.h>

#include <string>
#include <vector>

// While it lives, records what the framework's exception barriers report and keeps them from aborting
// a debug build: the lines they pass to OutputDebugString (caught as the debug-print exception that call
// raises) and the lines their after-trace handler gets. One at a time.
class ExceptionTrace {
public:
    ExceptionTrace();
    ~ExceptionTrace();
    ExceptionTrace(const ExceptionTrace&) = delete;
    ExceptionTrace& operator=(const ExceptionTrace&) = delete;

    // Lines that reached OutputDebugString from this process, in order.
    std::vector<std::string> DebugOutput() const;
    // Lines the barriers' handler was called with, in order.
    std::vector<std::string> Handled() const;

private:
    static LONG CALLBACK OnException(EXCEPTION_POINTERS* info);
    static void OnStopped(const char* trace);
    void* m_vectoredHandler = nullptr;
    void (*m_previousHandler)(const char*) = nullptr;
};
