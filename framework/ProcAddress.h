#pragma once
#include "framework/Win32.h"

// A function of a loaded module by name, as the type the caller knows it has; null when the module or
// the function is missing (an older Windows). The detour through a plain function pointer is how a
// FARPROC becomes another function type without a warning.
template <class Fn> Fn GetProcAddressAs(HMODULE module, const char* name) {
    if (!module) {
        return nullptr;
    }
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}
