// main-window-timing: the main window's figures under Wine (not a test: it prints, it asserts nothing).
//   main-window-timing.exe [TAVREL_EXE TRIVIAL_EXE]
// Each figure is set beside a yardstick measured in the same run, medians of several runs:
// - working-set growth from 0 to 10,000 rows, beside a plain list view holding the same rows
// - a burst of 50 decodes into a full 1,000-row list: first send to the last row painted
// - one lone decode, send to row painted (50th and 99th percentile), beside a plain list view doing an
//   insert, four texts, EnsureVisible and its paint
// - the process's CPU time while listening idle for 60 s
// - time from starting Tavrel.exe to its visible window, next to a trivial dialog program's
// Run it inside scripts/wine-env.sh, from the repository's root:
//   scripts/wine-env.sh scripts/wine-run.sh build/windows/tests/bin/main-window-timing.exe
//       build/windows/Tavrel.exe build/windows/tests/bin/trivial-dialog.exe
#include "framework/Win32.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "framework/WinApp.h"
#include "intake/WsjtxDatagram.h"
#include "mainwnd/win/TavrelDlg.h"
#include "support/MessagePump.h"
#include "support/ScopedSettings.h"
#include "TestableTavrelDlg.h"

namespace {

constexpr u_short kPort = 2295;
constexpr int kRuns = 5;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

struct RowTexts {
    std::string utc, snr, dt, freq, message;
};

DecodeFields Fields(int i) {
    DecodeFields fields;
    fields.deltaTime = 0.1 * (i % 7) - 0.3;
    fields.snr = -20 + i % 30;
    fields.timeMs = 3600000 + 15000 * (i / 10);
    fields.message = "CQ K" + std::to_string(i % 10) + "ABC FN42";
    return fields;
}

// The texts our window shows for decode i, for the plain list view.
RowTexts Texts(int i) {
    const DecodeFields f = Fields(i);
    char utc[16], dt[16];
    const int s = (int)(f.timeMs / 1000);
    std::snprintf(utc, sizeof utc, "%.2i%.2i%.2i", s / 3600, s / 60 % 60, s % 60);
    std::snprintf(dt, sizeof dt, "%.1f", f.deltaTime);
    return {utc, std::to_string(f.snr), dt, std::to_string(f.deltaFrequency), f.message};
}

class Sender {
public:
    Sender() : m_socket(::socket(AF_INET, SOCK_DGRAM, 0)) {
        m_to.sin_family = AF_INET;
        m_to.sin_port = htons(kPort);
        m_to.sin_addr.s_addr = ::inet_addr("127.0.0.1");
    }
    ~Sender() { ::closesocket(m_socket); }
    void Send(const std::vector<unsigned char>& bytes) const {
        ::sendto(m_socket, reinterpret_cast<const char*>(bytes.data()), (int)bytes.size(), 0,
                 reinterpret_cast<const sockaddr*>(&m_to), sizeof m_to);
    }

private:
    SOCKET m_socket;
    sockaddr_in m_to{};
};

class CTimedDlg : public CTestableTavrelDlg {
public:
    void Feed(int i) {
        const std::vector<unsigned char> bytes = DecodeDatagram(Fields(i));
        ::SendMessageA(m_hWnd, WM_UDP_DATAGRAM, bytes.size(), reinterpret_cast<LPARAM>(bytes.data()));
    }
};

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5))];
}

double WorkingSetMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize / 1048576.0;
}

// Whether a list holds `rows` rows, shows its last one and has nothing left to paint.
bool Painted(HWND list, int rows) {
    if ((int)::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) != rows || ::GetUpdateRect(list, nullptr, FALSE)) {
        return false;
    }
    RECT last{LVIR_BOUNDS, 0, 0, 0}, client;
    ::SendMessageA(list, LVM_GETITEMRECT, rows - 1, (LPARAM)&last);
    ::GetClientRect(list, &client);
    return last.top >= 0 && last.top < client.bottom;
}

