#include "support/MessageBoxWatcher.h"

#include <algorithm>
#include <chrono>

#include "support/MessagePump.h"

namespace {

std::string WindowText(HWND window) {
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

// The message text is the box's one static control with text (the icon's static has none).
BOOL CALLBACK FindText(HWND child, LPARAM result) {
    if (_stricmp(ClassName(child).c_str(), "Static") == 0) {
        std::string text = WindowText(child);
        if (!text.empty()) {
            *reinterpret_cast<std::string*>(result) = std::move(text);
            return FALSE;
        }
    }
    return TRUE;
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher(std::string caption, int command)
    : m_caption(std::move(caption)), m_command(command), m_thread([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    m_stop = true;
    WaitAnsweringSent([this] { return m_stopped.load(); });
    m_thread.join();
}

int MessageBoxWatcher::Count() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_texts.size());
}

std::vector<std::string> MessageBoxWatcher::Texts() const {
    std::lock_guard lock(m_mutex);
    return m_texts;
}

bool MessageBoxWatcher::WaitForCount(int count, unsigned timeoutMs) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Count() < count) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        ::Sleep(10);
    }
    return true;
}

void MessageBoxWatcher::Watch() {
    while (!m_stop) {
        {
            std::lock_guard lock(m_mutex);
            std::erase_if(m_closing, [](HWND window) { return !::IsWindow(window); });
        }
        ::EnumWindows(OnWindow, reinterpret_cast<LPARAM>(this));
        ::Sleep(10);
    }
    m_stopped = true;
}

BOOL CALLBACK MessageBoxWatcher::OnWindow(HWND window, LPARAM self) {
    reinterpret_cast<MessageBoxWatcher*>(self)->Consider(window);
    return TRUE;
}

void MessageBoxWatcher::Consider(HWND window) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    // Visible only once its WM_INITDIALOG has set the caption and the text.
    if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window) || ClassName(window) != "#32770" ||
        WindowText(window) != m_caption) {
        return;
    }
    std::lock_guard lock(m_mutex);
    if (std::find(m_closing.begin(), m_closing.end(), window) != m_closing.end()) {
        return;
    }
    std::string text;
    ::EnumChildWindows(window, FindText, reinterpret_cast<LPARAM>(&text));
    m_texts.push_back(std::move(text));
    m_closing.push_back(window);
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(m_command, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, m_command)));
}
