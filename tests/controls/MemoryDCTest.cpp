#include <gtest/gtest.h>

#include "controls/win/MemoryDC.h"
#include "framework/Bitmap.h"
#include "framework/SelectGuard.h"

namespace {

constexpr COLORREF kPaper = RGB(10, 20, 30);  // what the target holds before
constexpr COLORREF kBack = RGB(200, 100, 50); // the target's background colour
constexpr COLORREF kInk = RGB(0, 128, 255);   // what the caller draws

// A 100 x 60 target context over a bitmap that starts in kPaper.
class MemoryDCTest : public ::testing::Test {
protected:
    void SetUp() override {
        screen = ::GetDC(nullptr);
        ASSERT_TRUE(target.CreateCompatibleDC(screen));
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(screen, 100, 60));
        ::ReleaseDC(nullptr, screen);
        previous = ::SelectObject(target, bitmap);
        target.FillSolidRect(RECT{0, 0, 100, 60}, kPaper);
        target.SetBkColor(kBack);
    }
    void TearDown() override { ::SelectObject(target, previous); }

    COLORREF At(int x, int y) const { return ::GetPixel(target, x, y); }
    int Count(const RECT& rc, COLORREF color) const {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x) {
                n += At(x, y) == color;
            }
        }
        return n;
    }
    static int Area(const RECT& rc) { return (rc.right - rc.left) * (rc.bottom - rc.top); }

    HDC screen = nullptr;
    CDC target;
    CBitmap bitmap;
    HGDIOBJ previous = nullptr;
};

TEST_F(MemoryDCTest, CopiesBackOnlyItsRectangleStartingInTheBackgroundColour) {
    const RECT rect{10, 20, 50, 45};
    {
        CMemoryDC memory(&target, &rect);
        EXPECT_TRUE(memory.IsOffScreen());
        // Drawn across the whole target and beyond, but only a stripe of ink inside the rectangle.
        memory.FillSolidRect(RECT{-50, 30, 200, 35}, kInk);
        EXPECT_EQ(kPaper, At(20, 32)); // nothing reaches the target before the end
    }
    EXPECT_EQ(Area(RECT{10, 30, 50, 35}), Count(RECT{0, 0, 100, 60}, kInk));
    EXPECT_EQ(Area(rect) - Area(RECT{10, 30, 50, 35}), Count(rect, kBack));
    EXPECT_EQ(100 * 60 - Area(rect), Count(RECT{0, 0, 100, 60}, kPaper));
    EXPECT_EQ(kBack, target.GetBkColor()); // the target's own settings are untouched
}

TEST_F(MemoryDCTest, WithoutARectangleItCoversTheClipBox) {
    ::IntersectClipRect(target, 30, 5, 70, 25);
    {
        CMemoryDC memory(&target);
        const RECT& covered = memory.GetRect();
        EXPECT_EQ(30, covered.left);
        EXPECT_EQ(5, covered.top);
        EXPECT_EQ(70, covered.right);
        EXPECT_EQ(25, covered.bottom);
        memory.FillSolidRect(RECT{40, 10, 45, 15}, kInk); // the same coordinates as on the target
    }
    ::SelectClipRgn(target, nullptr);
    EXPECT_EQ(25, Count(RECT{0, 0, 100, 60}, kInk));
    EXPECT_EQ(kInk, At(40, 10));
    EXPECT_EQ(40 * 20 - 25, Count(RECT{30, 5, 70, 25}, kBack));
    EXPECT_EQ(100 * 60 - 40 * 20, Count(RECT{0, 0, 100, 60}, kPaper));
}

// No printer exists under the test environment; a context flagged as printing takes the same branch.
TEST_F(MemoryDCTest, OverAPrintingContextItDrawsStraightOntoTheTarget) {
    target.m_bPrinting = TRUE;
    const RECT rect{10, 10, 30, 30};
    {
        CMemoryDC memory(&target, &rect);
        EXPECT_FALSE(memory.IsOffScreen());
        EXPECT_TRUE(memory.IsPrinting());
        EXPECT_EQ(target.m_hDC, memory.m_hDC);
        EXPECT_EQ(kBack, At(15, 15)); // filled at once
        memory.FillSolidRect(RECT{0, 0, 5, 5}, kInk);
        EXPECT_EQ(kInk, At(2, 2)); // no rectangle limits direct drawing
        target.FillSolidRect(RECT{50, 50, 60, 60}, kPaper);
    }
    target.FillSolidRect(RECT{90, 50, 100, 60}, kInk); // the target's context survived
    EXPECT_EQ(kInk, At(95, 55));
    EXPECT_EQ(kBack, At(29, 29));
}

TEST_F(MemoryDCTest, WithoutRoomForTheBitmapItDrawsStraightOntoTheTarget) {
    const RECT huge{0, 0, 200000, 200000};
    {
        CMemoryDC memory(&target, &huge);
        EXPECT_FALSE(memory.IsOffScreen());
        memory.FillSolidRect(RECT{5, 5, 10, 10}, kInk);
    }
    EXPECT_EQ(kInk, At(7, 7));
    EXPECT_EQ(kBack, At(50, 50));
}

} // namespace
