#pragma once
#include <utility>

// The one place where the framework stops exceptions, so that none crosses a Win32 callback (window,
// subclass and dialog procedures, thread procedures, enumeration callbacks). The exception is
// swallowed and the callback gives its fallback answer, but never silently: a line goes to
// OutputDebugString ("Tavrel: exception stopped in <where>: <what>"), and a debug build then calls
// abort() so the fault cannot go unnoticed during development.

// Reports the exception being handled; call it only from inside a catch block.
void ReportStoppedException(const char* where) noexcept;

// Runs `body` and returns its result, or reports the exception it throws and returns `fallback`.
template <class Result, class Body>
Result ExceptionBarrier(const char* where, Result fallback, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        ReportStoppedException(where);
        return fallback;
    }
}

// What a barrier does after the trace line has been written: abort() in debug builds, nothing in
// release builds. Tests that provoke an exception put in their own (null puts the default back) and
// get the line; returns the handler that was in place.
using StoppedExceptionHandler = void (*)(const char* trace);
StoppedExceptionHandler SetStoppedExceptionHandler(StoppedExceptionHandler handler) noexcept;
