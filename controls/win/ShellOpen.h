#pragma once
#include "framework/Win32.h"

// The one place where the controls hand a target to the shell. Production calls ShellExecuteA; a test
// puts a recorder in its place to see what would be opened without starting a browser or mail program.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                                LPCSTR directory, INT showCommand);

// Runs the verb "open" on `target` with the given show command; the result is the shell's: greater
// than 32 means the target was opened.
INT_PTR ShellOpen(const char* target, int showCommand);

// Replaces the shell call; null puts ShellExecuteA back. Returns the one that was in place.
ShellExecuteFunction SetShellExecuteFunction(ShellExecuteFunction function);
