// The setup dialog, created from its template, driven by messages; the settings are the test prefix's
// real registry key; the colour chooser is worked from outside by tavrel-probe.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ntp/win/DialogTime.h"
#include "res/resource.h"
#include "settings/win/DialogSetup.h"
#include "support/MessageBoxWatcher.h"
#include "support/MessagePump.h"
#include "support/ProbeProcess.h"
#include "support/ScopedSettings.h"
#include "support/WindowCapture.h"

namespace {

using Values = ScopedSettings::Values;

const int kEdits[] = {IDC_UDP_SERVER,    IDC_UDP_PORT,      IDC_MAX_ENTRIES,
                      IDC_SETUP_SERVER1, IDC_SETUP_SERVER2, IDC_SETUP_SERVER3};
const int kSwatches[] = {IDC_COLOR_TEXT, IDC_COLOR_BACK, IDC_COLOR_SELECT, IDC_COLOR_WARN};

// What the first OK stores: the twelve factory values.
Values FactoryValues() {
    return {
        {"Strategy", ScopedSettings::Dword(0)},
        {"UdpServer", ScopedSettings::String("127.0.0.1")},
        {"UdpPort", ScopedSettings::String("2237")},
        {"MaxEntries", ScopedSettings::Dword(1000)},
        {"Server1", ScopedSettings::String(kServerSettings[0].defaultValue)},
        {"Server2", ScopedSettings::String(kServerSettings[1].defaultValue)},
        {"Server3", ScopedSettings::String(kServerSettings[2].defaultValue)},
        {"ColorText", ScopedSettings::Dword(0x00000000)},
        {"ColorBack", ScopedSettings::Dword(0x00FFFFFF)},
        {"ColorSelect", ScopedSettings::Dword(0x000080FF)},
        {"ColorWarn", ScopedSettings::Dword(0x009678FA)},
        {"Multicast", ScopedSettings::Dword(0)},
    };
}

class SetupDialogTest : public ::testing::Test {
protected:
    void Open() {
        ASSERT_TRUE(dlg.Create());
        ::SetWindowPos(dlg, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        PumpMessages();
    }
    HWND Item(int id) const { return dlg.GetDlgItem(id); }
    std::string Text(int id) const {
        char text[256] = {};
        ::GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    void SetText(int id, const char* text) { ::SetWindowTextA(Item(id), text); }
    bool Checked(int id) const { return ::IsDlgButtonChecked(dlg, id) == BST_CHECKED; }
    std::vector<int> CheckedStrategies() const {
        std::vector<int> checked;
        for (int id : {IDC_STRATEGY_MEDIAN, IDC_STRATEGY_MINMAX, IDC_STRATEGY_WEIGHED}) {
            if (Checked(id)) {
                checked.push_back(id);
            }
        }
        return checked;
    }
    void Press(int id) { ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)Item(id)); }
    // The colour a swatch shows on screen.
    COLORREF Swatch(int id) {
        PumpMessages();
        const WindowCapture swatch = WindowCapture::FromScreen(Item(id));
        return swatch.At(swatch.Width() / 2, swatch.Height() / 2);
    }
    // Clicks a swatch while the probe works the colour chooser that opens; what the probe printed.
    std::string PickColor(int swatch, const std::string& steps) {
        ProbeProcess probe("color " + steps);
        Press(swatch); // returns when the chooser has closed
        EXPECT_EQ(0, probe.Wait()) << steps;
        std::string output = probe.Output();
        std::erase(output, '\r');
        return output;
    }
    bool IsOpen() const { return ::IsWindow(dlg); }

