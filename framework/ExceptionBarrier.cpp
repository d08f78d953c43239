#include "framework/ExceptionBarrier.h"

#include "framework/Win32.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

void AbortInDebugBuilds(const char*) {
#ifndef NDEBUG
    std::abort();
#endif
}

std::atomic<StoppedExceptionHandler> g_handler{AbortInDebugBuilds};

} // namespace

void ReportStoppedException(const char* where) noexcept {
    const char* what = "not a standard exception";
    try {
        throw;
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
    }
    char trace[512];
    std::snprintf(trace, sizeof trace, "Tavrel: exception stopped in %s: %s\n", where, what);
    ::OutputDebugStringA(trace);
    g_handler.load()(trace);
}

StoppedExceptionHandler SetStoppedExceptionHandler(StoppedExceptionHandler handler) noexcept {
    return g_handler.exchange(handler ? handler : AbortInDebugBuilds);
}
