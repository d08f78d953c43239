// main-window-timing: the main window's figures under Wine (not a test: it prints, it asserts nothing).
//   main-window-timing.exe TAVREL_EXE TRIVIAL_EXE
// - time from a datagram's send to its row being in the list, over 1,000 decodes (median, 99th percentile)
// - time to handle a burst of 50 decodes
// - memory of the process before and with 10,000 rows
// - time from starting Tavrel.exe to its visible window, next to a trivial dialog program's
// Run it inside scripts/wine-env.sh, from the repository's root:
//   scripts/wine-env.sh scripts/wine-run.sh build/windows/tests/bin/main-window-timing.exe
//       build/windows/Tavrel.exe build/windows/tests/bin/trivial-dialog.exe
#include "framework/Win32.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/WinApp.h"
#include "intake/WsjtxDatagram.h"
#include "mainwnd/TavrelDlg.h"
#include "support/MessagePump.h"
#include "support/ScopedSettings.h"

namespace {

constexpr u_short kPort = 2295;

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

std::vector<unsigned char> Decode(int i) {
    DecodeFields fields;
    fields.deltaTime = 0.1 * (i % 7) - 0.3;
    fields.snr = -20 + i % 30;
    fields.timeMs = 3600000 + 15000 * (i / 10);
    fields.message = "CQ K1ABC FN42";
    return DecodeDatagram(fields);
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

class CTimedDlg : public CTavrelDlg {
public:
    int Rows() const { return m_list.GetItemCount(); }
    void Listen() { m_btnListen.SendMessage(BM_CLICK); }
};

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5))];
}

void PrintMemory(const char* when) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters);
    std::printf("memory %-22s working set %7.1f MB, private %7.1f MB\n", when,
                counters.WorkingSetSize / 1048576.0, counters.PrivateUsage / 1048576.0);
}

// The yardstick for the handler: a row inserted into a plain report list view, nothing of ours involved.
double PlainListInsert() {
    HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | WS_VISIBLE | LVS_REPORT, 0, 0, 560, 300,
                                  nullptr, nullptr, nullptr, nullptr);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 100;
    column.pszText = const_cast<char*>("UTC");
    for (int i = 0; i < 5; ++i) {
        ::SendMessageA(list, LVM_INSERTCOLUMNA, i, (LPARAM)&column);
    }
    std::vector<double> inserts;
    for (int i = 0; i < 300; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>("123456");
        const double start = Now();
        ::SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
        inserts.push_back(Now() - start);
        PumpMessages();
    }
    ::DestroyWindow(list);
    return Percentile(inserts, 0.5);
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

} // namespace

int main(int argc, char** argv) {
    WSADATA data;
    ::WSAStartup(MAKEWORD(1, 1), &data);
    {
        ScopedSettings settings;
        ScopedSettings::SetString("UdpPort", std::to_string(kPort));
        ScopedSettings::SetDword("MaxEntries", 10000);
        CWinApp app("Tavrel");
        CTimedDlg dlg;
        dlg.Create();
        app.m_pMainWnd = &dlg;
        ::SetWindowPos(dlg, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        dlg.Listen();
        PumpMessages(100);
        PrintMemory("with an empty list:");
        Sender sender;

        std::vector<double> latencies;
        for (int i = 0; i < 1000; ++i) {
            const int rows = dlg.Rows();
            const double start = Now();
            sender.Send(Decode(i));
            PumpUntil([&] { return dlg.Rows() > rows; }, 2000);
            latencies.push_back(Now() - start);
        }
        std::printf("send to row, 1000 decodes: median %.3f ms, 99th percentile %.3f ms, worst %.3f ms\n",
                    Percentile(latencies, 0.5) * 1e3, Percentile(latencies, 0.99) * 1e3,
                    Percentile(latencies, 1.0) * 1e3);

        // The handler alone, without the socket's delivery: the datagram handed over as the listener does.
        dlg.Reset();
        std::vector<double> handling;
        for (int i = 0; i < 1000; ++i) {
            const std::vector<unsigned char> bytes = Decode(i);
            const double start = Now();
            ::SendMessageA(dlg, WM_UDP_DATAGRAM, bytes.size(), reinterpret_cast<LPARAM>(bytes.data()));
            handling.push_back(Now() - start);
            PumpMessages();
        }
        std::printf("datagram handler alone, 1000 decodes: median %.3f ms, 99th percentile %.3f ms\n",
                    Percentile(handling, 0.5) * 1e3, Percentile(handling, 0.99) * 1e3);
        std::printf("yardstick, one row into a plain list view: median %.3f ms\n", PlainListInsert() * 1e3);

        std::vector<double> bursts;
        for (int run = 0; run < 5; ++run) {
            dlg.Reset();
            const double start = Now();
            for (int i = 0; i < 50; ++i) {
                sender.Send(Decode(i));
            }
            PumpUntil([&] { return dlg.Rows() >= 50; }, 5000);
            bursts.push_back(Now() - start);
        }
        std::printf("burst of 50 decodes, send to 50th row: median of 5 %.2f ms\n",
                    Percentile(bursts, 0.5) * 1e3);

        dlg.Reset();
        for (int i = 0; i < 10000; ++i) {
            sender.Send(Decode(i));
            if (i % 40 == 39) {
                PumpUntil([&] { return dlg.Rows() > i - 5; }, 2000);
            }
        }
        PumpUntil([&] { return dlg.Rows() >= 10000; }, 10000);
        std::printf("rows in the list: %d\n", dlg.Rows());
        PrintMemory("with 10,000 rows:");
        app.m_pMainWnd = nullptr;
    }
    if (argc >= 3) {
        std::vector<double> tavrel, trivial;
        for (int run = 0; run < 5; ++run) {
            tavrel.push_back(TimeToWindow(argv[1], "Tavrel"));
            trivial.push_back(TimeToWindow(argv[2], "Trivial dialog"));
        }
        std::printf("start to visible window, median of 5: Tavrel.exe %.0f ms, trivial dialog %.0f ms\n",
                    Percentile(tavrel, 0.5) * 1e3, Percentile(trivial, 0.5) * 1e3);
    }
    ::WSACleanup();
    return 0;
}