    ScopedSettings settings;
    CDialogSetup dlg;
};

TEST_F(SetupDialogTest, TemplateTabOrderAndFields) {
    Open();
    EXPECT_EQ("Setup", dlg.GetWindowText());
    // Tab stops in order. The radio buttons have none of their own: the checked one becomes the group's
    // tab stop. The swatches are reached with the mouse only.
    std::vector<int> tabStops;
    for (HWND child = ::GetWindow(dlg, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetWindowLongPtrA(child, GWL_STYLE) & WS_TABSTOP) {
            tabStops.push_back(::GetDlgCtrlID(child));
        }
    }
    EXPECT_EQ((std::vector<int>{IDC_UDP_SERVER, IDC_UDP_PORT, IDC_MULTICAST, IDC_STRATEGY_MEDIAN,
                                IDC_MAX_ENTRIES, IDC_SETUP_SERVER1, IDC_SETUP_SERVER2, IDC_SETUP_SERVER3,
                                IDC_SETUP_DEFAULT, IDOK, IDCANCEL}),
              tabStops);
    EXPECT_TRUE(::GetWindowLongPtrA(Item(IDC_STRATEGY_MEDIAN), GWL_STYLE) & WS_GROUP);
    EXPECT_EQ(Item(IDC_UDP_SERVER), ::GetFocus());
    for (int id : kEdits) {
        EXPECT_EQ(MAKELONG(2, 2), (LONG)::SendMessageA(Item(id), EM_GETMARGINS, 0, 0)) << id;
    }
    // The port and count fields take digits only.
    EXPECT_TRUE(::GetWindowLongPtrA(Item(IDC_UDP_PORT), GWL_STYLE) & ES_NUMBER);
    EXPECT_TRUE(::GetWindowLongPtrA(Item(IDC_MAX_ENTRIES), GWL_STYLE) & ES_NUMBER);
}

TEST_F(SetupDialogTest, FirstRunShowsAndStoresTheFactoryValues) {
    Open();
    EXPECT_FALSE(ScopedSettings::KeyExists());
    EXPECT_EQ("127.0.0.1", Text(IDC_UDP_SERVER));
    EXPECT_EQ("2237", Text(IDC_UDP_PORT));
    EXPECT_EQ("1000", Text(IDC_MAX_ENTRIES));
    EXPECT_EQ(kServerSettings[1].defaultValue, Text(IDC_SETUP_SERVER2));
    EXPECT_EQ(std::vector<int>{IDC_STRATEGY_MEDIAN}, CheckedStrategies());
    EXPECT_FALSE(Checked(IDC_MULTICAST));
    const COLORREF colours[] = {0x00000000, 0x00FFFFFF, 0x000080FF, 0x009678FA};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(colours[i], Swatch(kSwatches[i])) << kSwatches[i];
    }
    Press(IDOK);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(FactoryValues(), ScopedSettings::Snapshot());
}

TEST_F(SetupDialogTest, StoredValuesAreShownAndTheCountIsClamped) {
    ScopedSettings::SetDword("Strategy", 3);
    ScopedSettings::SetDword("MaxEntries", 5);
    ScopedSettings::SetDword("Multicast", 1);
    ScopedSettings::SetString("UdpPort", "");
    ScopedSettings::SetDword("ColorBack", RGB(0, 0, 128));
    Open();
    EXPECT_TRUE(CheckedStrategies().empty());
    EXPECT_EQ("10", Text(IDC_MAX_ENTRIES));
    EXPECT_TRUE(Checked(IDC_MULTICAST));
    EXPECT_EQ("", Text(IDC_UDP_PORT));
    EXPECT_EQ(RGB(0, 0, 128), Swatch(IDC_COLOR_BACK));

    // An empty count stores the least, 20000 the most; no strategy checked stores the first.
    const struct {
        const char* typed;
        uint32_t stored;
    } counts[] = {{"", 10}, {"20000", 10000}, {"250", 250}};
    for (const auto& c : counts) {
        if (!IsOpen()) {
            Open();
        }
        SetText(IDC_MAX_ENTRIES, c.typed);
        Press(IDOK);
        EXPECT_EQ(ScopedSettings::Dword(c.stored), ScopedSettings::Snapshot()["MaxEntries"]) << c.typed;
    }
    const Values stored = ScopedSettings::Snapshot();
    EXPECT_EQ(ScopedSettings::Dword(0), stored.at("Strategy"));
    EXPECT_EQ(ScopedSettings::Dword(1), stored.at("Multicast"));
    EXPECT_EQ(ScopedSettings::String(""), stored.at("UdpPort"));
    EXPECT_EQ(ScopedSettings::Dword(RGB(0, 0, 128)), stored.at("ColorBack"));
}

TEST_F(SetupDialogTest, EditsAreStoredAsTyped) {
    Open();
    SetText(IDC_UDP_SERVER, " 239.255.0.1 ");
    SetText(IDC_SETUP_SERVER2, "");
    ::SendMessageA(Item(IDC_MULTICAST), BM_CLICK, 0, 0);
    ::SendMessageA(Item(IDC_STRATEGY_WEIGHED), BM_CLICK, 0, 0);
    EXPECT_EQ(std::vector<int>{IDC_STRATEGY_WEIGHED}, CheckedStrategies());
    Press(IDOK);
    Values expected = FactoryValues();
    expected["UdpServer"] = ScopedSettings::String(" 239.255.0.1 ");
    expected["Server2"] = ScopedSettings::String("");
    expected["Multicast"] = ScopedSettings::Dword(1);
    expected["Strategy"] = ScopedSettings::Dword(2);
    EXPECT_EQ(expected, ScopedSettings::Snapshot());

    // The NTP dialog then offers the other two servers.
    CDialogTime time;
    ASSERT_TRUE(time.Create());
    HWND servers = time.GetDlgItem(IDC_SERVER);
    std::vector<std::string> listed;
    for (int i = 0; i < (int)::SendMessageA(servers, CB_GETCOUNT, 0, 0); ++i) {
        char text[256] = {};
        ::SendMessageA(servers, CB_GETLBTEXT, i, (LPARAM)text);
        listed.emplace_back(text);
    }
    EXPECT_EQ((std::vector<std::string>{kServerSettings[0].defaultValue, kServerSettings[2].defaultValue}),
              listed);
}

