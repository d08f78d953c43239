#pragma once
#include <functional>

// Runs this thread's message loop so windows under test get their messages.
// Pumps everything that is queued now (and what that posts in turn) for at most `ms` milliseconds.
void PumpMessages(unsigned ms = 0);
// Pumps until `done` returns true or `timeoutMs` has passed; returns the last answer of `done`.
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs = 5000);
// Waits until `done` returns true, answering meanwhile only the messages other threads send to this
// thread's windows (a watcher thread asking a window for its text would otherwise wait for ever).
void WaitAnsweringSent(const std::function<bool()>& done);
