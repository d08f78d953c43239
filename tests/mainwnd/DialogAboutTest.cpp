#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "controls/win/ColorStatic.h"
#include "controls/win/ShellOpen.h"
#include "mainwnd/win/DialogAbout.h"
#include "res/ProductInfo.h"
#include "res/resource.h"
#include "support/MessageBoxWatcher.h"
#include "support/MessagePump.h"
#include "support/WindowCapture.h"

namespace {

std::vector<std::string> g_opened;

HINSTANCE WINAPI RecordOpen(HWND, LPCSTR, LPCSTR file, LPCSTR, LPCSTR, INT) {
    g_opened.push_back(file ? file : "");
    return (HINSTANCE)42;
}

HWND FindIconControl(HWND dialog) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if ((::GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            return child;
        }
    }
    return nullptr;
}

std::string TextOf(HWND window) {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// A click in the middle of a link's first character.
void ClickLink(HWND link) {
    ::SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 3));
    ::SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 3));
}

TEST(DialogAbout, ShowsVersionLineIconAndLinks) {
    CDialogAbout about;
    ASSERT_TRUE(about.Create());
    ::SetWindowPos(about, HWND_TOP, 10, 10, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    PumpMessages(50);
    EXPECT_EQ("About Tavrel", about.GetWindowText());

    // The version line: bold text in near-black over the dialog's face, a blue line along its bottom.
    HWND version = about.GetDlgItem(IDC_VERSION_LINE);
    const auto* versionLine = dynamic_cast<const CColorStatic*>(CWnd::FromHandlePermanent(version));
    ASSERT_NE(nullptr, versionLine);
    EXPECT_EQ(TAVREL_VERSION_LINE, versionLine->GetText());
    const WindowCapture line = WindowCapture::FromScreen(version);
    const int w = line.Width(), h = line.Height();
    EXPECT_TRUE(line.AllOf(RECT{0, h - 1, w, h}, RGB(50, 50, 255)));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), line.At(w - 1, 0));
    EXPECT_GT(line.Count(RECT{0, 0, w, h - 1}, RGB(10, 10, 10)), 40);

    HWND icon = FindIconControl(about);
    ASSERT_NE(nullptr, icon);
    RECT rc{};
    ::GetClientRect(icon, &rc);
    EXPECT_EQ(72, rc.right);
    EXPECT_EQ(72, rc.bottom);

    EXPECT_EQ(TAVREL_HOME_PAGE, TextOf(about.GetDlgItem(IDC_HOME_LINK)));
    EXPECT_EQ(TAVREL_SUPPORT_ADDRESS, TextOf(about.GetDlgItem(IDC_MAIL_LINK)));

    WindowCapture::FromScreen(about); // paint the links, which measures their clickable areas
    g_opened.clear();
    const ShellExecuteFunction previous = SetShellExecuteFunction(RecordOpen);
    ClickLink(about.GetDlgItem(IDC_HOME_LINK));
    ClickLink(about.GetDlgItem(IDC_MAIL_LINK));
    SetShellExecuteFunction(previous);
    EXPECT_EQ((std::vector<std::string>{"https://tavrel.morvind.net/",
                                        "mailto:support@morvind.net?subject=Tavrel"}),
              g_opened);

    ::SendMessageA(about.GetDlgItem(IDOK), BM_CLICK, 0, 0);
    PumpMessages(20);
    EXPECT_EQ(nullptr, about.m_hWnd);
}

// The version resource (which every test program carries) holds the version the about box shows.
TEST(DialogAbout, VersionResourceMatchesTheVersionLine) {
    HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    ASSERT_NE(nullptr, found);
    const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
    const std::string resource(bytes, ::SizeofResource(nullptr, found));
    const size_t fixed = resource.find("\xBD\x04\xEF\xFE"); // VS_FIXEDFILEINFO's signature
    ASSERT_NE(std::string::npos, fixed);
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, resource.data() + fixed, sizeof info);
    EXPECT_EQ(MAKELONG(TAVREL_VERSION_MINOR, TAVREL_VERSION_MAJOR), info.dwFileVersionMS);
    EXPECT_EQ(MAKELONG(TAVREL_BUILD_LOW, TAVREL_BUILD_HIGH), info.dwFileVersionLS);
    EXPECT_EQ(info.dwFileVersionMS, info.dwProductVersionMS);
    EXPECT_EQ(info.dwFileVersionLS, info.dwProductVersionLS);
    // "FileVersion" and "ProductVersion", in UTF-16, are the line without the program's name.
    std::string wide;
    for (const char c : std::string(TAVREL_VERSION_LINE).substr(sizeof "Tavrel")) {
        wide += {c, '\0'};
    }
    EXPECT_NE(std::string::npos, resource.find(wide));
    EXPECT_NE(resource.find(wide), resource.rfind(wide));
}

TEST(DialogAbout, ModalBoxClosesWithOk) {
    MessageBoxWatcher watcher("About Tavrel");
    CDialogAbout about;
    EXPECT_EQ(IDOK, about.DoModal());
    EXPECT_EQ(1, watcher.Count());
}

TEST(ApplicationIcons, LoadAtEverySizeTheyAreDrawnFor) {
    struct Case {
        int id;
        int size;
    };
    const Case cases[] = {{IDR_MAINFRAME, 16}, {IDR_MAINFRAME, 24},  {IDR_MAINFRAME, 32},
                          {IDR_MAINFRAME, 48}, {IDR_MAINFRAME, 256}, {IDI_ABOUT, 72},
                          {IDI_RECEIVED, 24},  {IDI_LISTENING, 24},  {IDI_NOT_LISTENING, 24}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        HICON icon = (HICON)::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(c.id), IMAGE_ICON,
                                         c.size, c.size, 0);
        ASSERT_NE(nullptr, icon);
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP bm{};
        ::GetObjectA(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(c.size, bm.bmWidth);
        EXPECT_EQ(32, bm.bmBitsPixel); // with its alpha channel
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
}

} // namespace
