#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "StaticControlsTestDialog.h"
#include "controls/win/HyperLink.h"
#include "controls/win/ShellOpen.h"
#include "support/WindowCapture.h"

namespace {

constexpr char kBrowserKey[] = "Software\\Microsoft\\Internet Explorer\\Settings";
constexpr const char* kColorValues[] = {"Anchor Color", "Anchor Color Visited"};
constexpr COLORREF kDefaultLink = RGB(0, 0, 200);
constexpr COLORREF kDefaultHover = RGB(0, 0, 255);
constexpr COLORREF kDefaultVisited = RGB(5, 34, 143);

// Lets a test write the browser's link colours and puts back whatever was there before.
class ScopedBrowserColors {
public:
    ScopedBrowserColors() {
        for (const char* name : kColorValues) {
            m_saved.push_back(Read(name));
        }
        Clear();
    }
    ~ScopedBrowserColors() {
        Clear();
        for (size_t i = 0; i < m_saved.size(); ++i) {
            if (m_saved[i]) {
                Set(kColorValues[i], m_saved[i]->type, m_saved[i]->data);
            }
        }
    }
    static void Set(const char* name, DWORD type, const std::string& data) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kBrowserKey, 0, nullptr, 0,
                                                   KEY_ALL_ACCESS, nullptr, &key, nullptr));
        ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), (DWORD)data.size());
        ::RegCloseKey(key);
    }
    static void SetText(const char* name, const std::string& text) {
        Set(name, REG_SZ, std::string(text.c_str(), text.size() + 1));
    }
    static void Clear() {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kBrowserKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            for (const char* name : kColorValues) {
                ::RegDeleteValueA(key, name);
            }
            ::RegCloseKey(key);
        }
    }

private:
    struct Value {
        DWORD type;
        std::string data;
    };
    static std::optional<Value> Read(const char* name) {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kBrowserKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        Value value{};
        DWORD size = 0;
        std::optional<Value> result;
        if (::RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
            value.data.resize(size);
            ::RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(value.data.data()),
                               &size);
            result = value;
        }
        ::RegCloseKey(key);
        return result;
    }
    std::vector<std::optional<Value>> m_saved;
};

// Stands in for the shell: records what would have been opened and answers with a chosen result.
struct ShellRecorder {
    struct Call {
        std::string verb;
        std::string file;
        bool parameters;
        bool directory;
        int show;
    };
    static inline std::vector<Call> calls;
    static inline INT_PTR answer = 42;

    static HINSTANCE WINAPI Record(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                   INT show) {
        calls.push_back(
            {verb ? verb : "", file ? file : "", parameters != nullptr, directory != nullptr, show});
        return (HINSTANCE)answer;
    }
};

class ScopedShellRecorder {
public:
    explicit ScopedShellRecorder(INT_PTR answer = 42)
        : m_previous(SetShellExecuteFunction(ShellRecorder::Record)) {
        ShellRecorder::calls.clear();
        ShellRecorder::answer = answer;
    }
    ~ScopedShellRecorder() { SetShellExecuteFunction(m_previous); }

private:
    ShellExecuteFunction m_previous;
};

class CTestHyperLink : public CHyperLink {
public:
    COLORREF Link() const { return m_crLink; }
    COLORREF Hover() const { return m_crHover; }
    COLORREF VisitedColor() const { return m_crVisited; }
    HCURSOR LinkCursor() const { return m_hLinkCursor; }
    HCURSOR PressedCursor() const { return m_hPressedCursor; }
    HCURSOR ArrowCursor() const { return m_hArrowCursor; }
    const RECT& TextRect() const { return m_rcText; }
    BOOL IsVisited() const { return m_bVisited; }
};

using CHost = CStaticHostDialog<CTestHyperLink>;
constexpr char kText[] = "https://example.test/";

// Each test gets the browser colours it writes, a recorder in place of the shell and, once it asks for
// one, a shown link with kText, painted once so that its clickable area is known.
class HyperLinkTest : public ::testing::Test {
protected:
    CTestHyperLink& OpenLink() {
        m_host.emplace(IDC_TEST_LINK);
        EXPECT_TRUE(m_host->Open());
        CTestHyperLink& link = m_host->m_control;
        link.SetUrl("https://example.test/page");
        link.SetText(kText);
        WindowCapture::FromScreen(link);
        return link;
    }

