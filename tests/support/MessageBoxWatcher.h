#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Finds the message boxes this process shows with a given caption (dialog class "#32770"), records the
// text of each, counts them and closes each by posting WM_COMMAND with `command` (IDOK by default). It
// watches from its own thread for its whole life, so the code under test may block in MessageBox on the
// test's thread.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(std::string caption, int command = IDOK);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // How many boxes have been seen (each is closed once seen).
    int Count() const;
    // Their texts, in the order they appeared.
    std::vector<std::string> Texts() const;
    // Waits until at least `count` boxes have been seen; false when `timeoutMs` passes first.
    bool WaitForCount(int count, unsigned timeoutMs = 5000) const;

private:
    static BOOL CALLBACK OnWindow(HWND window, LPARAM self);
    void Watch();
    void Consider(HWND window);

    const std::string m_caption;
    const int m_command;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_texts;
    std::vector<HWND> m_closing; // seen and told to close, until they are gone
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_stopped{false};
    std::thread m_thread;
};
