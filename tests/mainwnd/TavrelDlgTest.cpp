// The real main window, created from its template, driven by messages and fed by real datagrams on
// loopback; the clock is the fake one.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "framework/WinApp.h"
#include "intake/WsjtxDatagram.h"
#include "mainwnd/win/TavrelDlg.h"
#include "res/resource.h"
#include "support/ElevationRecord.h"
#include "support/FakeClock.h"
#include "support/MessagePump.h"
#include "support/ModalDriver.h"
#include "support/ProbeProcess.h"
#include "support/ScopedSettings.h"
#include "support/WindowCapture.h"
#include "TestableTavrelDlg.h"

namespace {

constexpr u_short kPort = 2262;
const SystemTime kNow{2026, 12, 2, 8, 12, 0, 0, 0};

std::vector<unsigned char> Decode(double dt, int snr = -10, const char* message = "CQ K1ABC FN42",
                                  unsigned char isNew = 1, uint32_t timeMs = 45296789, int frequency = 1234) {
    DecodeFields fields;
    fields.deltaTime = dt;
    fields.snr = snr;
    fields.message = message;
    fields.isNew = isNew;
    fields.timeMs = timeMs;
    fields.deltaFrequency = frequency;
    return DecodeDatagram(fields);
}

std::vector<unsigned char> OfType(uint32_t type) {
    WsjtxDatagram datagram;
    datagram.Header(type).String("WSJT-X");
    return datagram.bytes;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ScopedSettings::SetString("UdpPort", std::to_string(kPort));
        Open();
    }
    void Open() {
        ASSERT_TRUE(dlg.Create());
        app.m_pMainWnd = &dlg;
        ::SetWindowPos(dlg, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetFocus(dlg.m_list);
        dlg.m_btnListen.SendMessage(BM_CLICK);
        PumpMessages();
    }
    void TearDown() override { app.m_pMainWnd = nullptr; }

    // Sends datagrams to the window's port at once, without waiting.
    static void Send(const std::vector<std::vector<unsigned char>>& datagrams, u_short port = kPort) {
        SOCKET s = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = ::inet_addr("127.0.0.1");
        for (const auto& bytes : datagrams) {
            ::sendto(s, reinterpret_cast<const char*>(bytes.data()), (int)bytes.size(), 0,
                     reinterpret_cast<sockaddr*>(&to), sizeof to);
        }
        ::closesocket(s);
    }
    // Sends a datagram and waits until the window has handled it.
    void Deliver(const std::vector<unsigned char>& bytes, u_short port = kPort) {
        Send({bytes}, port);
        const int expected = ++sent;
        ASSERT_TRUE(PumpUntil([&] { return dlg.handled >= expected; }, 3000));
    }
    // Whether the list shows its last row, fits its columns to its width and has nothing left to paint.
    bool ShowsItsNewestRow() const {
        const RECT client = dlg.m_list.GetClientRect();
        RECT last{};
        dlg.m_list.GetItemRect(Rows() - 1, last, LVIR_BOUNDS);
        int widths = 0;
        for (int i = 0; i < 5; ++i) {
            widths += dlg.m_list.GetColumnWidth(i);
        }
        return Rows() > 0 && last.top >= client.top && last.top < client.bottom && widths == client.right &&
               !(dlg.m_list.GetStyle() & WS_HSCROLL) && !::GetUpdateRect(dlg.m_list, nullptr, FALSE);
    }
    void DeliverDecodes(std::initializer_list<double> dts) {
        for (double dt : dts) {
            Deliver(Decode(dt));
        }
    }
    int Rows() const { return dlg.m_list.GetItemCount(); }
    std::string Cell(int row, int column) const { return dlg.m_list.GetItemText(row, column); }
    std::vector<double> Window() const {
        std::vector<double> samples;
        for (size_t i = 0; i < dlg.GetDtWindow().Count(); ++i) {
            samples.push_back(dlg.GetDtWindow()[i]);
        }
        return samples;
    }
    void Click(UINT id) { ::SendMessageA(dlg.GetDlgItem(id), BM_CLICK, 0, 0); }
    void Notify(UINT code, int row) {
        NMITEMACTIVATE info{};
        info.hdr = {dlg.m_list, IDC_DECODE_LIST, code};
        info.iItem = row;
        ::SendMessageA(dlg, WM_NOTIFY, IDC_DECODE_LIST, (LPARAM)&info);
    }
    std::string Offset() const { return dlg.m_editOffset.GetWindowText(); }
    void SetOffset(const char* text) { dlg.m_editOffset.SetWindowText(text); }
    bool UpdateEnabled() const { return dlg.m_btnUpdate.IsWindowEnabled(); }
    COLORREF RowBackground(int row) {
        RECT rc{};
        dlg.m_list.GetItemRect(row, rc, LVIR_BOUNDS);
        const RECT client = dlg.m_list.GetClientRect();
        return WindowCapture::FromScreen(dlg.m_list).At(client.right - 6, (rc.top + rc.bottom) / 2);
    }
    HICON Indicator() const { return dlg.m_indicator.GetIcon(); }
    // Chooses "Sync with this Station" in the popup menu that a right click on `row` opens.
    void SyncWith(int row) {
        ::PostMessageA(dlg, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageA(dlg, WM_KEYDOWN, VK_RETURN, 0);
        Notify(NM_RCLICK, row);
    }

    // Presses "Setup" while `steps` work the setup dialog from another thread; they end it.
    void RunSetup(std::function<void(HWND setup)> steps) {
        ModalDriver driver("Setup", std::move(steps));
        Click(IDC_SETUP);
        EXPECT_TRUE(driver.Done());
    }

    ScopedSettings settings;
    FakeClock clock{kNow};
    CWinApp app{"Tavrel"};
    CTestableTavrelDlg dlg;
    int sent = 0;
};

TEST_F(MainWindowTest, StartsQuietWithTheFiveColumns) {
    CTestableTavrelDlg fresh;
    ASSERT_TRUE(fresh.Create());
    EXPECT_EQ(BST_UNCHECKED, fresh.m_btnListen.GetCheck());
    EXPECT_FALSE(fresh.m_btnUpdate.IsWindowEnabled());
    EXPECT_EQ(0, fresh.m_list.GetItemCount());
    // The template's own icon 131: a grey lamp.
    ::SetWindowPos(fresh, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    const WindowCapture lamp = WindowCapture::FromScreen(fresh.m_indicator);
    const COLORREF centre = lamp.At(lamp.Width() / 2, lamp.Height() / 2);
    const int r = GetRValue(centre), g = GetGValue(centre), b = GetBValue(centre);
    EXPECT_LT(std::max({r, g, b}) - std::min({r, g, b}), 24) << std::hex << centre; // no colour to speak of
    EXPECT_GT(r, 64);
    EXPECT_LT(r, 224);
    HDITEMA item{};
    char title[32];
    item.mask = HDI_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    std::vector<std::string> titles;
    for (int i = 0; i < fresh.m_list.m_header.GetItemCount(); ++i) {
        fresh.m_list.m_header.GetItem(i, item);
        titles.emplace_back(title);
    }
    EXPECT_EQ((std::vector<std::string>{"UTC", "dB", "DT", "Freq", "Message"}), titles);
    EXPECT_EQ("", fresh.m_clock.GetText()); // until the clock timer first fires
    EXPECT_EQ(0, fresh.GetStrategy());
    EXPECT_EQ(1000, fresh.GetMaxEntries());
    EXPECT_EQ(0, fresh.GetMulticast());
}

TEST_F(MainWindowTest, ListeningShowsTheListeningIcon) {
    EXPECT_EQ(dlg.m_iconListening.Get(), Indicator());
    dlg.m_btnListen.SendMessage(BM_CLICK);
    EXPECT_EQ(dlg.m_iconNotListening.Get(), Indicator());
}

TEST_F(MainWindowTest, OnlyAStoppedSocketReleasesListenAndGreysTheLamp) {
    // An oversized datagram is dropped and listening goes on.
    Send({std::vector<unsigned char>(CUdpReceiveSocket::kBufferSize + 1, 0xAB)});
    Deliver(Decode(0.25));
    EXPECT_EQ(1, Rows());
    EXPECT_EQ(BST_CHECKED, dlg.m_btnListen.GetCheck());
    // An empty datagram stops the listener: the toggle is released and the lamp stays grey, also
    // after the fall-back from the last datagram's flash.
    Send({{}});
    ASSERT_TRUE(PumpUntil([&] { return dlg.m_btnListen.GetCheck() == BST_UNCHECKED; }, 3000));
    EXPECT_EQ(dlg.m_iconNotListening.Get(), Indicator());
    PumpMessages(CTavrelDlg::kIndicatorTimerMs + 300);
    EXPECT_EQ(dlg.m_iconNotListening.Get(), Indicator());
    // Pressing it again listens again.
    dlg.m_btnListen.SendMessage(BM_CLICK);
    EXPECT_EQ(dlg.m_iconListening.Get(), Indicator());
    Deliver(Decode(0.5));
    EXPECT_EQ(2, Rows());
}

TEST_F(MainWindowTest, ABurstOf500DecodesSentAtOnceIsListedWhole) {
    std::vector<std::vector<unsigned char>> burst;
    for (int i = 0; i < 500; ++i) {
        burst.push_back(Decode(0.001 * i, -10, ("CQ K1ABC " + std::to_string(i)).c_str()));
    }
    Send(burst);
    ASSERT_TRUE(PumpUntil([&] { return dlg.handled >= 500; }, 60000)) << dlg.handled << " of 500";
    ASSERT_EQ(500, Rows());
    EXPECT_EQ("CQ K1ABC 0", Cell(0, 4));
    EXPECT_EQ("CQ K1ABC 499", Cell(499, 4));
    EXPECT_EQ(500u, Window().size());
}

TEST_F(MainWindowTest, NewDecodesBecomeRowsAndSamples) {
    Deliver(Decode(0.25, -12, "CQ K1ABC FN42", 1, 45296789, 1234));
    Deliver(Decode(-0.4, 3, "K1ABC W9XYZ -12", 1, 309000, 600));
    DecodeFields rig; // from WSJT-X started with a rig name: 96 bytes
    rig.id = "WSJT-X - IC-7300";
    rig.message = "K1ABC RR73; W9XYZ <KH1/KH7Z> -12";
    Deliver(DecodeDatagram(rig));
    ASSERT_EQ(3, Rows());
    EXPECT_EQ(rig.message, Cell(2, 4));
    EXPECT_EQ("123456", Cell(0, 0));
    EXPECT_EQ("-12", Cell(0, 1));
    EXPECT_EQ("0.2", Cell(0, 2));
    EXPECT_EQ("1234", Cell(0, 3));
    EXPECT_EQ("CQ K1ABC FN42", Cell(0, 4));
    EXPECT_EQ("000509", Cell(1, 0));
    EXPECT_EQ("-0.4", Cell(1, 2));
    // The window keeps the full value, not the one-decimal text.
    EXPECT_EQ((std::vector<double>{0.25, -0.4, 0.1}), Window());
    EXPECT_EQ("Decode", dlg.m_status.GetText());
    EXPECT_EQ(dlg.m_iconReceived.Get(), Indicator());
}

TEST_F(MainWindowTest, RowsOutsideOneSecondAreWarnings) {
    DeliverDecodes({-1.1, -1.0, 1.0, 1.05, 0.0});
    ASSERT_EQ(5, Rows());
    const bool expected[] = {true, false, false, true, false};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(expected[row], dlg.m_list.IsWarningRow(row)) << row;
    }
    ::SetFocus(dlg.m_editOffset); // no row highlighted
    EXPECT_EQ(COLORREF(0x009678FA), RowBackground(0));
    EXPECT_EQ(COLORREF(0x00FFFFFF), RowBackground(1));
    EXPECT_EQ(COLORREF(0x009678FA), RowBackground(3));
}

TEST_F(MainWindowTest, StoredLimitsOutsideTheSetupRangeAreClamped) {
    const struct {
        uint32_t maxEntries, strategy;
        int32_t usedMaxEntries, usedStrategy;
    } cases[] = {{0, 7, 10, 2}, {20000, 0xFFFFFFFF, 10000, 2}, {500, 1, 500, 1}};
    for (const auto& c : cases) {
        ScopedSettings::SetDword("MaxEntries", c.maxEntries);
        ScopedSettings::SetDword("Strategy", c.strategy);
        dlg.LoadMainSettings();
        EXPECT_EQ(c.usedMaxEntries, dlg.GetMaxEntries()) << c.maxEntries;
        EXPECT_EQ(c.usedStrategy, dlg.GetStrategy()) << c.strategy;
    }
}

TEST_F(MainWindowTest, AFullListDropsItsOldestRowAndSample) {
    ScopedSettings::SetDword("MaxEntries", 0); // read as the least limit, 10
    dlg.LoadMainSettings();
    DeliverDecodes({0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.1, 1.2});
    ASSERT_EQ(10, Rows());
    EXPECT_EQ("0.3", Cell(0, 2));
    EXPECT_EQ("1.2", Cell(9, 2));
    EXPECT_EQ((std::vector<double>{0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.1, 1.2}), Window());
}

TEST_F(MainWindowTest, AfterASortTheOldestDecodeGoesAndTheMarkStaysOnItsDecode) {
    ScopedSettings::SetDword("MaxEntries", 10);
    dlg.LoadMainSettings();
    const int snrs[] = {4, -9, 9, -3, 7, 0, -6, 2, 8, -1};
    const double dts[] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0};
    for (int i = 0; i < 10; ++i) {
        Deliver(Decode(dts[i], snrs[i]));
    }
    Notify(NM_CLICK, 7); // SNR 2
    dlg.m_list.SetItemState(7, LVIS_SELECTED, LVIS_SELECTED);
    NMLISTVIEW click{};
    click.hdr = {dlg.m_list, IDC_DECODE_LIST, (UINT)LVN_COLUMNCLICK};
    click.iItem = -1;
    click.iSubItem = 1; // "dB", first click: descending
    ::SendMessageA(dlg, WM_NOTIFY, IDC_DECODE_LIST, (LPARAM)&click);
    ASSERT_EQ("4", Cell(3, 1)); // the oldest decode
    ASSERT_EQ(4, dlg.m_list.GetMarkedRow());

    Deliver(Decode(1.1, -20));
    std::vector<std::string> shown;
    for (int row = 0; row < Rows(); ++row) {
        shown.push_back(Cell(row, 1));
        EXPECT_EQ(0u, dlg.m_list.GetItemState(row, LVIS_SELECTED)) << "the marked decode stays selected";
    }
    EXPECT_EQ((std::vector<std::string>{"9", "8", "7", "2", "0", "-1", "-3", "-6", "-9", "-20"}), shown);
    EXPECT_EQ((std::vector<double>{0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.1}), Window());
    EXPECT_EQ(-1, dlg.m_list.GetMarkedRow());
}

TEST_F(MainWindowTest, BurstsAreTakenInWholeInArrivalOrderAndThenShown) {
    ScopedSettings::SetDword("MaxEntries", 30);
    dlg.LoadMainSettings();
    std::vector<std::vector<unsigned char>> decodes;
    std::vector<double> dts;
    for (int i = 0; i < 50; ++i) {
        dts.push_back(i / 64.0);
        decodes.push_back(Decode(dts.back(), i, ("CQ K" + std::to_string(i) + "ABC").c_str()));
    }
    auto burst = [&](int first, int last) {
        Send({decodes.begin() + first, decodes.begin() + last});
        sent += last - first;
        ASSERT_TRUE(PumpUntil([&] { return dlg.handled >= sent; }, 5000));
    };
    burst(0, 30);
    // Sorted by "dB", descending: the oldest decodes are now at the bottom.
    NMLISTVIEW click{};
    click.hdr = {dlg.m_list, IDC_DECODE_LIST, (UINT)LVN_COLUMNCLICK};
    click.iItem = -1;
    click.iSubItem = 1;
    ::SendMessageA(dlg, WM_NOTIFY, IDC_DECODE_LIST, (LPARAM)&click);
    burst(30, 50);
    // Rows and samples are current as soon as the last datagram is handled, shown or not yet: the 20
    // oldest decodes have gone, the new ones follow the sorted rows in arrival order.
    ASSERT_EQ(30, Rows());
    for (int row = 0; row < 30; ++row) {
        EXPECT_EQ(std::to_string(row < 10 ? 29 - row : 20 + row), Cell(row, 1)) << row;
    }
    EXPECT_EQ(std::vector<double>(dts.begin() + 20, dts.end()), Window());
    EXPECT_TRUE(PumpUntil([&] { return ShowsItsNewestRow(); }, 2000));
}

TEST_F(MainWindowTest, ASustainedStreamStillLetsTimersAndPaintingThrough) {
    ScopedSettings::SetDword("MaxEntries", 50);
    dlg.LoadMainSettings();
    static int ticks;
    ticks = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
    std::atomic<bool> streaming{true};
    std::thread sender([&streaming] {
        std::vector<std::vector<unsigned char>> decodes;
        for (int i = 0; i < 64; ++i) {
            decodes.push_back(Decode(i / 64.0, i - 32));
        }
        // Far more than the window can take in, for a second and a half.
        const ULONGLONG end = ::GetTickCount64() + 1500;
        while (::GetTickCount64() < end) {
            Send(decodes);
        }
        streaming = false;
    });
    PumpUntil([&] { return !streaming; }, 20000);
    sender.join();
    ::KillTimer(nullptr, timer);
    EXPECT_GE(ticks, 5); // about 30 when the loop gets to them; none when the stream starves it
    EXPECT_GT(dlg.handled, 0);
    EXPECT_TRUE(PumpUntil([&] { return ShowsItsNewestRow(); }, 5000));
    EXPECT_EQ(50, Rows());
}

TEST_F(MainWindowTest, AReplayedDecodeOnlySetsTheStatus) {
    Deliver(Decode(0.1, -10, "OLD", 0));
    EXPECT_EQ(0, Rows());
    EXPECT_TRUE(Window().empty());
    EXPECT_EQ("Decode", dlg.m_status.GetText());
}

TEST_F(MainWindowTest, OtherMessagesNameThemselvesUntilTheIndicatorFallsBack) {
    Deliver(OfType(0));
    EXPECT_EQ("Heartbeat", dlg.m_status.GetText());
    EXPECT_EQ(dlg.m_iconReceived.Get(), Indicator());
    ASSERT_TRUE(PumpUntil([&] { return dlg.m_status.GetText().empty(); }, 3000));
    EXPECT_EQ(dlg.m_iconListening.Get(), Indicator());
    // Stopped within the 700 ms: the lamp falls back to what is true.
    Deliver(OfType(0));
    dlg.m_btnListen.SendMessage(BM_CLICK);
    ASSERT_TRUE(PumpUntil([&] { return dlg.m_status.GetText().empty(); }, 3000));
    EXPECT_EQ(dlg.m_iconNotListening.Get(), Indicator());
}

TEST_F(MainWindowTest, IgnoredDatagramsFlashTheIndicatorOnly) {
    Deliver(OfType(1));
    ASSERT_TRUE(PumpUntil([&] { return Indicator() == dlg.m_iconListening.Get(); }, 3000));
    for (const auto& bytes :
         {OfType(10), OfType(16), std::vector<unsigned char>(12, 0xAA), std::vector<unsigned char>(80, 0)}) {
        dlg.m_status.SetText("Status");
        Deliver(bytes);
        EXPECT_EQ("Status", dlg.m_status.GetText());
        EXPECT_EQ(dlg.m_iconReceived.Get(), Indicator());
    }
    EXPECT_EQ(0, Rows());
}

TEST_F(MainWindowTest, AnUndecodableDecodeChangesNothing) {
    std::vector<unsigned char> cut = Decode(0.1);
    cut.resize(40); // the fields run past the end
    dlg.m_status.SetText("Heartbeat");
    Deliver(cut);
    EXPECT_EQ("Heartbeat", dlg.m_status.GetText());
    EXPECT_EQ(0, Rows());
    EXPECT_TRUE(Window().empty());
}

TEST_F(MainWindowTest, ResetEmptiesEverythingAndIsHarmlessWhenEmpty) {
    std::vector<int> startWidths;
    for (int i = 0; i < 5; ++i) {
        startWidths.push_back(dlg.m_list.GetColumnWidth(i));
    }
    Click(IDC_RESET);
    EXPECT_EQ(0, Rows());
    EXPECT_FALSE(UpdateEnabled());
    DeliverDecodes({0.1, 0.2});
    SetOffset("0.15");
    EXPECT_TRUE(UpdateEnabled());
    dlg.m_list.SetColumnWidth(4, 20);
    Click(IDC_RESET);
    EXPECT_EQ(0, Rows());
    EXPECT_TRUE(Window().empty());
    EXPECT_EQ("", Offset());
    EXPECT_FALSE(UpdateEnabled());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(startWidths[i], dlg.m_list.GetColumnWidth(i)) << i; // the start widths, fitted again
    }
}

