#pragma once
#include "framework/Bitmap.h"
#include "framework/DC.h"

// Off-screen drawing over a rectangle of a target context: callers draw on this object as on the target,
// and the rectangle is copied to the target in one BitBlt when the object goes, so repainting does not
// flicker. Over a printing context (or when no off-screen bitmap can be had) it draws straight onto the
// target instead. Lives on the stack for one paint or one item drawing.
class CMemoryDC : public CDC {
public:
    // Covers `rect` (logical units of the target), or the target's clip box when null, and starts filled
    // with the target's current background colour.
    explicit CMemoryDC(CDC* pDC, const RECT* rect = nullptr);
    ~CMemoryDC() override;

    const RECT& GetRect() const { return m_rect; }
    BOOL IsOffScreen() const { return m_bMemDC; }

private:
    void ShareTarget();

    CBitmap m_bitmap;
    HBITMAP m_oldBitmap = nullptr;
    CDC* m_pDC;
    RECT m_rect{};
    BOOL m_bMemDC;
};
