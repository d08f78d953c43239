#include "controls/win/MemoryDC.h"

CMemoryDC::CMemoryDC(CDC* pDC, const RECT* rect) : m_pDC(pDC), m_bMemDC(!pDC->IsPrinting()) {
    if (rect) {
        m_rect = *rect;
    } else {
        pDC->GetClipBox(m_rect);
    }
    if (m_bMemDC) {
        pDC->LPtoDP(m_rect);
        if (CreateCompatibleDC(pDC->m_hDC) &&
            m_bitmap.CreateCompatibleBitmap(pDC->m_hDC, m_rect.right - m_rect.left,
                                            m_rect.bottom - m_rect.top)) {
            m_oldBitmap = (HBITMAP)SelectObject(m_bitmap);
            SetMapMode(pDC->GetMapMode());
            pDC->DPtoLP(m_rect);
            SetWindowOrg(m_rect.left, m_rect.top);
        } else {
            // No room for the bitmap (a huge rectangle, GDI exhausted): drawing straight onto the target
            // flickers but shows everything, where an off-screen context without its bitmap would show
            // nothing at all.
            DeleteDC();
            m_bitmap.DeleteObject();
            pDC->DPtoLP(m_rect);
            m_bMemDC = FALSE;
        }
    }
    if (!m_bMemDC) {
        ShareTarget();
    }
    FillSolidRect(m_rect, pDC->GetBkColor());
}

void CMemoryDC::ShareTarget() {
    m_hDC = m_pDC->m_hDC;
    m_hAttribDC = m_pDC->m_hAttribDC;
    m_bPrinting = m_pDC->m_bPrinting;
}

CMemoryDC::~CMemoryDC() {
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, m_hDC,
                      m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_oldBitmap);
        // m_bitmap, now free, goes with the members; the own context goes in the base destructor.
    } else {
        // Shared handles of the target: nothing of it is deleted here.
        m_hDC = m_hAttribDC = nullptr;
    }
}