TEST_F(MainWindowTest, TheOffsetFieldEnablesUpdateWhenItHasText) {
    const struct {
        const char* text;
        bool enabled;
    } cases[] = {{"0.3", true}, {"abc", true}, {"   ", false}, {"  -1", true}, {"", false}};
    for (const auto& c : cases) {
        SetOffset(c.text);
        EXPECT_EQ(c.enabled, UpdateEnabled()) << '"' << c.text << '"';
    }
}

TEST_F(MainWindowTest, CalculateWritesTheEstimateOfTheChosenStrategy) {
    Click(IDC_CALCULATE); // an empty window: nothing
    EXPECT_EQ("", Offset());
    DeliverDecodes({0.1, 5.0, 0.3, 0.35, 0.5});
    const struct {
        uint32_t strategy;
        const char* offset;
    } cases[] = {
        {0, "0.33"}, // the medians 0.3, 0.35 and 0.35, averaged
        {1, "0.38"}, // (6.25 - 0.1 - 5.0) / 3
        {2, "0.26"}, // (0.1 + 0 + 0.3 + 0.4 + 0.5) / 5: 5.0 lies outside the bins
        {7, "0.26"}, // read as the last strategy
    };
    for (const auto& c : cases) {
        ScopedSettings::SetDword("Strategy", c.strategy);
        dlg.LoadMainSettings();
        SetOffset("");
        Click(IDC_CALCULATE);
        EXPECT_EQ(c.offset, Offset()) << c.strategy;
        EXPECT_TRUE(UpdateEnabled());
    }
}

