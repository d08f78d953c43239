// The main window's system-menu entries and the position it keeps in the settings across runs. Each
// "run" is a fresh window created from the template; closing goes through the same messages as the
// close box and the Escape key.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "mainwnd/win/TavrelDlg.h"
#include "res/ProductInfo.h"
#include "res/resource.h"
#include "support/MessagePump.h"
#include "support/ScopedSettings.h"

namespace {

std::unique_ptr<CTavrelDlg> Open() {
    auto dlg = std::make_unique<CTavrelDlg>();
    EXPECT_TRUE(dlg->Create());
    ::ShowWindow(*dlg, SW_SHOW);
    PumpMessages();
    return dlg;
}

POINT Corner(HWND window) {
    RECT rc{};
    ::GetWindowRect(window, &rc);
    return {rc.left, rc.top};
}

// Closes like the close box (WM_CLOSE) or the Escape key (IDCANCEL) and waits until the window is gone.
void Close(CTavrelDlg& dlg, bool closeBox) {
    if (closeBox) {
        ::SendMessageA(dlg, WM_CLOSE, 0, 0);
    } else {
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    ASSERT_TRUE(PumpUntil([&] { return dlg.m_hWnd == nullptr; }, 3000));
}

std::vector<std::string> StoredPosition() {
    std::vector<std::string> names;
    for (const char* name : {"Left", "Top", "Right", "Bottom"}) {
        if (ScopedSettings::HasValue(name)) {
            names.emplace_back(name);
        }
    }
    return names;
}

void StorePosition(LONG left, LONG top) {
    ScopedSettings::SetDword("Left", (uint32_t)left);
    ScopedSettings::SetDword("Top", (uint32_t)top);
}

// What a modal about box showed, read from a timer that fires inside its message loop.
struct AboutSeen {
    bool shown = false;
    std::vector<std::string> texts; // version line, home link, mail link, when visible
} g_about;

void CALLBACK InspectAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND about = ::FindWindowA("#32770", "About Tavrel");
    if (!about || !::IsWindowVisible(about)) {
        return;
    }
    ::KillTimer(nullptr, timer);
    g_about.shown = true;
    for (int id : {IDC_VERSION_LINE, IDC_HOME_LINK, IDC_MAIL_LINK}) {
        char text[256] = {};
        HWND control = ::GetDlgItem(about, id);
        if (::IsWindowVisible(control)) {
            ::GetWindowTextA(control, text, sizeof text);
            g_about.texts.emplace_back(text);
        }
    }
    ::PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

class MainWindowMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Where the system puts a window that has no stored position, and its size.
        auto dlg = Open();
        ::GetWindowRect(*dlg, &defaultRect);
        Close(*dlg, false);
        defaultCorner = {defaultRect.left, defaultRect.top};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    }

    ScopedSettings settings;
    RECT defaultRect{};
    POINT defaultCorner{};
    RECT workArea{};
};

TEST_F(MainWindowMenuTest, SystemMenuAddsResetPositionAndAboutAndKeepsTheOthers) {
    auto dlg = Open();
    HMENU menu = ::GetSystemMenu(*dlg, FALSE);
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GT(count, 4);
    std::vector<std::string> tail;
    for (int i = count - 4; i < count; ++i) {
        MENUITEMINFOA item{};
        char text[64] = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        ::GetMenuItemInfoA(menu, i, TRUE, &item);
        tail.push_back((item.fType & MFT_SEPARATOR) ? "-" : std::to_string(item.wID) + " " + text);
    }
    EXPECT_EQ((std::vector<std::string>{"-", "32 &Reset position", "-", "16 &About Tavrel..."}), tail);

    // Command 16 runs the about box modally; the low four bits do not count.
    g_about = {};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, InspectAboutBox);
    ::SendMessageA(*dlg, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_about.shown);
    EXPECT_EQ((std::vector<std::string>{"Tavrel 1.3", TAVREL_HOME_PAGE, TAVREL_SUPPORT_ADDRESS}),
              g_about.texts);
    EXPECT_TRUE(::IsWindow(*dlg));

    // Every other command still gets the system's handling.
    ::SendMessageA(*dlg, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(::IsIconic(*dlg));
    ::SendMessageA(*dlg, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(::IsIconic(*dlg));
    ::SendMessageA(*dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return dlg->m_hWnd == nullptr; }, 3000));
}

TEST_F(MainWindowMenuTest, TheCloseBoxSavesThePositionForTheNextRunAndEscapeDoesNot) {
    auto first = Open();
    ::SetWindowPos(*first, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // Closed while minimised, it keeps the position it had before.
    ::SendMessageA(*first, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Close(*first, true);
    EXPECT_EQ((std::vector<std::string>{"Left", "Top"}), StoredPosition());

    auto second = Open();
    EXPECT_EQ(123, Corner(*second).x);
    EXPECT_EQ(77, Corner(*second).y);
    ::SetWindowPos(*second, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Close(*second, false);

    auto third = Open();
    EXPECT_EQ(123, Corner(*third).x);
    EXPECT_EQ(77, Corner(*third).y);
    Close(*third, false);
}

TEST_F(MainWindowMenuTest, ResetPositionForgetsItAndTheCloseBoxThenSavesNothing) {
    StorePosition(50, 60);
    ScopedSettings::SetDword("Right", 700);
    ScopedSettings::SetDword("Bottom", 500);
    auto first = Open();
    ASSERT_EQ(50, Corner(*first).x);
    ::SendMessageA(*first, WM_SYSCOMMAND, IDM_RESET_POSITION, 0);
    EXPECT_TRUE(StoredPosition().empty());
    EXPECT_EQ(50, Corner(*first).x); // the window itself stays
    Close(*first, true);
    EXPECT_TRUE(StoredPosition().empty());

    auto second = Open();
    EXPECT_EQ(defaultCorner.x, Corner(*second).x);
    EXPECT_EQ(defaultCorner.y, Corner(*second).y);
    Close(*second, false);
}

TEST_F(MainWindowMenuTest, APositionOffTheWorkAreaIsIgnored) {
    const LONG width = defaultRect.right - defaultRect.left, height = defaultRect.bottom - defaultRect.top;
    const int virtualWidth = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int virtualHeight = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const struct {
        const char* what;
        LONG left;
        LONG top;
    } cases[] = {
        {"left of it", workArea.left - 1, 40},
        {"above it", 40, workArea.top - 1},
        {"past its right edge", std::max(workArea.right, (LONG)virtualWidth) - width + 1, 40},
        {"past its bottom edge", 40, std::max(workArea.bottom, (LONG)virtualHeight) - height + 1},
    };
    for (const auto& c : cases) {
        StorePosition(c.left, c.top);
        auto dlg = Open();
        EXPECT_EQ(defaultCorner.x, Corner(*dlg).x) << c.what;
        EXPECT_EQ(defaultCorner.y, Corner(*dlg).y) << c.what;
        Close(*dlg, false);
    }
}

} // namespace