// The yardstick: a plain report list view of our list's size.
class PlainList {
public:
    explicit PlainList(HWND like) {
        RECT rc;
        ::GetWindowRect(like, &rc);
        m_list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | WS_VISIBLE | WS_BORDER | LVS_REPORT,
                                   rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                                   nullptr, nullptr);
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        for (const int width : {60, 40, 40, 50, 200}) {
            column.cx = width;
            ::SendMessageA(m_list, LVM_INSERTCOLUMNA, 5, (LPARAM)&column);
        }
    }
    ~PlainList() { ::DestroyWindow(m_list); }
    // Insert, four texts, EnsureVisible; painted when `paint`.
    void Add(const RowTexts& texts, bool paint) const {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = (int)::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0);
        item.pszText = const_cast<char*>(texts.utc.c_str());
        const int row = (int)::SendMessageA(m_list, LVM_INSERTITEMA, 0, (LPARAM)&item);
        const std::string* cells[] = {&texts.snr, &texts.dt, &texts.freq, &texts.message};
        for (int c = 1; c < 5; ++c) {
            item.iSubItem = c;
            item.pszText = const_cast<char*>(cells[c - 1]->c_str());
            ::SendMessageA(m_list, LVM_SETITEMTEXTA, row, (LPARAM)&item);
        }
        ::SendMessageA(m_list, LVM_ENSUREVISIBLE, row, TRUE);
        if (paint) {
            ::UpdateWindow(m_list);
        }
    }
    HWND m_list;
};

// Runs the thread's message loop for `seconds` (a real loop that sleeps until a message comes).
void RunLoop(double seconds) {
    const UINT_PTR timer = ::SetTimer(nullptr, 0, (UINT)(seconds * 1000), nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) {
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    ::KillTimer(nullptr, timer);
}

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](FILETIME t) {
        return double(((ULONGLONG)t.dwHighDateTime << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// Seconds from starting `exe` to a visible top-level window with `caption` in that process.
double TimeToWindow(const std::string& exe, const char* caption) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + exe + "\"";
    const double start = Now();
    if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return -1;
    }
    double elapsed = -1;
    while (Now() - start < 20) {
        HWND window = nullptr;
        while ((window = ::FindWindowExA(nullptr, window, nullptr, caption)) != nullptr) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(window, &pid);
            if (pid == process.dwProcessId && ::IsWindowVisible(window)) {
                elapsed = Now() - start;
                ::PostMessageA(window, WM_CLOSE, 0, 0);
                break;
            }
        }
        if (elapsed >= 0) {
            break;
        }
        ::Sleep(1);
    }
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return elapsed;
}

