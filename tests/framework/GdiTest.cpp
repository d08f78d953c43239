#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/ClientDC.h"
#include "framework/DC.h"
#include "framework/Font.h"
#include "framework/PaintDC.h"
#include "framework/Pen.h"
#include "framework/SelectGuard.h"
#include "framework/Wnd.h"
#include "support/MessagePump.h"

namespace {

bool Exists(HGDIOBJ object) {
    return ::GetObjectType(object) != 0;
}

COLORREF PixelOf(HDC dc, int x, int y) {
    return ::GetPixel(dc, x, y);
}

TEST(GdiObject, DeletesWhenReplacedMovedOrDestroyed) {
    HBRUSH first;
    HBRUSH second;
    {
        CBrush brush(RGB(1, 2, 3));
        first = brush;
        ASSERT_TRUE(Exists(first));
        brush.CreateSolidBrush(RGB(4, 5, 6));
        second = brush;
        EXPECT_FALSE(Exists(first));
        CBrush moved(std::move(brush));
        EXPECT_EQ(nullptr, brush.Get());
        EXPECT_EQ(second, moved.Get());
        EXPECT_TRUE(Exists(second));
    }
    EXPECT_FALSE(Exists(second));

    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    HPEN kept = pen.Detach();
    EXPECT_TRUE(Exists(kept));
    ::DeleteObject(kept);
}

TEST(GdiObject, FontKeepsItsDescription) {
    LOGFONTA lf{};
    lf.lfHeight = -13;
    lf.lfWeight = FW_BOLD;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(lf));
    LOGFONTA back{};
    ASSERT_TRUE(CFont::GetLogFont(font, back));
    EXPECT_EQ(-13, back.lfHeight);
    EXPECT_EQ(FW_BOLD, back.lfWeight);
    EXPECT_STREQ("Tahoma", back.lfFaceName);
    EXPECT_FALSE(CFont::GetLogFont(nullptr, back));
}

TEST(SelectGuard, PutsThePreviousObjectBackBeforeTheOwnerDeletesIt) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HGDIOBJ original = ::GetCurrentObject(dc, OBJ_PEN);
    HPEN pen;
    {
        CPen owned(PS_SOLID, 1, RGB(255, 0, 0));
        pen = owned;
        CSelectGuard guard(dc, owned);
        EXPECT_EQ(pen, ::GetCurrentObject(dc, OBJ_PEN));
    }
    EXPECT_EQ(original, ::GetCurrentObject(dc, OBJ_PEN));
    EXPECT_FALSE(Exists(pen)); // deselected first, so the deletion succeeded
}

TEST(DC, OwnsOnlyTheContextItCreated) {
    HDC created;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        created = dc;
        EXPECT_TRUE(Exists(created));
    }
    EXPECT_FALSE(Exists(created));

    HDC screen = ::GetDC(nullptr);
    { CDC view(screen); }
    EXPECT_TRUE(Exists(screen)); // a view leaves the context to its owner
    ::ReleaseDC(nullptr, screen);
}

TEST(DC, FillsAndFramesWithExactColours) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HDC screen = ::GetDC(nullptr);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(screen, 20, 20));
    ::ReleaseDC(nullptr, screen);
    CSelectGuard select(dc, bitmap);

    dc.FillSolidRect(RECT{0, 0, 20, 20}, RGB(10, 20, 30));
    EXPECT_EQ(RGB(10, 20, 30), dc.GetBkColor()); // the fill leaves its colour as text background
    dc.Draw3dRect(RECT{2, 2, 12, 12}, RGB(255, 255, 255), RGB(128, 128, 128));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(dc, 2, 2));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(dc, 10, 2));
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(dc, 2, 10));
    EXPECT_EQ(RGB(128, 128, 128), PixelOf(dc, 11, 5));
    EXPECT_EQ(RGB(128, 128, 128), PixelOf(dc, 5, 11));
    EXPECT_EQ(RGB(10, 20, 30), PixelOf(dc, 6, 6));
    EXPECT_EQ(RGB(10, 20, 30), PixelOf(dc, 12, 12));
}

// A window that paints through CPaintDC and measures through CClientDC.
class CPaintingWnd : public CWnd {
public:
    int paints = 0;
    RECT paintRect{};
    void OnPaint() {
        CPaintDC dc(m_hWnd);
        ++paints;
        paintRect = dc.m_ps.rcPaint;
        dc.FillSolidRect(GetClientRect(), RGB(0, 128, 0));
    }

protected:
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageEntry entries[] = {On<WM_PAINT, &CPaintingWnd::OnPaint>()};
        static const MessageMap map{CWnd::GetMessageMap(), entries};
        return &map;
    }
};

TEST(DC, PaintAndClientContextsBeginAndEndWithTheirObjects) {
    CPaintingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "paint", WS_POPUP | WS_VISIBLE, RECT{0, 0, 40, 30}, nullptr, 0));
    PumpMessages(50);
    wnd.UpdateWindow();
    EXPECT_GE(wnd.paints, 1);
    EXPECT_EQ(40, wnd.paintRect.right);
    // EndPaint validated the window: nothing is left to paint.
    RECT update{};
    EXPECT_FALSE(::GetUpdateRect(wnd, &update, FALSE));
    {
        CClientDC dc(wnd);
        ASSERT_NE(nullptr, dc.m_hDC);
        EXPECT_EQ(RGB(0, 128, 0), PixelOf(dc, 5, 5));
    }
}

} // namespace