TEST_F(MainWindowTest, UpdateShiftsTheClockByTheNegatedOffsetAndClears) {
    DeliverDecodes({0.1, 0.2});
    SetOffset("-0.4");
    Click(IDC_UPDATE);
    ASSERT_EQ(1u, clock.Sets().size());
    EXPECT_EQ((SystemTime{2026, 12, 2, 8, 12, 0, 0, 400}), clock.Sets()[0]);
    EXPECT_EQ("", Offset());
    EXPECT_EQ(0, Rows());
    EXPECT_TRUE(Window().empty());
    EXPECT_FALSE(UpdateEnabled());
}

TEST_F(MainWindowTest, AnOffsetThatIsNoPlainNumberChangesNothing) {
    DeliverDecodes({0.1});
    for (const char* text : {"abc", "1,5", "0.5s", "1e400"}) {
        SetOffset(text);
        Click(IDC_UPDATE);
        EXPECT_EQ(text, Offset());
    }
    EXPECT_TRUE(clock.Attempts().empty());
    EXPECT_EQ(1, Rows());
    EXPECT_EQ(1u, Window().size());
}

TEST_F(MainWindowTest, ARefusedClockHandsTheShiftToTheElevatedCopy) {
    ElevationRecord record;
    clock.Refuse();
    DeliverDecodes({0.1});
    SetOffset("0.354");
    Click(IDC_UPDATE);
    const std::vector<std::string> lines = record.Wait(10000);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("/set -0.35", lines[2]);
    EXPECT_TRUE(clock.Sets().empty());
    EXPECT_EQ("", Offset()); // cleared at once, before the copy has done anything
    EXPECT_EQ(0, Rows());
}