    ScopedBrowserColors m_colors;
    ScopedShellRecorder m_shell;
    std::optional<CHost> m_host;
};

// The longest run of `color` along any row: an underline spans the whole text.
int LongestRun(const WindowCapture& shot, COLORREF color) {
    int best = 0;
    for (int y = 0; y < shot.Height(); ++y) {
        int run = 0;
        for (int x = 0; x < shot.Width(); ++x) {
            run = shot.At(x, y) == color ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

TEST_F(HyperLinkTest, ColoursComeFromTheBrowserSettings) {
    struct Case {
        const char* name;
        std::optional<std::string> link; // REG_SZ text, or absent
        std::optional<std::string> visited;
        COLORREF expectLink, expectHover, expectVisited;
    };
    const std::string tooLong(40, '1');
    const Case cases[] = {
        {"absent", std::nullopt, std::nullopt, kDefaultLink, kDefaultHover, kDefaultVisited},
        {"both", "10,120,30", "200,0,100", RGB(10, 120, 30), RGB(10, 120, 30), RGB(200, 0, 100)},
        {"link only", "0,0,255", std::nullopt, RGB(0, 0, 255), RGB(0, 0, 255), kDefaultVisited},
        {"empty is black", "", "128", RGB(0, 0, 0), RGB(0, 0, 0), RGB(128, 128, 128)},
        {"longer than 32 bytes", tooLong, std::nullopt, kDefaultLink, kDefaultHover, kDefaultVisited},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedBrowserColors::Clear();
        if (c.link) {
            ScopedBrowserColors::SetText("Anchor Color", *c.link);
        }
        if (c.visited) {
            ScopedBrowserColors::SetText("Anchor Color Visited", *c.visited);
        }
        CTestHyperLink link;
        EXPECT_EQ(c.expectLink, link.Link());
        EXPECT_EQ(c.expectHover, link.Hover());
        EXPECT_EQ(c.expectVisited, link.VisitedColor());
    }

    // Any registry type is read as text: a binary "0,200,0" without a terminator works too.
    ScopedBrowserColors::Clear();
    ScopedBrowserColors::Set("Anchor Color", REG_BINARY, "0,200,0");
    EXPECT_EQ(RGB(0, 200, 0), CTestHyperLink().Link());
}

TEST_F(HyperLinkTest, DrawsInTheBrowserColourAndUnderlinesOnlyWhileHovering) {
    ScopedBrowserColors::SetText("Anchor Color", "10,120,30");
    CTestHyperLink& link = OpenLink();
    const COLORREF color = RGB(10, 120, 30);
    const int textWidth = link.TextRect().right;

    const WindowCapture normal = WindowCapture::FromScreen(link);
    EXPECT_GT(normal.Count(link.GetClientRect(), color), 20);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), normal.At(normal.Width() - 1, normal.Height() - 1));
    EXPECT_LT(LongestRun(normal, color), textWidth / 2);

    link.SendMessage(WM_MOUSEHOVER, 0, At(2, 2));
    const WindowCapture hovering = WindowCapture::FromScreen(link);
    // The same colour under the mouse (the browser gives one for both), now with a line under the text.
    EXPECT_GT(LongestRun(hovering, color), textWidth * 3 / 4);

    link.SendMessage(WM_MOUSELEAVE);
    EXPECT_LT(LongestRun(WindowCapture::FromScreen(link), color), textWidth / 2);
}

TEST_F(HyperLinkTest, MouseRestingOnTheLinkStartsHoverThroughTracking) {
    CTestHyperLink& link = OpenLink();
    POINT inside{2, 2};
    ::ClientToScreen(link, &inside);
    ::SetCursorPos(inside.x, inside.y);
    link.SendMessage(WM_MOUSEMOVE, 0, At(2, 2));
    EXPECT_TRUE(
        PumpUntil([&] { return LongestRun(WindowCapture::FromScreen(link), kDefaultHover) > 20; }, 3000));
    ::SetCursorPos(0, 0);
}

TEST_F(HyperLinkTest, ShowsTheHandWheneverTheCursorIsAsked) {
    CTestHyperLink& link = OpenLink();
    EXPECT_NE(0u, link.GetStyle() & SS_NOTIFY);

    for (HCURSOR hand : {link.LinkCursor(), link.PressedCursor()}) {
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(hand, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(5u, info.xHotspot);
        EXPECT_EQ(0u, info.yHotspot);
        BITMAP mask{};
        ::GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(32, mask.bmWidth);
        EXPECT_EQ(64, mask.bmHeight); // monochrome: AND and XOR masks stacked
        ::DeleteObject(info.hbmMask);
        if (info.hbmColor) {
            ::DeleteObject(info.hbmColor);
        }
    }

    ::SetCursor(link.ArrowCursor());
    // Anywhere on the control, even right of the text.
    EXPECT_TRUE(link.SendMessage(WM_SETCURSOR, (WPARAM)link.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(link.LinkCursor(), ::GetCursor());
}

TEST_F(HyperLinkTest, ClickOnTheTextOpensTheTargetOnceAndMarksItVisited) {
    CTestHyperLink& link = OpenLink();

    link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
    EXPECT_EQ(link.PressedCursor(), ::GetCursor());
    EXPECT_TRUE(ShellRecorder::calls.empty()); // the release opens, not the press
    link.SendMessage(WM_LBUTTONUP, 0, At(3, 3));
    EXPECT_EQ(link.LinkCursor(), ::GetCursor());

    ASSERT_EQ(1u, ShellRecorder::calls.size());
    const auto& call = ShellRecorder::calls[0];
    EXPECT_EQ("open", call.verb);
    EXPECT_EQ("https://example.test/page", call.file);
    EXPECT_FALSE(call.parameters);
    EXPECT_FALSE(call.directory);
    EXPECT_EQ(SW_SHOWMINIMIZED, call.show);

    const WindowCapture visited = WindowCapture::FromScreen(link);
    EXPECT_GT(visited.Count(link.GetClientRect(), kDefaultVisited), 20);
    EXPECT_EQ(0, visited.Count(link.GetClientRect(), kDefaultLink));
}

TEST_F(HyperLinkTest, ShellFailureLeavesTheLinkUnvisited) {
    for (INT_PTR answer : {32, 33}) {
        ShellRecorder::calls.clear();
        ShellRecorder::answer = answer;
        CTestHyperLink& link = OpenLink();
        link.SendMessage(WM_LBUTTONUP, 0, At(3, 3));
        EXPECT_EQ(1u, ShellRecorder::calls.size());
        EXPECT_EQ(answer > 32, link.IsVisited() != FALSE) << "shell answer " << answer;
    }
}

TEST_F(HyperLinkTest, RightOfTheTextIsNotClickableAndShowsTheArrow) {
    CTestHyperLink& link = OpenLink();

    // The clickable area ends half an average character after the text.
    HDC dc = ::GetDC(link);
    HGDIOBJ old = ::SelectObject(dc, link.GetFont());
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, kText, (int)strlen(kText), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(link, dc);
    const int edge = tm.tmAveCharWidth / 2 + extent.cx;
    EXPECT_EQ(edge, link.TextRect().right);
    ASSERT_LT(edge + 5, link.GetClientRect().right);

    link.SendMessage(WM_MOUSEHOVER, 0, At(2, 2));
    ::SetCursor(link.LinkCursor());
    link.SendMessage(WM_MOUSEMOVE, 0, At(edge, 2));
    EXPECT_EQ(link.ArrowCursor(), ::GetCursor());

    link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(edge, 2));
    EXPECT_EQ(link.ArrowCursor(), ::GetCursor());
    link.SendMessage(WM_LBUTTONUP, 0, At(edge, 2));
    EXPECT_EQ(link.ArrowCursor(), ::GetCursor());
    EXPECT_TRUE(ShellRecorder::calls.empty());
    EXPECT_FALSE(link.IsVisited());

    // One pixel further in is the text's area.
    link.SendMessage(WM_LBUTTONUP, 0, At(edge - 1, 2));
    EXPECT_EQ(1u, ShellRecorder::calls.size());
}

} // namespace
