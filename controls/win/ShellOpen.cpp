#include "controls/win/ShellOpen.h"

#include <shellapi.h>

namespace {

ShellExecuteFunction g_shellExecute = ::ShellExecuteA;

} // namespace

INT_PTR ShellOpen(const char* target, int showCommand) {
    return (INT_PTR)g_shellExecute(nullptr, "open", target, nullptr, nullptr, showCommand);
}

ShellExecuteFunction SetShellExecuteFunction(ShellExecuteFunction function) {
    const ShellExecuteFunction previous = g_shellExecute;
    g_shellExecute = function ? function : ::ShellExecuteA;
    return previous;
}