TEST_F(MainWindowTest, AnOffsetTheClockCannotTakeLeavesEverythingAsItIs) {
    ElevationRecord record;
    DeliverDecodes({0.1});
    SetOffset("100000000000000"); // about three million years
    Click(IDC_UPDATE);
    EXPECT_TRUE(clock.Attempts().empty());
    EXPECT_EQ("100000000000000", Offset());
    EXPECT_EQ(1, Rows());
    EXPECT_EQ(1u, Window().size());
    EXPECT_TRUE(record.Wait(500).empty());
}

TEST_F(MainWindowTest, SyncWithAStationCopiesItsDtAndMarksTheRow) {
    DeliverDecodes({0.1, -0.4, 0.3});
    SyncWith(1);
    EXPECT_EQ("-0.4", Offset());
    EXPECT_EQ(1, dlg.m_list.GetMarkedRow());
    EXPECT_TRUE(UpdateEnabled());
    Click(IDC_UPDATE);
    ASSERT_EQ(1u, clock.Sets().size());
    EXPECT_EQ((SystemTime{2026, 12, 2, 8, 12, 0, 0, 400}), clock.Sets()[0]);
}

TEST_F(MainWindowTest, SyncTakesTheClickedStationWhateverArrivesWhileTheMenuIsOpen) {
    ScopedSettings::SetDword("MaxEntries", 10);
    dlg.LoadMainSettings();
    DeliverDecodes({0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0});
    dlg.whileMenuOpen = Decode(-0.7); // evicts row 0: the clicked row moves up
    Notify(NM_RCLICK, 4);
    EXPECT_EQ("0.5", Offset());
    EXPECT_EQ(3, dlg.m_list.GetMarkedRow());
    EXPECT_EQ("0.5", Cell(3, 2));
    EXPECT_EQ("-0.7", Cell(9, 2));
}

