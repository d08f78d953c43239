#pragma once
#include <functional>

// Runs this thread's message loop so windows under test get their messages.
// Pumps everything that is queued now (and what that posts in turn) for at most `ms` milliseconds.
void PumpMessages(unsigned ms = 0);
// Pumps until `done` returns true or `timeoutMs` has passed; returns the last answer of `done`.
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs = 5000);
