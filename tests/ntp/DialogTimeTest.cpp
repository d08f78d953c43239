// The NTP time dialog, created from its template and driven by messages, against the servers that
// ntp-servers.sh starts: chronyd on 127.0.0.1 port 123, and the fake server's kinds on port 123 of their
// own addresses. The clock is the real one for chronyd's figures and the fake one wherever something
// could be set.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "ntp/win/DialogTime.h"
#include "platform/HostResolver.h"
#include "res/resource.h"
#include "support/ElevationRecord.h"
#include "support/FakeClock.h"
#include "support/MessagePump.h"
#include "support/ScopedSettings.h"

namespace {

using Clock = std::chrono::steady_clock;

const SystemTime kNow{2026, 12, 2, 8, 12, 0, 0, 0};
const char kReportEnd[] = "\r\n";

std::string FakeHost(const char* kind) {
    const std::string variable = std::string("TAVREL_FAKE_SNTP_HOST_") + kind;
    const char* host = std::getenv(variable.c_str());
    if (!host) {
        ADD_FAILURE() << variable << " is not set: run this program through tests/ntp/ntp-servers.sh";
        return "";
    }
    return host;
}

class CTestableDialogTime : public CDialogTime {
public:
    using CDialogTime::m_btnGet;
    using CDialogTime::m_btnSet;
    using CDialogTime::m_report;
    using CDialogTime::m_server;
};

// Every number in a text as "#", so reports compare byte for byte except their figures.
std::string WithoutFigures(const std::string& text) {
    return std::regex_replace(text, std::regex("-?[0-9]+"), "#");
}

// The number after `label` on its line of the report.
double FigureAfter(const std::string& report, const std::string& label) {
    const size_t at = report.find(label);
    return at == std::string::npos ? NAN : std::atof(report.c_str() + at + label.size());
}

std::string AnswerReport(const std::string& server, const char* date, const char* offset, const char* delay) {
    return "Looking up   --- " + server +
           " ---\r\nTime was successfully retreived\r\n\r\nCLIENT DESTINATION DATE:\r\n" + "         " +
           date + "\r\nLOCAL CLOCK OFFSET:\r\n         " + offset + " seconds\r\nRound trip delay was " +
           delay + " seconds\r\n\r\nClick SET to Synchronize Computer System Clock\r\n";
}

class TimeDialogTest : public ::testing::Test {
protected:
    void SetUp() override { CDialogTime::SetTypingDelay(0); }
    void TearDown() override { CDialogTime::SetTypingDelay(CDialogTime::kTypingDelayMs); }

