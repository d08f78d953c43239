#include <gtest/gtest.h>

#include "StaticControlsTestDialog.h"
#include "controls/win/ColorStatic.h"
#include "support/WindowCapture.h"

namespace {

constexpr COLORREF kBack = RGB(200, 220, 240);
constexpr COLORREF kLine = RGB(255, 0, 0);
constexpr COLORREF kText = RGB(0, 0, 0);

class CTestColorStatic : public CColorStatic {
public:
    HFONT Font() const { return m_font; }
};

using CHost = CStaticHostDialog<CTestColorStatic>;

// The columns that hold anything but the background, above the bottom line.
struct Ink {
    int left = -1;
    int right = -1;
    int pixels = 0;
};

Ink FindInk(const WindowCapture& shot) {
    Ink ink;
    for (int y = 0; y < shot.Height() - 1; ++y) {
        for (int x = 0; x < shot.Width(); ++x) {
            if (shot.At(x, y) != kBack) {
                ink.left = ink.left < 0 ? x : std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ++ink.pixels;
            }
        }
    }
    return ink;
}

TEST(ColorStatic, PaintsBackgroundBottomLineAndAlignedText) {
    struct Case {
        UINT format;
        const char* name;
    };
    for (const Case c : {Case{DT_LEFT, "left"}, Case{DT_RIGHT, "right"}, Case{DT_CENTER, "centre"}}) {
        SCOPED_TRACE(c.name);
        CHost dlg(IDC_TEST_COLOR_STATIC);
        ASSERT_TRUE(dlg.Open());
        CTestColorStatic& text = dlg.m_control;
        text.SetBkColor(kBack);
        text.SetTextColor(kText);
        text.SetBottomLine(TRUE, kLine);
        text.SetFormat(c.format);
        text.SetText("12:34:56");
        EXPECT_EQ(kBack, text.GetBkColor());

        const WindowCapture shot = WindowCapture::FromScreen(text);
        const int w = shot.Width(), h = shot.Height();
        ASSERT_GT(w, 0);
        EXPECT_TRUE(shot.AllOf(RECT{0, h - 1, w, h}, kLine));
        EXPECT_TRUE(shot.AllOf(RECT{0, 0, w, 1}, kBack));
        const Ink ink = FindInk(shot);
        ASSERT_GT(ink.pixels, 20);
        EXPECT_GT(shot.Count(RECT{0, 0, w, h - 1}, kText), 0);
        switch (c.format) {
        case DT_LEFT:
            EXPECT_LT(ink.left, 3);
            EXPECT_LT(ink.right, w / 2);
            break;
        case DT_RIGHT:
            EXPECT_GT(ink.left, w / 2);
            EXPECT_GE(ink.right, w - 3);
            break;
        default:
            EXPECT_LE(std::abs((ink.left + ink.right) / 2 - w / 2), 3);
            break;
        }
    }
}

TEST(ColorStatic, NeverDrawsTheResourceCaptionAndClearsOldText) {
    CHost dlg(IDC_TEST_CAPTIONED_STATIC);
    ASSERT_TRUE(dlg.Open());
    CTestColorStatic& text = dlg.m_control;
    text.SetBkColor(kBack);
    const RECT all = text.GetClientRect();
    EXPECT_TRUE(WindowCapture::FromScreen(text).AllOf(all, kBack));

    // The back buffer is kept between paints: a shorter text must not leave the old one behind.
    text.SetText("WWWWWWWWWWWW");
    EXPECT_FALSE(WindowCapture::FromScreen(text).AllOf(all, kBack));
    text.SetText(nullptr);
    EXPECT_TRUE(WindowCapture::FromScreen(text).AllOf(all, kBack));
    EXPECT_EQ("Caption from the resource", text.GetWindowText());
}

TEST(ColorStatic, EraseBackgroundDrawsNothingAndReportsDone) {
    CHost dlg(IDC_TEST_COLOR_STATIC);
    ASSERT_TRUE(dlg.Open());
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::SetPixel(memory, 1, 1, RGB(1, 2, 3));

    EXPECT_NE(0, dlg.m_control.SendMessage(WM_ERASEBKGND, (WPARAM)memory));
    EXPECT_EQ(RGB(1, 2, 3), ::GetPixel(memory, 1, 1));

    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

TEST(ColorStatic, TahomaFontTakesTheGuiFontSizeAndBoldMakesItLarger) {
    LOGFONTA gui{};
    ASSERT_TRUE(CFont::GetLogFont((HFONT)::GetStockObject(DEFAULT_GUI_FONT), gui));
    ASSERT_EQ(-11, gui.lfHeight); // the stock size the bold rule is stated for

    struct Case {
        BOOL bold;
        LONG height;
        LONG weight;
    };
    for (const Case c : {Case{TRUE, -12, FW_BOLD}, Case{FALSE, -11, FW_NORMAL}}) {
        CTestColorStatic text;
        text.SetTahomaFont(c.bold);
        LOGFONTA lf{};
        ASSERT_TRUE(CFont::GetLogFont(text.Font(), lf));
        EXPECT_EQ(c.height, lf.lfHeight);
        EXPECT_EQ(c.weight, lf.lfWeight);
        EXPECT_STREQ("Tahoma", lf.lfFaceName);
    }
}

} // namespace
