#include "controls/win/HyperLink.h"

#include <string_view>

#include "controls/ColorText.h"
#include "controls/CursorMasks.h"
#include "controls/win/MemoryDC.h"
#include "controls/win/ShellOpen.h"
#include "framework/PaintDC.h"
#include "framework/SelectGuard.h"
#include "framework/SettingsKey.h"

namespace {

constexpr char kBrowserSettingsKey[] = "Software\\Microsoft\\Internet Explorer\\Settings";

// A browser colour value such as "0,0,255", of whatever registry type; false when it is missing or
// longer than the buffer.
bool ReadColorValue(HKEY key, const char* name, COLORREF& color) {
    char buffer[32] = {};
    DWORD size = sizeof buffer;
    if (::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    color = ParseColorText(std::string_view(buffer, sizeof buffer));
    return true;
}

BOOL CreateHandCursor(CCursor& cursor, const CursorMasks& masks) {
    return cursor.Create(::GetModuleHandleA(nullptr), kHandHotSpot.x, kHandHotSpot.y, kCursorSize,
                         kCursorSize, masks.andMask.data(), masks.xorMask.data());
}

} // namespace

CHyperLink::CHyperLink() {
    // Only read here, so the key is opened read-only: a reader needs no more, and the per-user browser
    // settings are no business of ours to change.
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kBrowserSettingsKey, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return;
    }
    const SettingsKey key(opened);
    COLORREF color = 0;
    if (ReadColorValue(key.Get(), "Anchor Color", color)) {
        m_crLink = m_crHover = color;
    }
    if (ReadColorValue(key.Get(), "Anchor Color Visited", color)) {
        m_crVisited = color;
    }
}

CHyperLink::~CHyperLink() = default;

const MessageMap* CHyperLink::GetMessageMap() const {
    static constexpr MessageEntry entries[] = {
        On<WM_MOUSEMOVE, &CHyperLink::OnMouseMove>(),   On<WM_SETCURSOR, &CHyperLink::OnSetCursor>(),
        On<WM_PAINT, &CHyperLink::OnPaint>(),           On<WM_LBUTTONDOWN, &CHyperLink::OnLButtonDown>(),
        On<WM_LBUTTONUP, &CHyperLink::OnLButtonUp>(),   On<WM_MOUSELEAVE, &CHyperLink::OnMouseLeave>(),
        On<WM_MOUSEHOVER, &CHyperLink::OnMouseHover>(),
    };
    static const MessageMap map{CStatic::GetMessageMap(), entries};
    return &map;
}

void CHyperLink::SetText(const char* text) {
    m_strText = text ? text : "";
    SetWindowText(m_strText.c_str());
    // The static control may draw its new caption itself; the link look comes back with the next paint.
    Invalidate(FALSE);
}

void CHyperLink::PreSubclassWindow() {
    // Without SS_NOTIFY a static is transparent to the mouse and would never see a click.
    ModifyStyle(0, SS_NOTIFY);
    if (GetWindowText().empty()) {
        SetWindowText(m_strText.c_str());
    }

    HFONT font = GetFont();
    if (!font) {
        // What a static draws with when nobody gave it a font.
        font = (HFONT)::GetStockObject(SYSTEM_FONT);
    }
    LOGFONTA lf{};
    CFont::GetLogFont(font, lf);
    m_fontNormal.CreateFontIndirect(lf);
    lf.lfUnderline = TRUE;
    m_fontUnderline.CreateFontIndirect(lf);

    m_brushBack.CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));

    CreateHandCursor(m_hLinkCursor, kLinkHandMasks);
    CreateHandCursor(m_hPressedCursor, kPressedHandMasks);
    m_hArrowCursor = ::LoadCursorA(nullptr, IDC_ARROW);

    CStatic::PreSubclassWindow();
}

void CHyperLink::OnPaint() {
    CPaintDC dc(m_hWnd);
    const RECT client = GetClientRect();
    CMemoryDC memDC(&dc, &client);
    memDC.SetBkMode(TRANSPARENT);
    memDC.SetTextColor(m_bVisited ? m_crVisited : (m_bHover ? m_crHover : m_crLink));
    CSelectGuard fontGuard(memDC, m_bHover ? m_fontUnderline : m_fontNormal);

    TEXTMETRICA tm{};
    memDC.GetTextMetrics(tm);
    const SIZE extent = memDC.GetTextExtent(m_strText.c_str(), (int)m_strText.size());
    m_rcText = client;
    m_rcText.right = tm.tmAveCharWidth / 2 + extent.cx;

    memDC.FillRect(client, m_brushBack);
    RECT rc = client;
    // DT_VCENTER without DT_SINGLELINE: the text starts at the top, where the clickable area is measured.
    memDC.DrawText(m_strText.c_str(), (int)m_strText.size(), rc, DT_VCENTER);
}

BOOL CHyperLink::OnSetCursor(HWND, UINT, UINT) {
    ::SetCursor(m_hLinkCursor);
    return TRUE;
}

void CHyperLink::OnMouseMove(UINT, POINT point) {
    Default();
    if (!m_bHover) {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof tme;
        tme.dwFlags = TME_HOVER | TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        tme.dwHoverTime = 1;
        ::TrackMouseEvent(&tme);
    } else if (!IsInsideText(point)) {
        ::SetCursor(m_hArrowCursor);
    }
}

LRESULT CHyperLink::OnMouseHover(UINT, POINT) {
    m_bHover = TRUE;
    Invalidate(FALSE);
    return 0;
}

LRESULT CHyperLink::OnMouseLeave() {
    m_bHover = FALSE;
    Invalidate(FALSE);
    return 0;
}

void CHyperLink::OnLButtonDown(UINT, POINT point) {
    ::SetCursor(IsInsideText(point) ? m_hPressedCursor.Get() : m_hArrowCursor);
    Default();
}

void CHyperLink::OnLButtonUp(UINT, POINT point) {
    if (IsInsideText(point)) {
        ::SetCursor(m_hLinkCursor);
        // An answer above 32 means the target opened; the visited colour shows from the next paint on.
        if (ShellOpen(m_strUrl.c_str(), SW_SHOWMINIMIZED) > 32) {
            m_bVisited = TRUE;
        }
    } else {
        ::SetCursor(m_hArrowCursor);
    }
    Default();
}