TEST_F(MainWindowTest, ClicksMarkRowsButEmptySpaceKeepsTheMark) {
    DeliverDecodes({0.1, 0.2, 0.3});
    Notify(NM_CLICK, 2);
    EXPECT_EQ(2, dlg.m_list.GetMarkedRow());
    Notify(NM_CLICK, -1);
    EXPECT_EQ(2, dlg.m_list.GetMarkedRow());
    Notify(NM_RCLICK, -1); // no menu for empty space
    EXPECT_EQ("", Offset());
    // A new decode takes the selection off the marked row and clears the mark.
    dlg.m_list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    DeliverDecodes({0.4});
    EXPECT_EQ(-1, dlg.m_list.GetMarkedRow());
    EXPECT_EQ(0u, dlg.m_list.GetItemState(2, LVIS_SELECTED));
}

TEST_F(MainWindowTest, TheClockShowsTheLocalTimeOfTheProgramsClock) {
    ASSERT_TRUE(PumpUntil([&] { return !dlg.m_clock.GetText().empty(); }, 3000));
    SYSTEMTIME utc{2026, 12, 2, 8, 12, 0, 0, 0}, local{};
    ASSERT_TRUE(::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local));
    char expected[16];
    std::snprintf(expected, sizeof expected, "%02u:%02u:%02u", local.wHour, local.wMinute, local.wSecond);
    EXPECT_EQ(expected, dlg.m_clock.GetText());
}

