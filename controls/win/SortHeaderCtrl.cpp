#include "controls/win/SortHeaderCtrl.h"

#include <vssym32.h>

#include "controls/ListGeometry.h"
#include "controls/win/MemoryDC.h"
#include "framework/PaintDC.h"
#include "framework/ProcAddress.h"
#include "framework/Pen.h"
#include "framework/SelectGuard.h"

namespace {

// Title drawing: centred on one line, never clipped, never prefix-processed, "..." when too long.
constexpr UINT kTitleFormat =
    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX | DT_END_ELLIPSIS;
static_assert(kTitleFormat == 0x8925);

ListRect ToListRect(const RECT& r) {
    return {(int)r.left, (int)r.top, (int)r.right, (int)r.bottom};
}

} // namespace

CSortHeaderCtrl::CSortHeaderCtrl()
    : m_colorFace(::GetSysColor(COLOR_BTNFACE)), m_colorText(::GetSysColor(COLOR_BTNTEXT)),
      m_colorLight(::GetSysColor(COLOR_BTNHIGHLIGHT)), m_colorShadow(::GetSysColor(COLOR_BTNSHADOW)),
      m_colorDivider(::GetSysColor(COLOR_BTNFACE)) {}

CSortHeaderCtrl::~CSortHeaderCtrl() {
    CloseTheme();
}

const MessageMap* CSortHeaderCtrl::GetMessageMap() const {
    static constexpr MessageEntry entries[] = {
        On<WM_MOUSEMOVE, &CSortHeaderCtrl::OnMouseMove>(),
        On<WM_PAINT, &CSortHeaderCtrl::OnPaint>(),
        On<WM_MOUSELEAVE, &CSortHeaderCtrl::OnMouseLeave>(),
        On<HDM_LAYOUT, &CSortHeaderCtrl::OnLayout>(),
    };
    static const MessageMap map{CHeaderCtrl::GetMessageMap(), entries};
    return &map;
}

void CSortHeaderCtrl::PreSubclassWindow() {
    // Only a theme library the process has loaded already (common controls 6 bring it); never loaded here.
    m_uxtheme = ::GetModuleHandleA("uxtheme.dll");
    using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
    if (auto open = GetProcAddressAs<OpenThemeDataFn>(m_uxtheme, "OpenThemeData")) {
        m_theme = open(m_hWnd, L"HEADER");
    }
    ResetSortColumn();
    CHeaderCtrl::PreSubclassWindow();
}

void CSortHeaderCtrl::CloseTheme() {
    using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
    if (m_theme) {
        if (auto close = GetProcAddressAs<CloseThemeDataFn>(m_uxtheme, "CloseThemeData")) {
            close(m_theme);
        }
        m_theme = nullptr;
    }
}

void CSortHeaderCtrl::SetSortColumn(int column, BOOL ascending) {
    m_sortColumn = column;
    m_ascending = ascending;
    MarkItemsOwnerDrawn();
}

void CSortHeaderCtrl::ResetSortColumn() {
    MarkItemsOwnerDrawn();
    m_ascending = TRUE;
    m_sortColumn = -1;
}

void CSortHeaderCtrl::MarkItemsOwnerDrawn() {
    // The control then never draws a title of its own, and each item update repaints the header.
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        GetItem(i, item);
        item.fmt |= HDF_OWNERDRAW;
        SetItem(i, item);
    }
}

void CSortHeaderCtrl::SetHeaderFont(const LOGFONTA* logFont) {
    if (!logFont) {
        return;
    }
    m_font.CreateFontIndirect(*logFont);
    m_logFont = *logFont;
}

LRESULT CSortHeaderCtrl::OnLayout(HDLAYOUT& layout) {
    const LRESULT result = Default();
    if (layout.pwpos) {
        layout.pwpos->cy = m_height;
    }
    if (layout.prc) {
        layout.prc->top = m_height;
    }
    return result;
}

void CSortHeaderCtrl::OnPaint() {
    CPaintDC paint(m_hWnd);
    CMemoryDC memory(&paint);
    DrawAllItems(memory);
}

