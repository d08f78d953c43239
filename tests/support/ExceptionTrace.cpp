#include "support/ExceptionTrace.h"

#include <mutex>

#include "framework/ExceptionBarrier.h"

namespace {

std::mutex g_mutex;
std::vector<std::string> g_debugOutput;
std::vector<std::string> g_handled;

} // namespace

ExceptionTrace::ExceptionTrace() {
    {
        std::lock_guard lock(g_mutex);
        g_debugOutput.clear();
        g_handled.clear();
    }
    m_vectoredHandler = ::AddVectoredExceptionHandler(1, OnException);
    m_previousHandler = SetStoppedExceptionHandler(OnStopped);
}

ExceptionTrace::~ExceptionTrace() {
    SetStoppedExceptionHandler(m_previousHandler);
    ::RemoveVectoredExceptionHandler(m_vectoredHandler);
}

LONG CALLBACK ExceptionTrace::OnException(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD& record = *info->ExceptionRecord;
    // OutputDebugStringA raises the narrow code with (length, text); newer systems raise the wide code
    // with the narrow text as its third and fourth parameters.
    const char* text = nullptr;
    if (record.ExceptionCode == DBG_PRINTEXCEPTION_C && record.NumberParameters >= 2) {
        text = reinterpret_cast<const char*>(record.ExceptionInformation[1]);
    } else if (record.ExceptionCode == DBG_PRINTEXCEPTION_WIDE_C && record.NumberParameters >= 4) {
        text = reinterpret_cast<const char*>(record.ExceptionInformation[3]);
    }
    if (text) {
        std::lock_guard lock(g_mutex);
        g_debugOutput.emplace_back(text);
    }
    return EXCEPTION_CONTINUE_SEARCH; // the system still handles it as usual
}

void ExceptionTrace::OnStopped(const char* trace) {
    std::lock_guard lock(g_mutex);
    g_handled.emplace_back(trace);
}

std::vector<std::string> ExceptionTrace::DebugOutput() const {
    std::lock_guard lock(g_mutex);
    return g_debugOutput;
}

std::vector<std::string> ExceptionTrace::Handled() const {
    std::lock_guard lock(g_mutex);
    return g_handled;
}
