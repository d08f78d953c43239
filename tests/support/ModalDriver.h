#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

// Works a modal dialog of this process from a thread of its own: waits until a visible dialog with the
// caption appears, then runs `steps` with it there. Meanwhile the test's thread runs the modal loop
// (a click that opens the dialog), which carries out what the steps send. The steps end the dialog,
// posting its OK or Cancel.
class ModalDriver {
public:
    ModalDriver(std::string caption, std::function<void(HWND dialog)> steps);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Whether the dialog appeared and the steps ran to their end.
    bool Done() const { return m_done; }

    // Step helpers, for the driver's thread.
    static void SetText(HWND dialog, int id, const char* text);
    // Posts a button's command, so the driver never waits for a box that the command opens.
    static void Press(HWND dialog, int id);

private:
    void Drive();

    const std::string m_caption;
    const std::function<void(HWND)> m_steps;
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_stopped{false};
    std::thread m_thread;
};
