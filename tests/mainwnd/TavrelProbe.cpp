// tavrel-probe: drives and reads a running Tavrel.exe from outside, for the end-to-end tests.
//   tavrel-probe wait-window [ms]   waits until the main window is visible; prints its process id
//   tavrel-probe no-window [ms]     succeeds when no main window appears within ms
//   tavrel-probe click ID           clicks a button of the main window and waits for its handler
//   tavrel-probe press ID           clicks a button without waiting (for one that runs a modal dialog)
//   tavrel-probe text ID            prints the text of a control
//   tavrel-probe set-text ID TEXT   sets the text of a control
//   tavrel-probe rows               prints the decode list, one row a line, cells tab-separated
//   tavrel-probe row-count          prints the number of rows
//   tavrel-probe boxes [ms]         waits up to ms for message boxes captioned "Tavrel", prints the text
//                                   of each and closes it with OK
//   tavrel-probe checked ID         prints 1 when a check box or toggle button is checked, else 0
//   tavrel-probe ping [ms]          waits up to ms (default 5000) for the window to answer a message;
//                                   prints how long it took in milliseconds, fails when it did not answer
//   tavrel-probe memory             prints the window's process's private bytes and working set
//   tavrel-probe close              closes the main window (as the close box does)
//   tavrel-probe corner             prints the main window's left and top edges
//   tavrel-probe move X Y           moves the main window
//   tavrel-probe system-menu KEY... opens the system menu with the keyboard and types the keys (up, down,
//                                   enter, escape) into it
//   tavrel-probe dialog CAPTION [ms] waits up to ms for a dialog with this caption, prints "id<TAB>text"
//                                   for each visible control with text and cancels the dialog
//   tavrel-probe dialog-click CAPTION ID  waits for that dialog and clicks one of its controls (a button, or
//                                   a static that reports clicks) without waiting for what it does
//   tavrel-probe color STEP...      waits for a colour chooser (of any process) and works it, step by
//                                   step: "rgb R G B" types a colour, "add" adds it to the custom
//                                   colours, "custom N" picks custom colour N (0-15), "print" prints the
//                                   colour as "R G B", "ok" or "cancel" closes the chooser
// Exit code 0 on success, 1 when the window or control is not there, 2 on bad arguments.
#include "framework/Win32.h"

#include <colordlg.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

HWND FindMainWindow() {
    HWND window = nullptr;
    while ((window = ::FindWindowExA(nullptr, window, "#32770", "Tavrel")) != nullptr) {
        if (::GetDlgItem(window, IDC_DECODE_LIST) && ::IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

// Asks `find` again and again until it gives a window or the time is up.
template <class Find> HWND WaitFor(Find find, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND window = find()) {
            return window;
        }
        if (::GetTickCount64() >= end) {
            return nullptr;
        }
        ::Sleep(20);
    }
}

HWND WaitForMainWindow(DWORD timeoutMs) {
    return WaitFor(FindMainWindow, timeoutMs);
}

// Reads a list view of another process through memory lent to it in that process.
class RemoteList {
public:
    explicit RemoteList(HWND list) : m_list(list) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(list, &pid);
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process) {
            m_memory = static_cast<char*>(
                ::VirtualAllocEx(m_process, nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        }
    }
    ~RemoteList() {
        if (m_memory) {
            ::VirtualFreeEx(m_process, m_memory, 0, MEM_RELEASE);
        }
        if (m_process) {
            ::CloseHandle(m_process);
        }
    }
    bool Ok() const { return m_memory != nullptr; }

    std::string Text(int row, int column) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = m_memory + sizeof(LVITEMA);
        item.cchTextMax = kSize - sizeof(LVITEMA);
        ::WriteProcessMemory(m_process, m_memory, &item, sizeof item, nullptr);
        ::SendMessageA(m_list, LVM_GETITEMTEXTA, row, (LPARAM)m_memory);
        char text[kSize] = {};
        ::ReadProcessMemory(m_process, m_memory + sizeof(LVITEMA), text, kSize - sizeof(LVITEMA) - 1,
                            nullptr);
        return text;
    }

private:
    static constexpr size_t kSize = 1024;
    HWND m_list;
    HANDLE m_process = nullptr;
    char* m_memory = nullptr;
};

// Texts are asked of the controls themselves: another process's GetWindowText reads only the caption
// the system keeps, not what an edit control holds.
std::string ControlText(HWND control) {
    char text[512] = {};
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, &ignored);
    return text;
}

HWND WaitForDialog(const char* caption, DWORD timeoutMs) {
    return WaitFor(
        [caption]() -> HWND {
            HWND dialog = ::FindWindowA("#32770", caption);
            return dialog && ::IsWindowVisible(dialog) ? dialog : nullptr;
        },
        timeoutMs);
}

