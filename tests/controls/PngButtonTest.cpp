// The image button over the program's own pictures: the state bitmaps it renders, which one it draws,
// its hover flags and its tooltip.
#include <gtest/gtest.h>

#include "StaticControlsTestDialog.h"
#include "controls/win/PngButton.h"
#include "controls/win/PngResource.h"
#include "framework/ClientDC.h"
#include "framework/SelectGuard.h"
#include "res/resource.h"
#include "support/WindowCapture.h"

namespace {

class CTestPngButton : public CPngButton {
public:
    using CPngButton::m_bHover;
    using CPngButton::m_bmpDisabled;
    using CPngButton::m_bmpHot;
    using CPngButton::m_bmpNormal;
    using CPngButton::m_bmpPressed;
    using CPngButton::m_bTracking;
    using CPngButton::m_nImageHeight;
    using CPngButton::m_nImageWidth;
    using CPngButton::m_toolTip;
};

using CHost = CStaticHostDialog<CTestPngButton>;

// A treated pixel as it shows where it is opaque.
COLORREF Shown(const PngImagePtr& image, int x, int y) {
    const unsigned char* p = image->rows[y] + x * 4;
    return RGB(p[0], p[1], p[2]);
}

// Mismatches between `shot` at (dx + x, dy + y) and `expected` at (x, y) over the picture's area.
int Mismatches(const WindowCapture& shot, int dx, int dy, const WindowCapture& expected) {
    int count = 0;
    for (int y = 0; y < expected.Height(); ++y) {
        for (int x = 0; x < expected.Width(); ++x) {
            count += shot.At(dx + x, dy + y) != expected.At(x, y);
        }
    }
    return count;
}

TEST(PngButton, RendersFourStateBitmapsFromOnePicture) {
    CHost dlg(IDC_TEST_IMAGE_BUTTON);
    ASSERT_TRUE(dlg.Open());
    CTestPngButton& button = dlg.m_control;
    EXPECT_EQ((DWORD)BS_OWNERDRAW, button.GetStyle() & BS_TYPEMASK);
    EXPECT_FALSE(button.LoadImages(IDD_TAVREL_DIALOG));
    EXPECT_FALSE(button.m_bmpNormal);

    ASSERT_TRUE(button.LoadImages(0x10000 + IDB_PNG_TIME)); // the id's low 16 bits name the resource
    ASSERT_EQ(24, button.m_nImageWidth);
    ASSERT_EQ(24, button.m_nImageHeight);
    const PngImagePtr plain(LoadPngResource(IDB_PNG_TIME, PngVariant::Plain));
    const PngImagePtr darkened(LoadPngResource(IDB_PNG_TIME, PngVariant::Darkened));
    const PngImagePtr grey(LoadPngResource(IDB_PNG_TIME, PngVariant::Grey));
    const WindowCapture normal = WindowCapture::FromBitmap(button.m_bmpNormal);
    const WindowCapture hot = WindowCapture::FromBitmap(button.m_bmpHot);
    const WindowCapture pressed = WindowCapture::FromBitmap(button.m_bmpPressed);
    const WindowCapture disabled = WindowCapture::FromBitmap(button.m_bmpDisabled);
    ASSERT_EQ(24, pressed.Width());

    // Opaque pixels show their treated colour in every state; the pressed picture sits one pixel lower
    // and further right. Where the picture is clear, the hot bitmap shows the face scaled by 255 / 256.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF fadedFace =
        RGB(GetRValue(face) * 255 >> 8, GetGValue(face) * 255 >> 8, GetBValue(face) * 255 >> 8);
    int opaque = 0, clear = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const unsigned char inverseAlpha = plain->rows[y][x * 4 + 3];
            if (inverseAlpha == 0) {
                ++opaque;
                EXPECT_EQ(Shown(plain, x, y), normal.At(x, y)) << x << "," << y;
                EXPECT_EQ(Shown(darkened, x, y), hot.At(x, y)) << x << "," << y;
                EXPECT_EQ(Shown(grey, x, y), disabled.At(x, y)) << x << "," << y;
                if (x < 23 && y < 23) {
                    EXPECT_EQ(Shown(darkened, x, y), pressed.At(x + 1, y + 1)) << x << "," << y;
                }
            } else if (inverseAlpha == 255) {
                ++clear;
                EXPECT_EQ(fadedFace, hot.At(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(opaque, 100);
    EXPECT_GT(clear, 50);
    EXPECT_TRUE(pressed.AllOf(RECT{0, 0, 24, 1}, face));
    EXPECT_TRUE(pressed.AllOf(RECT{0, 0, 1, 24}, face));

    // A picture that cannot be had changes nothing; another one replaces all four bitmaps.
    const HBITMAP before = button.m_bmpNormal;
    EXPECT_FALSE(button.LoadImages(IDD_TAVREL_DIALOG));
    EXPECT_EQ(before, button.m_bmpNormal.Get());
    ASSERT_TRUE(button.LoadImages(IDB_PNG_RESET));
    for (const CBitmap* bitmap :
         {&button.m_bmpNormal, &button.m_bmpHot, &button.m_bmpPressed, &button.m_bmpDisabled}) {
        EXPECT_GT(Mismatches(WindowCapture::FromBitmap(*bitmap), 0, 0, hot), 50);
    }
}

TEST(PngButton, DrawsStateBitmapByPriorityCentredOnItemBackground) {
    CHost dlg(IDC_TEST_IMAGE_BUTTON);
    ASSERT_TRUE(dlg.Open());
    CTestPngButton& button = dlg.m_control;
    CClientDC screen(nullptr);
    CDC canvas;
    ASSERT_TRUE(canvas.CreateCompatibleDC(screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(screen, 31, 28));
    CSelectGuard select(canvas, bitmap);
    constexpr COLORREF kItemBack = RGB(1, 2, 3);
    auto draw = [&](UINT state) {
        canvas.SetBkColor(kItemBack);
        DRAWITEMSTRUCT dis{ODT_BUTTON, IDC_TEST_IMAGE_BUTTON, 0, ODA_DRAWENTIRE, state, button,
                           canvas,     RECT{0, 0, 31, 28},    0};
        ::SendMessageA(dlg, WM_DRAWITEM, IDC_TEST_IMAGE_BUTTON, (LPARAM)&dis);
        return WindowCapture::FromDC(canvas, 31, 28);
    };

    // Without pictures only the item's background shows.
    EXPECT_TRUE(draw(0).AllOf(RECT{0, 0, 31, 28}, kItemBack));

    ASSERT_TRUE(button.LoadImages(IDB_PNG_TIME));
    const WindowCapture normal = WindowCapture::FromBitmap(button.m_bmpNormal);
    const WindowCapture hot = WindowCapture::FromBitmap(button.m_bmpHot);
    const WindowCapture pressed = WindowCapture::FromBitmap(button.m_bmpPressed);
    const WindowCapture disabled = WindowCapture::FromBitmap(button.m_bmpDisabled);
    struct Case {
        const char* name;
        UINT state;
        bool hover;
        const WindowCapture& expected;
    };
    const Case cases[] = {
        {"pressed before all", ODS_SELECTED | ODS_DISABLED | ODS_FOCUS, true, pressed},
        {"disabled before focus and hover", ODS_DISABLED | ODS_FOCUS, true, disabled},
        {"focus", ODS_FOCUS, false, hot},
        {"hover", 0, true, hot},
        {"normal", 0, false, normal},
    };
    for (const Case& c : cases) {
        button.SendMessage(c.hover ? WM_MOUSEHOVER : WM_MOUSELEAVE);
        EXPECT_EQ(c.hover, button.m_bHover != FALSE) << c.name;
        const WindowCapture shot = draw(c.state);
        // A 24-pixel picture in a 31 x 28 item starts at (3, 2); the rest is the item's background.
        EXPECT_EQ(0, Mismatches(shot, 3, 2, c.expected)) << c.name;
        EXPECT_TRUE(shot.AllOf(RECT{0, 0, 3, 28}, kItemBack)) << c.name;
        EXPECT_TRUE(shot.AllOf(RECT{27, 0, 31, 28}, kItemBack)) << c.name;
        EXPECT_TRUE(shot.AllOf(RECT{0, 0, 31, 2}, kItemBack)) << c.name;
    }
}

TEST(PngButton, TracksTheMouseAndKeepsOneTooltip) {
    HWND tip = nullptr;
    {
        CHost dlg(IDC_TEST_IMAGE_BUTTON);
        ASSERT_TRUE(dlg.Open());
        CTestPngButton& button = dlg.m_control;
        EXPECT_FALSE(button.m_toolTip.m_hWnd);
        button.SetTooltipText("Synchronize Clock");
        tip = button.m_toolTip.m_hWnd;
        ASSERT_TRUE(tip);
        EXPECT_EQ(1, button.m_toolTip.GetToolCount());
        EXPECT_EQ("Synchronize Clock", button.m_toolTip.GetText(button));
        button.SetTooltipText("Setup");
        EXPECT_EQ(tip, button.m_toolTip.m_hWnd);
        EXPECT_EQ(1, button.m_toolTip.GetToolCount());
        EXPECT_EQ("Setup", button.m_toolTip.GetText(button));

        // Idle, tracking after the first move, hot once the mouse rests, idle again when it leaves.
        button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(button.m_bTracking);
        EXPECT_FALSE(button.m_bHover);
        button.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(button.m_bHover);
        button.SendMessage(WM_MOUSELEAVE);
        EXPECT_FALSE(button.m_bTracking);
        EXPECT_FALSE(button.m_bHover);
    }
    EXPECT_FALSE(::IsWindow(tip)); // gone with the button
}

} // namespace