void CSortHeaderCtrl::DrawAllItems(CDC& dc) {
    RECT clip{};
    if (dc.GetClipBox(clip) == ERROR) {
        return;
    }
    dc.FillSolidRect(clip, m_colorFace);
    CPen divider(PS_SOLID, 1, m_colorDivider);
    CSelectGuard keepPen(dc, divider);
    dc.SetBkColor(m_colorFace);
    dc.SetTextColor(m_colorText);

    const int count = GetItemCount();
    int total = 0;
    for (int i = 0; i < count; ++i) {
        const int index = OrderToIndex(i);
        HDITEMA item{};
        item.mask = HDI_WIDTH;
        GetItem(index, item);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_HEADER;
        dis.CtlID = (UINT)GetDlgCtrlID();
        dis.itemID = (UINT)index;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hwndItem = m_hWnd;
        dis.hDC = dc;
        dis.rcItem = GetItemRect(index);
        DrawItem(dis);
        if (i < count - 1) {
            dc.MoveTo(dis.rcItem.right - 1, dis.rcItem.top + 2);
            dc.LineTo(dis.rcItem.right - 1, dis.rcItem.bottom - 2);
        }
        total += item.cxy;
    }
    if (total > 0) {
        const RECT client = GetClientRect();
        dc.Draw3dRect(RECT{client.left, client.top, client.left + total + 1, client.bottom}, m_colorLight,
                      m_colorShadow);
    }
}

void CSortHeaderCtrl::DrawItem(DRAWITEMSTRUCT& dis) {
    CDC dc(dis.hDC);
    const int saved = dc.SaveDC();
    const RECT& r = dis.rcItem;
    const bool pressed = dis.itemState == ODS_SELECTED;

    if (!m_theme) {
        dc.FillSolidRect(r, m_colorFace);
    } else {
        if (!m_drawThemeBackground) {
            m_drawThemeBackground = GetProcAddressAs<DrawThemeBackgroundFn>(m_uxtheme, "DrawThemeBackground");
        }
        if (m_drawThemeBackground) {
            const int state = pressed ? HIS_PRESSED : ((int)dis.itemID == m_hotItem ? HIS_HOT : HIS_NORMAL);
            m_drawThemeBackground(m_theme, dc, HP_HEADERITEM, state, &r, nullptr);
        }
    }

    char title[32] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    GetItem((int)dis.itemID, item);

    const bool sorted = (int)dis.itemID == m_sortColumn;
    const ListRect text = HeaderTextRect(ToListRect(r), pressed, sorted);
    RECT textRect{text.left, text.top, text.right, text.bottom};
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_colorText);
    CSelectGuard keepFont(dc, m_font);
    if (textRect.left < textRect.right) {
        dc.DrawText(title, -1, textRect, kTitleFormat);
    }

    if (sorted) {
        CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        CSelectGuard keepPen(dc, light);
        for (const ArrowStroke& stroke : SortArrowStrokes(ToListRect(r), m_ascending != FALSE)) {
            dc.SelectObject(stroke.highlight ? light : shadow);
            dc.MoveTo(stroke.points[0].x, stroke.points[0].y);
            for (int i = 1; i < stroke.count; ++i) {
                dc.LineTo(stroke.points[i].x, stroke.points[i].y);
            }
        }
    }
    dc.RestoreDC(saved);
}

void CSortHeaderCtrl::OnMouseMove(UINT, POINT point) {
    if (m_theme) {
        int hot = -1;
        const int count = GetItemCount();
        for (int i = 0; i < count; ++i) {
            const RECT rc = GetItemRect(i);
            if (::PtInRect(&rc, point)) {
                hot = i;
                break;
            }
        }
        if (hot != m_hotItem) {
            m_hotItem = hot;
            Invalidate(FALSE);
        }
        if (!m_tracking) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_hWnd, 0};
            m_tracking = ::_TrackMouseEvent(&tme) ? TRUE : FALSE;
        }
    }
    Default();
}

LRESULT CSortHeaderCtrl::OnMouseLeave() {
    if (m_theme && m_tracking) {
        if (m_hotItem != -1) {
            m_hotItem = -1;
            Invalidate(FALSE);
        }
        Default();
    }
    m_tracking = FALSE;
    return 0;
}