int PrintDialog(const char* caption, DWORD timeoutMs) {
    HWND dialog = WaitForDialog(caption, timeoutMs);
    if (!dialog) {
        return 1;
    }
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::string text = ControlText(child);
        if (::IsWindowVisible(child) && !text.empty()) {
            std::printf("%d\t%s\n", ::GetDlgCtrlID(child), text.c_str());
        }
    }
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    for (int i = 0; i < 200 && ::IsWindow(dialog); ++i) {
        ::Sleep(10);
    }
    return ::IsWindow(dialog) ? 1 : 0;
}

// The system menu as the keyboard opens it (Alt+Space): once its popup shows, the keys go to the window's
// queue, where the menu's own loop takes them.
int UseSystemMenu(HWND main, int count, char** keys) {
    std::vector<WPARAM> codes;
    for (int i = 0; i < count; ++i) {
        const std::string key = keys[i];
        const WPARAM vk = key == "up"       ? VK_UP
                          : key == "down"   ? VK_DOWN
                          : key == "enter"  ? VK_RETURN
                          : key == "escape" ? VK_ESCAPE
                                            : 0;
        if (!vk) {
            return 2;
        }
        codes.push_back(vk);
    }
    ::PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    const DWORD thread = ::GetWindowThreadProcessId(main, nullptr);
    const auto popupShown = [thread] {
        HWND popup = nullptr;
        while ((popup = ::FindWindowExA(nullptr, popup, "#32768", nullptr)) != nullptr) {
            if (::IsWindowVisible(popup) && ::GetWindowThreadProcessId(popup, nullptr) == thread) {
                return true;
            }
        }
        return false;
    };
    for (int i = 0; !popupShown(); ++i) {
        if (i == 150) {
            return 1;
        }
        ::Sleep(20);
    }
    for (const WPARAM vk : codes) {
        ::PostMessageA(main, WM_KEYDOWN, vk, 1);
        ::PostMessageA(main, WM_KEYUP, vk, 0xC0000001);
    }
    return 0;
}

int PrintBoxes(DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    int count = 0;
    do {
        HWND box = nullptr;
        while ((box = ::FindWindowExA(nullptr, nullptr, "#32770", "Tavrel")) != nullptr &&
               !::GetDlgItem(box, IDC_DECODE_LIST)) {
            char text[512] = {};
            ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            std::printf("%s\n", text);
            std::fflush(stdout);
            ++count;
            ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            for (int i = 0; i < 100 && ::IsWindow(box); ++i) {
                ::Sleep(10);
            }
        }
        ::Sleep(20);
    } while (::GetTickCount64() < end);
    return count > 0 ? 0 : 1;
}