TEST_F(MainWindowTest, EnterDoesNothingAndEscapeCloses) {
    ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(::IsWindow(dlg));
    ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST_F(MainWindowTest, TimeOpensTheNtpDialogWhileDecodesKeepArriving) {
    // The dialog runs modally inside the click; this thread finds it, feeds the window and closes it.
    std::thread helper([this] {
        HWND time = nullptr;
        for (int i = 0; i < 500 && !time; ++i, ::Sleep(10)) {
            time = ::FindWindowA("#32770", "Synchronize Time with NTP");
        }
        if (!time) {
            return;
        }
        Send({Decode(0.1), Decode(0.2)});
        for (int i = 0; i < 300 && ::SendMessageA(dlg.m_list, LVM_GETITEMCOUNT, 0, 0) < 2; ++i) {
            ::Sleep(10);
        }
        ::PostMessageA(time, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    Click(IDC_TIME);
    helper.join();
    EXPECT_EQ(2, Rows());
    EXPECT_EQ((std::vector<double>{0.1, 0.2}), Window());
}

TEST_F(MainWindowTest, ColoursComeFromTheSettings) {
    ScopedSettings::SetDword("ColorBack", RGB(0, 0, 128));
    ScopedSettings::SetDword("ColorWarn", RGB(0, 128, 0));
    dlg.LoadMainSettings();
    DeliverDecodes({0.1, 2.0});
    ::SetFocus(dlg.m_editOffset);
    EXPECT_EQ(RGB(0, 0, 128), RowBackground(0));
    EXPECT_EQ(RGB(0, 128, 0), RowBackground(1));
}

TEST_F(MainWindowTest, NewColoursFromSetupRepaintTheListAndKeepItsRows) {
    DeliverDecodes({0.1, 2.0});
    ::SetFocus(dlg.m_editOffset);
    RunSetup([&](HWND setup) {
        ProbeProcess probe("color rgb 0 0 128 ok");
        ModalDriver::Press(setup, IDC_COLOR_BACK);
        EXPECT_EQ(0, probe.Wait());
        // Decodes keep arriving while the dialog is open.
        Send({Decode(0.3)});
        for (int i = 0; i < 300 && Rows() < 3; ++i) {
            ::Sleep(10);
        }
        EXPECT_EQ(3, Rows());
        ModalDriver::Press(setup, IDOK);
    });
    EXPECT_EQ(3, Rows());
    EXPECT_EQ((std::vector<double>{0.1, 2.0, 0.3}), Window());
    EXPECT_EQ(RGB(0, 0, 128), RowBackground(0));
    EXPECT_EQ(COLORREF(0x009678FA), RowBackground(1));
}

TEST_F(MainWindowTest, ANewRowLimitFromSetupEmptiesTheList) {
    DeliverDecodes({0.1, 0.2});
    SetOffset("0.15");
    RunSetup([](HWND setup) {
        ModalDriver::SetText(setup, IDC_MAX_ENTRIES, "20");
        ModalDriver::Press(setup, IDOK);
    });
    EXPECT_EQ(20, dlg.GetMaxEntries());
    EXPECT_EQ(0, Rows());
    EXPECT_TRUE(Window().empty());
    EXPECT_EQ("", Offset());
}

TEST_F(MainWindowTest, CancellingSetupChangesNothing) {
    DeliverDecodes({0.1, 0.2});
    SetOffset("0.15");
    const ScopedSettings::Values before = ScopedSettings::Snapshot();
    RunSetup([](HWND setup) {
        ModalDriver::SetText(setup, IDC_MAX_ENTRIES, "20");
        ::SendMessageA(::GetDlgItem(setup, IDC_STRATEGY_WEIGHED), BM_CLICK, 0, 0);
        ModalDriver::Press(setup, IDCANCEL);
    });
    EXPECT_EQ(before, ScopedSettings::Snapshot());
    EXPECT_EQ(1000, dlg.GetMaxEntries());
    EXPECT_EQ(0, dlg.GetStrategy());
    EXPECT_EQ(2, Rows());
    EXPECT_EQ("0.15", Offset());
}

TEST_F(MainWindowTest, ANewPortFromSetupIsUsedFromTheNextListen) {
    constexpr u_short kNewPort = kPort + 1;
    RunSetup([](HWND setup) {
        ModalDriver::SetText(setup, IDC_UDP_PORT, std::to_string(kNewPort).c_str());
        ModalDriver::Press(setup, IDOK);
    });
    Deliver(Decode(0.1)); // still listening on the old port
    Click(IDC_LISTEN);
    Click(IDC_LISTEN);
    Deliver(Decode(0.2), kNewPort);
    EXPECT_EQ((std::vector<double>{0.1, 0.2}), Window());
}

// Every pixel size follows the screen's resolution. Runs at 96 dpi with the other tests, where nothing
// changes, and at 144 dpi (150 %) from high_dpi_test.py, which sets Wine's LogPixels first.
TEST(MainWindowDpi, TitlesRowsAndLampFollowTheScreenResolution) {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    if (const char* expected = std::getenv("TAVREL_EXPECT_DPI")) {
        ASSERT_EQ(std::atoi(expected), dpi);
    }
    ScopedSettings settings;
    CWinApp app{"Tavrel"};
    CTestableTavrelDlg dlg;
    ASSERT_TRUE(dlg.Create());
    const int rowHeight = ::MulDiv(18, dpi, 96);

    ICONINFO icon{};
    ASSERT_TRUE(::GetIconInfo(dlg.m_iconListening.Get(), &icon));
    BITMAP mask{};
    ::GetObjectA(icon.hbmMask, sizeof mask, &mask);
    ::DeleteObject(icon.hbmMask);
    ::DeleteObject(icon.hbmColor);
    EXPECT_EQ(::MulDiv(24, dpi, 96), mask.bmWidth);

    // The titles in the list's font: each within its column, none taller than the header.
    LOGFONTA description{};
    description.lfHeight = -::MulDiv(8, dpi, 72);
    lstrcpynA(description.lfFaceName, "Courier New", LF_FACESIZE);
    HFONT font = ::CreateFontIndirectA(&description);
    HDC dc = ::GetDC(dlg.m_list.m_header);
    HGDIOBJ previous = ::SelectObject(dc, font);
    SIZE text{};
    for (int i = 0; i < dlg.m_list.m_header.GetItemCount(); ++i) {
        char title[32] = {};
        HDITEMA item{};
        item.mask = HDI_TEXT;
        item.pszText = title;
        item.cchTextMax = sizeof title;
        dlg.m_list.m_header.GetItem(i, item);
        ::GetTextExtentPoint32A(dc, title, lstrlenA(title), &text);
        const RECT cell = dlg.m_list.m_header.GetItemRect(i);
        EXPECT_LE(text.cx, cell.right - cell.left) << title;
        EXPECT_LE(text.cy, cell.bottom - cell.top) << title;
        EXPECT_GE(cell.bottom - cell.top, rowHeight) << title;
    }
    ::SelectObject(dc, previous);
    ::ReleaseDC(dlg.m_list.m_header, dc);
    ::DeleteObject(font);

    dlg.m_list.InsertItem(0, "123456");
    RECT row{};
    dlg.m_list.GetItemRect(0, row, LVIR_BOUNDS);
    EXPECT_GE(row.bottom - row.top, rowHeight);
    EXPECT_GE(row.bottom - row.top, text.cy);
}

} // namespace
