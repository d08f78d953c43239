#include "controls/win/ColorStatic.h"

#include "framework/PaintDC.h"
#include "framework/SelectGuard.h"

namespace {

// The stock GUI font's description, or its usual values where the stock object is missing.
LOGFONTA GuiLogFont() {
    LOGFONTA lf{};
    if (CFont::GetLogFont((HFONT)::GetStockObject(DEFAULT_GUI_FONT), lf)) {
        return lf;
    }
    lf = LOGFONTA{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    return lf;
}

} // namespace

CColorStatic::CColorStatic()
    : m_crBack(::GetSysColor(COLOR_BTNFACE)), m_crText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_crLine(::GetSysColor(COLOR_BTNFACE)) {
    m_font.CreateFontIndirect(GuiLogFont());
}

CColorStatic::~CColorStatic() = default;

const MessageMap* CColorStatic::GetMessageMap() const {
    static constexpr MessageEntry entries[] = {
        On<WM_PAINT, &CColorStatic::OnPaint>(),
        On<WM_ERASEBKGND, &CColorStatic::OnEraseBkgnd>(),
    };
    static const MessageMap map{CStatic::GetMessageMap(), entries};
    return &map;
}

void CColorStatic::SetText(const char* text) {
    m_strText = text ? text : "";
    Invalidate(FALSE);
}

void CColorStatic::SetBkColor(COLORREF color) {
    m_crBack = color;
    Invalidate();
}

void CColorStatic::SetTextColor(COLORREF color) {
    m_crText = color;
    Invalidate();
}

void CColorStatic::SetFormat(UINT format) {
    m_nFormat = format;
    Invalidate();
}

void CColorStatic::SetBottomLine(BOOL on, COLORREF color) {
    m_bLine = on;
    m_crLine = color;
    Invalidate();
}

void CColorStatic::SetTahomaFont(BOOL bold) {
    LOGFONTA lf = GuiLogFont();
    if (bold) {
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = (LONG)(lf.lfHeight * 1.1);
    }
    lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    // The old font goes only once the new one exists, so a failure leaves the text drawable.
    CFont font;
    if (font.CreateFontIndirect(lf)) {
        m_font = std::move(font);
    }
    Invalidate();
}

BOOL CColorStatic::OnEraseBkgnd(HDC) {
    // The paint covers every pixel; erasing first would only make the control flicker.
    return TRUE;
}

void CColorStatic::OnPaint() {
    CPaintDC dc(m_hWnd);
    if (::IsRectEmpty(&m_rcClient)) {
        m_rcClient = GetClientRect();
    }
    const int width = m_rcClient.right - m_rcClient.left;
    const int height = m_rcClient.bottom - m_rcClient.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    if (!m_bitmap && !m_bitmap.CreateCompatibleBitmap(dc, width, height)) {
        return;
    }
    CDC memDC;
    if (!memDC.CreateCompatibleDC(dc)) {
        return;
    }
    CSelectGuard bitmapGuard(memDC, m_bitmap);
    const int oldMode = memDC.SetBkMode(TRANSPARENT);
    const COLORREF oldColor = memDC.SetTextColor(m_crText);

    memDC.FillSolidRect(m_rcClient, m_crBack);
    if (m_bLine) {
        RECT line = m_rcClient;
        line.top = line.bottom - 1;
        memDC.FillSolidRect(line, m_crLine);
    }
    if (!m_strText.empty()) {
        CSelectGuard fontGuard(memDC, m_font);
        RECT rc = m_rcClient;
        memDC.DrawText(m_strText.c_str(), (int)m_strText.size(), rc, m_nFormat | DT_SINGLELINE | DT_VCENTER);
    }
    dc.BitBlt(0, 0, width, height, memDC, 0, 0, SRCCOPY);
    memDC.SetTextColor(oldColor);
    memDC.SetBkMode(oldMode);
}