TEST_F(SetupDialogTest, DefaultFillsTheFieldsButOnlyOkStoresThem) {
    ScopedSettings::SetDword("Strategy", 1);
    ScopedSettings::SetDword("Multicast", 1);
    ScopedSettings::SetString("Server1", "ntp.example.org");
    ScopedSettings::SetDword("ColorText", RGB(1, 2, 3));
    const Values before = ScopedSettings::Snapshot();
    Open();
    SetText(IDC_UDP_PORT, "2240");
    Press(IDC_SETUP_DEFAULT);
    EXPECT_EQ("2237", Text(IDC_UDP_PORT));
    EXPECT_EQ(kServerSettings[0].defaultValue, Text(IDC_SETUP_SERVER1));
    EXPECT_EQ(std::vector<int>{IDC_STRATEGY_MEDIAN}, CheckedStrategies());
    EXPECT_FALSE(Checked(IDC_MULTICAST));
    EXPECT_EQ(RGB(0, 0, 0), Swatch(IDC_COLOR_TEXT));
    Press(IDCANCEL);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(before, ScopedSettings::Snapshot());

    Open();
    EXPECT_EQ("ntp.example.org", Text(IDC_SETUP_SERVER1));
    Press(IDC_SETUP_DEFAULT);
    Press(IDOK);
    EXPECT_EQ(FactoryValues(), ScopedSettings::Snapshot());
}

TEST_F(SetupDialogTest, TheColourChooserSetsTheSwatchAndSharesItsCustomColours) {
    Open();
    // Opened on the swatch's colour; OK takes the chosen colour, which is added to the custom colours.
    EXPECT_EQ("250 120 150\n", PickColor(IDC_COLOR_WARN, "print rgb 10 20 30 add ok"));
    EXPECT_EQ(RGB(10, 20, 30), Swatch(IDC_COLOR_WARN));
    // Cancel leaves the swatch.
    PickColor(IDC_COLOR_TEXT, "rgb 200 0 0 cancel");
    EXPECT_EQ(RGB(0, 0, 0), Swatch(IDC_COLOR_TEXT));
    // The next chooser offers the colour added in the last one; the other custom colours start white.
    PickColor(IDC_COLOR_TEXT, "custom 0 ok");
    EXPECT_EQ(RGB(10, 20, 30), Swatch(IDC_COLOR_TEXT));
    PickColor(IDC_COLOR_SELECT, "custom 9 ok");
    EXPECT_EQ(RGB(255, 255, 255), Swatch(IDC_COLOR_SELECT));
    Press(IDCANCEL);
    EXPECT_FALSE(ScopedSettings::KeyExists());

    Open();
    PickColor(IDC_COLOR_BACK, "rgb 0 128 0 ok");
    Press(IDOK);
    EXPECT_EQ(ScopedSettings::Dword(RGB(0, 128, 0)), ScopedSettings::Snapshot()["ColorBack"]);
}

TEST_F(SetupDialogTest, AStoreThatCannotBeWrittenSaysSoAndKeepsTheDialogOpen) {
    ScopedSettings::SetDword("Strategy", 2);
    ScopedSettings::SetString("UdpPort", "2240");
    ASSERT_TRUE(ScopedSettings::SetWritable(false));
    const Values before = ScopedSettings::Snapshot();
    Open();
    SetText(IDC_UDP_PORT, "2250");
    {
        MessageBoxWatcher boxes("Tavrel");
        Press(IDOK); // returns once the watcher has closed the box
        ASSERT_EQ(1, boxes.Count());
        EXPECT_EQ(CDialogSetup::kSaveFailedText, boxes.Texts()[0]);
    }
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ("2250", Text(IDC_UDP_PORT));
    EXPECT_EQ(before, ScopedSettings::Snapshot());

    // Once the key may be written again, OK stores and closes.
    ASSERT_TRUE(ScopedSettings::SetWritable(true));
    Press(IDOK);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(ScopedSettings::String("2250"), ScopedSettings::Snapshot()["UdpPort"]);
}

} // namespace
