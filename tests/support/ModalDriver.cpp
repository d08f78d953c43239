#include "support/ModalDriver.h"

#include "support/MessagePump.h"

namespace {

struct Search {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char name[16] = {}, caption[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    ::GetWindowTextA(window, caption, sizeof caption);
    if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) && std::string(name) == "#32770" &&
        *search.caption == caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

ModalDriver::ModalDriver(std::string caption, std::function<void(HWND)> steps)
    : m_caption(std::move(caption)), m_steps(std::move(steps)), m_thread([this] { Drive(); }) {}

ModalDriver::~ModalDriver() {
    m_stop = true;
    WaitAnsweringSent([this] { return m_stopped.load(); });
    m_thread.join();
}

void ModalDriver::Drive() {
    const ULONGLONG end = ::GetTickCount64() + 10000;
    while (!m_stop && ::GetTickCount64() < end) {
        Search search{&m_caption, nullptr};
        ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            m_steps(search.found);
            m_done = true;
            break;
        }
        ::Sleep(10);
    }
    m_stopped = true;
}

void ModalDriver::SetText(HWND dialog, int id, const char* text) {
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, (LPARAM)text);
}

void ModalDriver::Press(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)::GetDlgItem(dialog, id));
}