HWND WaitForColorChooser(DWORD timeoutMs) {
    return WaitFor(
        []() -> HWND {
            HWND window = nullptr;
            while ((window = ::FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
                if (::GetDlgItem(window, COLOR_RED) && ::IsWindowVisible(window)) {
                    return window;
                }
            }
            return nullptr;
        },
        timeoutMs);
}

// Clicks one of the chooser's 16 custom colour cells (two rows of eight) in the middle.
void ClickCustomColor(HWND chooser, int index) {
    RECT cells{};
    ::GetWindowRect(::GetDlgItem(chooser, COLOR_CUSTOM1), &cells);
    ::MapWindowPoints(nullptr, chooser, reinterpret_cast<POINT*>(&cells), 2);
    const int width = (cells.right - cells.left) / 8, height = (cells.bottom - cells.top) / 2;
    const int x = cells.left + (index % 8) * width + width / 2;
    const int y = cells.top + (index / 8) * height + height / 2;
    ::SendMessageA(chooser, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(chooser, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

int WorkColorChooser(int count, char** steps) {
    HWND chooser = WaitForColorChooser(5000);
    if (!chooser) {
        std::fprintf(stderr, "no colour chooser\n");
        return 1;
    }
    const int fields[] = {COLOR_RED, COLOR_GREEN, COLOR_BLUE};
    for (int i = 0; i < count; ++i) {
        const std::string step = steps[i];
        if (step == "rgb" && i + 3 < count) {
            for (int field : fields) {
                ::SendMessageA(::GetDlgItem(chooser, field), WM_SETTEXT, 0, (LPARAM)steps[++i]);
            }
        } else if (step == "add") {
            ::SendMessageA(::GetDlgItem(chooser, COLOR_ADD), BM_CLICK, 0, 0);
        } else if (step == "custom" && i + 1 < count) {
            ClickCustomColor(chooser, std::atoi(steps[++i]));
        } else if (step == "print") {
            for (int field : fields) {
                char text[16] = {};
                ::SendMessageA(::GetDlgItem(chooser, field), WM_GETTEXT, sizeof text, (LPARAM)text);
                std::printf(field == COLOR_RED ? "%s" : " %s", text);
            }
            std::printf("\n");
            std::fflush(stdout);
        } else if (step == "ok" || step == "cancel") {
            // Posted: the chooser's owner may be waiting for this process.
            const int id = step == "ok" ? IDOK : IDCANCEL;
            ::PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                           (LPARAM)::GetDlgItem(chooser, id));
            for (int wait = 0; wait < 250 && ::IsWindow(chooser); ++wait) {
                ::Sleep(20);
            }
            return ::IsWindow(chooser) ? 1 : 0;
        } else {
            return 2;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    const std::string command = argv[1];
    const auto number = [&](int index, long fallback) {
        return argc > index ? std::strtol(argv[index], nullptr, 10) : fallback;
    };

    if (command == "boxes") {
        return PrintBoxes((DWORD)number(2, 3000));
    }
    if (command == "dialog" && argc >= 3) {
        return PrintDialog(argv[2], (DWORD)number(3, 5000));
    }
    if (command == "dialog-click" && argc >= 4) {
        HWND dialog = WaitForDialog(argv[2], 5000);
        HWND control = dialog ? ::GetDlgItem(dialog, (int)number(3, 0)) : nullptr;
        if (!control) {
            return 1;
        }
        // Mouse messages rather than BM_CLICK, so a static that reports clicks gets them too.
        ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        return 0;
    }
    if (command == "color") {
        return WorkColorChooser(argc - 2, argv + 2);
    }
    if (command == "no-window") {
        return WaitForMainWindow((DWORD)number(2, 2000)) ? 1 : 0;
    }
    HWND main = WaitForMainWindow(command == "wait-window" ? (DWORD)number(2, 10000) : 2000);
    if (!main) {
        std::fprintf(stderr, "no Tavrel window\n");
        return 1;
    }
    if (command == "wait-window") {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(main, &pid);
        std::printf("%lu\n", pid);
        return 0;
    }
    if (command == "close") {
        ::PostMessageA(main, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == "corner") {
        RECT rc{};
        ::GetWindowRect(main, &rc);
        std::printf("%ld %ld\n", rc.left, rc.top);
        return 0;
    }
    if (command == "move" && argc >= 4) {
        ::SetWindowPos(main, nullptr, (int)number(2, 0), (int)number(3, 0), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return 0;
    }
    if (command == "system-menu") {
        return UseSystemMenu(main, argc - 2, argv + 2);
    }
    if (command == "ping") {
        const ULONGLONG start = ::GetTickCount64();
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, (UINT)number(2, 5000), &result)) {
            return 1;
        }
        std::printf("%llu\n", ::GetTickCount64() - start);
        return 0;
    }
    if (command == "memory") {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(main, &pid);
        HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
        PROCESS_MEMORY_COUNTERS counters{};
        const BOOL ok = process && ::GetProcessMemoryInfo(process, &counters, sizeof counters);
        if (process) {
            ::CloseHandle(process);
        }
        if (!ok) {
            return 1;
        }
        std::printf("%zu %zu\n", (size_t)counters.PagefileUsage, (size_t)counters.WorkingSetSize);
        return 0;
    }
    if (command == "rows" || command == "row-count") {
        HWND list = ::GetDlgItem(main, IDC_DECODE_LIST);
        const int rows = (int)::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
        if (command == "row-count") {
            std::printf("%d\n", rows);
            return 0;
        }
        RemoteList remote(list);
        if (!remote.Ok()) {
            return 1;
        }
        for (int row = 0; row < rows; ++row) {
            std::string line;
            for (int column = 0; column < 5; ++column) {
                line += (column ? "\t" : "") + remote.Text(row, column);
            }
            std::printf("%s\n", line.c_str());
        }
        return 0;
    }
    if (argc < 3) {
        return 2;
    }
    HWND control = ::GetDlgItem(main, (int)number(2, 0));
    if (!control) {
        return 1;
    }
    if (command == "click") {
        ::SendMessageA(control, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "checked") {
        std::printf("%d\n", ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        return 0;
    }
    if (command == "press") {
        ::PostMessageA(control, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == "text") {
        std::printf("%s\n", ControlText(control).c_str());
        return 0;
    }
    if (command == "set-text" && argc >= 4) {
        ::SendMessageA(control, WM_SETTEXT, 0, (LPARAM)argv[3]);
        return 0;
    }
    return 2;
}