    void Open() {
        ASSERT_TRUE(dlg.Create());
        ::SetWindowPos(dlg, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    }
    // A name typed into the box, no list entry selected.
    void TypeServer(const std::string& server) {
        dlg.m_server.SetCurSel(-1);
        dlg.m_server.SetWindowText(server.c_str());
    }
    void Command(UINT id) { ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void ClickGet() { dlg.m_btnGet.SendMessage(BM_CLICK); }
    // Waits as a dialog's own loop does, asleep until a message comes, so the worker's timing is the
    // program's and not the test's.
    bool WaitForReport(unsigned timeoutMs = 10000) {
        const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (dlg.IsQuerying() && Clock::now() < end) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            PumpMessages();
        }
        return !dlg.IsQuerying();
    }
    // "Get" with `server` typed in, until the report is complete.
    std::string Query(const std::string& server) {
        TypeServer(server);
        ClickGet();
        EXPECT_TRUE(WaitForReport()) << server;
        return Report();
    }
    std::string Report() const { return dlg.m_report.GetWindowText(); }
    // Server box and "Get", then "Set".
    std::vector<bool> Enabled() const {
        return {(bool)dlg.m_server.IsWindowEnabled(), (bool)dlg.m_btnGet.IsWindowEnabled(),
                (bool)dlg.m_btnSet.IsWindowEnabled()};
    }

    ScopedSettings settings;
    CTestableDialogTime dlg;
};

TEST_F(TimeDialogTest, OpensFromItsTemplateWithTheDefaultServers) {
    Open();
    EXPECT_EQ("Synchronize Time with NTP", dlg.GetWindowText());
    const struct {
        UINT id;
        const char* className;
        const char* text;
        RECT dialogUnits; // left, top, width, height
        DWORD styles;
    } controls[] = {
        {IDC_REPORT, "Edit", "", {4, 5, 205, 123}, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL},
        {IDC_SERVER, "ComboBox", "pool.ntp.org", {4, 135, 128, 0}, CBS_DROPDOWN | CBS_AUTOHSCROLL},
        {IDOK, "Button", "Get", {137, 134, 33, 14}, BS_DEFPUSHBUTTON},
        {IDC_SET, "Button", "Set", {176, 134, 33, 14}, 0},
    };
    for (const auto& c : controls) {
        HWND control = dlg.GetDlgItem((int)c.id);
        ASSERT_NE(nullptr, control) << c.id;
        char className[32] = {};
        ::GetClassNameA(control, className, sizeof className);
        EXPECT_STREQ(c.className, className) << c.id;
        char text[64] = {};
        ::GetWindowTextA(control, text, sizeof text);
        EXPECT_STREQ(c.text, text) << c.id;
        EXPECT_EQ(c.styles, (DWORD)::GetWindowLongPtrA(control, GWL_STYLE) & c.styles) << c.id;
        RECT expected{c.dialogUnits.left, c.dialogUnits.top, c.dialogUnits.left + c.dialogUnits.right,
                      c.dialogUnits.top + c.dialogUnits.bottom};
        ::MapDialogRect(dlg, &expected);
        RECT actual{};
        ::GetWindowRect(control, &actual);
        ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(expected.left, actual.left) << c.id;
        EXPECT_EQ(expected.top, actual.top) << c.id;
        EXPECT_EQ(expected.right, actual.right) << c.id;
        if (c.id != IDC_SERVER) { // a combo box is as high as its closed box, not its list
            EXPECT_EQ(expected.bottom, actual.bottom) << c.id;
        }
    }
    // The dialog manager draws an edit control's border as a sunken edge.
    EXPECT_TRUE((dlg.m_report.GetStyle() & WS_BORDER) ||
                (::GetWindowLongPtrA(dlg.m_report, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
    EXPECT_EQ(MAKELONG(5, 5), (LONG)dlg.m_report.SendMessage(EM_GETMARGINS));
    EXPECT_EQ(3, dlg.m_server.GetCount());
    EXPECT_EQ(0, dlg.m_server.GetCurSel());
    EXPECT_EQ((std::vector<bool>{true, true, false}), Enabled());
}

TEST_F(TimeDialogTest, TheChosenListPositionIsStoredATypedNameLeavesIt) {
    const std::string first = FakeHost("SHORT"), third = FakeHost("KISS"); // both fail at once
    ScopedSettings::SetString("Server1", first);
    ScopedSettings::SetString("Server2", "");
    ScopedSettings::SetString("Server3", third);
    ScopedSettings::SetDword("LastIndex", 1);
    Open();
    ASSERT_EQ(2, dlg.m_server.GetCount());
    EXPECT_EQ(third, dlg.m_server.GetWindowText()); // the stored third server, at position 1

    dlg.m_server.SetCurSel(0);
    ClickGet();
    ASSERT_TRUE(WaitForReport());
    EXPECT_EQ("Looking up   --- " + first + " ---\r\nFailed to retreive time from the server\r\n", Report());
    TypeServer(third);
    ClickGet();
    ASSERT_TRUE(WaitForReport());
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Morvind\\Tavrel", 0, KEY_READ, &key));
    DWORD lastIndex = 99, size = sizeof lastIndex;
    ::RegQueryValueExA(key, "LastIndex", nullptr, nullptr, (BYTE*)&lastIndex, &size);
    ::RegCloseKey(key);
    EXPECT_EQ(0u, lastIndex);

    TypeServer("");
    ClickGet(); // an empty server only clears the report
    EXPECT_EQ("", Report());
    EXPECT_FALSE(dlg.IsQuerying());
}

TEST_F(TimeDialogTest, ChronydsAnswerIsTypedAtTwentyMillisecondsACharacter) {
    CDialogTime::SetTypingDelay(CDialogTime::kTypingDelayMs);
    Open();
    TypeServer("127.0.0.1");
    const auto start = Clock::now();
    ClickGet(); // types the first line before it returns
    std::set<size_t> lengthsSeen;
    ASSERT_TRUE(PumpUntil(
        [&] {
            lengthsSeen.insert(dlg.m_report.GetTextLength());
            return !dlg.IsQuerying();
        },
        30000));
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const std::string report = Report();
    EXPECT_EQ(WithoutFigures(AnswerReport("127.0.0.1", "08/12/2026, 12:00:00.000", "0.00001", "0.00010")),
              WithoutFigures(report))
        << report;
    // The answer appears a character at a time, not in one piece.
    EXPECT_GT(lengthsSeen.size(), 100u);
    EXPECT_EQ((std::vector<bool>{true, true, true}), Enabled());

    // chronyd reads the same clock: the offset lies within half the delay of 0, plus the client's
    // millisecond resolution.
    const double offset = FigureAfter(report, "OFFSET:\r\n");
    const double delay = FigureAfter(report, "delay was ");
    EXPECT_LE(std::fabs(offset), delay / 2 + 0.0015 + 0.00001);
    EXPECT_GT(delay, -0.001);
    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    int day = 0, month = 0, year = 0;
    std::sscanf(report.c_str() + report.find("DATE:\r\n") + 7, " %d/%d/%d", &day, &month, &year);
    EXPECT_EQ((std::vector<int>{now.wDay, now.wMonth, now.wYear}), (std::vector<int>{day, month, year}));

    // Characters typed by hand (the line breaks after each text come in one piece).
    size_t typed = report.size();
    for (size_t at = 0; (at = report.find(kReportEnd, at)) != std::string::npos; at += 2) {
        typed -= 2;
    }
    typed += 2 + 2 + 2; // the breaks inside three of the texts are typed too
    std::printf("\"Get\" to complete report against chronyd: %.2f s; typing budget %zu characters x 20 ms = "
                "%.2f s; offset %.5f s, delay %.5f s\n",
                elapsed, typed, typed * 0.02, offset, delay);

    // "Set": the fake clock receives the time of the click plus the offset.
    FakeClock clock(kNow);
    Command(IDC_SET);
    int64_t ticks = 0;
    ASSERT_TRUE(SystemTimeToTicks(kNow, ticks));
    SystemTime expected{};
    TicksToSystemTime(ticks + std::llround(offset * 1000) * kTicksPerMillisecond, expected);
    EXPECT_EQ((std::vector<SystemTime>{expected}), clock.Sets());
    EXPECT_EQ("Time was successfully synchronised\r\n", Report());
    EXPECT_EQ((std::vector<bool>{true, true, false}), Enabled());
}

TEST_F(TimeDialogTest, OffsetsAndDelaysOfTenQueriesToChronyd) {
    Open();
    std::vector<double> offsets, delays;
    for (int i = 0; i < 10; ++i) {
        const std::string report = Query("127.0.0.1");
        offsets.push_back(FigureAfter(report, "OFFSET:\r\n"));
        delays.push_back(FigureAfter(report, "delay was "));
        EXPECT_LE(std::fabs(offsets.back()), delays.back() / 2 + 0.0015 + 0.00001) << report;
    }
    auto byMagnitude = [](double a, double b) {
        return std::fabs(a) < std::fabs(b);
    };
    std::sort(offsets.begin(), offsets.end(), byMagnitude);
    std::sort(delays.begin(), delays.end(), byMagnitude);
    std::printf("10 queries shown by the dialog: offset median %.5f s, worst %.5f s; delay median %.5f s, "
                "worst %.5f s\n",
                offsets[5], offsets[9], delays[5], delays[9]);
}

TEST_F(TimeDialogTest, SetUsesTheClockOrHandsTheOffsetToTheElevatedCopy) {
    FakeClock clock(kNow); // the exchange takes no time: offset 0.5 s, delay 0
    ElevationRecord record;
    Open();
    const std::string ahead = FakeHost("AHEAD");
    EXPECT_EQ(AnswerReport(ahead, "08/12/2026, 12:00:00.000", "0.50000", "0.00000"), Query(ahead));
    Command(IDC_SET);
    EXPECT_EQ((std::vector<SystemTime>{UtcTime(2026, 12, 8, 12, 0, 0, 500)}), clock.Sets());
    EXPECT_EQ("Time was successfully synchronised\r\n", Report());
    Command(IDC_SET); // the answer is spent: even sent past the disabled button, nothing more is set
    EXPECT_EQ(1u, clock.Attempts().size());

    Query(ahead);
    clock.Refuse();
    Command(IDC_SET);
    const std::vector<std::string> lines = record.Wait(10000);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("/set 0.50", lines[2]);
    EXPECT_EQ("", Report()); // nothing typed for the elevated copy
    EXPECT_EQ((std::vector<bool>{true, true, false}), Enabled());
}

TEST_F(TimeDialogTest, WhileNoAnswerComesTheDialogStaysOpenThenReportsTheFailure) {
    FakeClock clock(kNow);
    Open();
    const std::string silent = FakeHost("SILENT");
    TypeServer(silent);
    const auto start = Clock::now();
    ClickGet();
    ASSERT_TRUE(dlg.IsQuerying());
    EXPECT_EQ((std::vector<bool>{false, false, false}), Enabled());
    Command(IDOK);     // Enter
    Command(IDCANCEL); // Escape
    ::SendMessageA(dlg, WM_CLOSE, 0, 0);
    PumpMessages(100);
    ASSERT_NE(nullptr, dlg.m_hWnd);
    EXPECT_EQ("Looking up   --- " + silent + " ---\r\n", Report());
    ASSERT_TRUE(WaitForReport());
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    EXPECT_GE(elapsed, 2.9);
    std::printf("no answer: the failure line after %.2f s\n", elapsed);
    EXPECT_EQ("Looking up   --- " + silent + " ---\r\nFailed to retreive time from the server\r\n", Report());
    EXPECT_EQ((std::vector<bool>{true, true, false}), Enabled());
    Command(IDCANCEL);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST_F(TimeDialogTest, RejectedRepliesFailAndLeaveNothingToSet) {
    FakeClock clock(kNow);
    Open();
    Query(FakeHost("AHEAD")); // an answer first, which a failure must not leave behind
    for (const char* kind :
         {"SHORT", "EMPTY", "ZERO", "REFLECT", "KISS", "NOTRANSMIT", "MISMATCH", "UNSYNCED", "STRATUM16"}) {
        const std::string host = FakeHost(kind);
        EXPECT_EQ("Looking up   --- " + host + " ---\r\nFailed to retreive time from the server\r\n",
                  Query(host))
            << kind;
        EXPECT_EQ((std::vector<bool>{true, true, false}), Enabled()) << kind;
        Command(IDC_SET); // even sent past the disabled button
    }
    EXPECT_TRUE(clock.Attempts().empty());
}

// A name server that never answers until the test ends.
std::mutex g_mutex;
std::condition_variable g_released;
bool g_release = false;

int NeverAnswers(const char*, uint32_t&, uint32_t& error) {
    std::unique_lock lock(g_mutex);
    g_released.wait(lock, [] { return g_release; });
    error = 11002;
    return 0;
}

TEST_F(TimeDialogTest, ANameServerThatNeverAnswersDoesNotHoldTheDialog) {
    const HostResolveFunction previous = SetHostResolveFunction(NeverAnswers);
    Open();
    const auto start = Clock::now();
    EXPECT_EQ("Looking up   --- time.example ---\r\nFailed to retreive time from the server\r\n",
              Query("time.example"));
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("a silent name server: the failure line after %.2f s\n", elapsed);
    Command(IDCANCEL);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    SetHostResolveFunction(previous);
    {
        std::lock_guard lock(g_mutex);
        g_release = true;
    }
    g_released.notify_all();
}

} // namespace