void MeasureWindow(const char* what) {
    ScopedSettings settings;
    ScopedSettings::SetString("UdpPort", std::to_string(kPort));
    ScopedSettings::SetDword("MaxEntries", 1000);
    CWinApp app("Tavrel");
    CTimedDlg dlg;
    dlg.Create();
    app.m_pMainWnd = &dlg;
    ::SetWindowPos(dlg, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    dlg.m_btnListen.SendMessage(BM_CLICK);
    PumpMessages(100);
    const HWND list = dlg.m_list;
    Sender sender;
    std::printf("%s\n", what);

    // Working-set growth from 0 to 10,000 rows, beside a plain list view holding the same rows. Measured
    // first, while the heap holds nothing freed by earlier measurements that either side could reuse,
    // and with the yardstick kept open meanwhile, so neither reuses what the other allocated.
    {
        PlainList yardstick(list);
        const double plainBefore = WorkingSetMb();
        ::SendMessageA(yardstick.m_list, WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < 10000; ++i) {
            yardstick.Add(Texts(i), false);
        }
        ::SendMessageA(yardstick.m_list, WM_SETREDRAW, TRUE, 0);
        PumpMessages();
        const double plainGrowth = WorkingSetMb() - plainBefore;
        ScopedSettings::SetDword("MaxEntries", 10000);
        dlg.LoadMainSettings();
        dlg.Reset();
        PumpMessages();
        const double before = WorkingSetMb();
        ::SendMessageA(list, WM_SETREDRAW, FALSE, 0); // only the memory counts here
        for (int i = 0; i < 10000; ++i) {
            dlg.Feed(i);
            if (i % 100 == 99) {
                PumpMessages();
            }
        }
        ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list, nullptr, FALSE);
        PumpMessages(100);
        const double growth = WorkingSetMb() - before;
        std::printf("  working set, 0 to 10,000 rows: +%.1f MB; plain list view +%.1f MB; ratio %.2f\n",
                    growth, plainGrowth, growth / plainGrowth);
    }
    ScopedSettings::SetDword("MaxEntries", 1000);
    dlg.LoadMainSettings();
    dlg.Reset();
    PumpMessages();

    // Lone decodes into a list that grows to 1,000 rows, each painted before the next is sent; the
    // yardstick does the same work in a plain list view.
    std::vector<double> lone, plain;
    {
        PlainList yardstick(list);
        for (int i = 0; i < 1000; ++i) {
            const double start = Now();
            sender.Send(DecodeDatagram(Fields(i)));
            PumpUntil([&] { return Painted(list, i + 1); }, 2000);
            lone.push_back(Now() - start);
            const double plainStart = Now();
            yardstick.Add(Texts(i), true);
            plain.push_back(Now() - plainStart);
        }
    }
    std::printf("  lone decode, send to row painted, 1000 rows: p50 %.2f ms, p99 %.2f ms; plain list view "
                "p50 %.2f ms, p99 %.2f ms; ratios %.2f, %.2f\n",
                Percentile(lone, 0.5) * 1e3, Percentile(lone, 0.99) * 1e3, Percentile(plain, 0.5) * 1e3,
                Percentile(plain, 0.99) * 1e3, Percentile(lone, 0.5) / Percentile(plain, 0.5),
                Percentile(lone, 0.99) / Percentile(plain, 0.99));

    // Bursts of 50 into the full list: first send to the last row painted.
    std::vector<double> bursts, listed, plainBursts;
    for (int run = 0; run < kRuns; ++run) {
        const int first = 1000 + run * 50;
        std::vector<std::vector<unsigned char>> burst;
        for (int i = first; i < first + 50; ++i) {
            burst.push_back(DecodeDatagram(Fields(i)));
        }
        const std::string lastMessage = Fields(first + 49).message;
        const int handled = dlg.handled;
        const double start = Now();
        for (const auto& bytes : burst) {
            sender.Send(bytes);
        }
        PumpUntil([&] { return dlg.handled >= handled + 50; }, 5000);
        listed.push_back(Now() - start);
        PumpUntil([&] { return Painted(list, 1000); }, 5000);
        bursts.push_back(Now() - start);

        PumpMessages(50);
    }
    {
        // The yardstick: the same 50 rows into a plain list view of 1,000, one by one with redraw off,
        // one EnsureVisible and one paint.
        PlainList yardstick(list);
        for (int i = 0; i < 1000; ++i) {
            yardstick.Add(Texts(i), false);
        }
        PumpMessages();
        for (int run = 0; run < kRuns; ++run) {
            const double start = Now();
            ::SendMessageA(yardstick.m_list, WM_SETREDRAW, FALSE, 0);
            for (int i = 0; i < 50; ++i) {
                ::SendMessageA(yardstick.m_list, LVM_DELETEITEM, 0, 0);
                yardstick.Add(Texts(i), false);
            }
            ::SendMessageA(yardstick.m_list, WM_SETREDRAW, TRUE, 0);
            ::InvalidateRect(yardstick.m_list, nullptr, FALSE);
            ::UpdateWindow(yardstick.m_list);
            plainBursts.push_back(Now() - start);
        }
    }
    std::printf(
        "  burst of 50 into a full 1,000-row list, first send to last row painted: median of %d "
        "%.1f ms (all rows listed after %.1f ms); plain list view, 50 rows with redraw off: %.1f ms\n",
        kRuns, Percentile(bursts, 0.5) * 1e3, Percentile(listed, 0.5) * 1e3,
        Percentile(plainBursts, 0.5) * 1e3);

    // Idle, listening: the process's CPU time over 60 s of a real message loop.
    const double cpuStart = CpuSeconds(), idleStart = Now();
    RunLoop(60);
    const double cpu = CpuSeconds() - cpuStart, idle = Now() - idleStart;
    std::printf("  idle and listening for %.0f s: CPU %.3f s, %.3f %% of one core\n", idle, cpu,
                100 * cpu / idle);

    app.m_pMainWnd = nullptr;
}

} // namespace

int main(int argc, char** argv) {
    WSADATA data;
    ::WSAStartup(MAKEWORD(1, 1), &data);
    MeasureWindow("main window under Wine:");
    if (argc >= 3) {
        std::vector<double> tavrel, trivial;
        for (int run = 0; run < kRuns; ++run) {
            tavrel.push_back(TimeToWindow(argv[1], "Tavrel"));
            trivial.push_back(TimeToWindow(argv[2], "Trivial dialog"));
        }
        std::printf("start to visible window, median of %d: Tavrel.exe %.0f ms, trivial dialog %.0f ms\n",
                    kRuns, Percentile(tavrel, 0.5) * 1e3, Percentile(trivial, 0.5) * 1e3);
    }
    ::WSACleanup();
    return 0;
}
