#include "controls/win/ListCtrlEx.h"

#include <algorithm>
#include <string>
#include <vector>

#include "controls/ListGeometry.h"
#include "controls/RowSort.h"
#include "framework/DC.h"
#include "framework/SelectGuard.h"

namespace {

// Cell drawing: one line, centred vertically, no prefix processing, "..." when too long.
constexpr UINT kCellFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
static_assert(kCellFormat == 0x8824);

// The state bits a row carries through a sort: selected, focused, cut, drop-highlighted, overlay and
// state image.
constexpr UINT kMovedStates = 0xFF0F;

// Time and frequency centred, SNR and DT right-aligned (the decimal points line up), messages left.
UINT CellAlignment(int column) {
    switch (column) {
    case 0:
    case 3:
        return DT_CENTER;
    case 1:
    case 2:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}

// The wait cursor for the life of the object.
class CWaitCursor {
public:
    CWaitCursor() : m_previous(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

// The list's cells as the sort reads and writes them. The messages go straight to the list view's own
// procedure, past this object's handler table, which has nothing to add to them.
class ListCells {
public:
    explicit ListCells(HWND list) : m_list(list), m_proc((WNDPROC)::GetClassLongPtrW(list, GCLP_WNDPROC)) {}

    std::string Text(int row, int column) {
        for (;;) {
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = m_buffer.data();
            item.cchTextMax = (int)m_buffer.size();
            m_buffer[0] = '\0';
            const int length = (int)Call(LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
            if (length < (int)m_buffer.size() - 1) {
                return std::string(m_buffer.data(), (size_t)std::max(length, 0));
            }
            m_buffer.resize(m_buffer.size() * 2); // the rare long text
        }
    }

    void SetText(int row, int column, const std::string& text) const {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text.c_str());
        Call(LVM_SETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
    }

    // A row's image, item data and the state bits that travel with it.
    LVITEMA Attributes(int row) const {
        LVITEMA item{};
        item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = row;
        item.stateMask = kMovedStates;
        Call(LVM_GETITEMA, 0, (LPARAM)&item);
        return item;
    }

    void SetItem(const LVITEMA& item) const { Call(LVM_SETITEMA, 0, (LPARAM)&item); }

private:
    LRESULT Call(UINT msg, WPARAM wParam, LPARAM lParam) const {
        return m_proc ? ::CallWindowProcW(m_proc, m_list, msg, wParam, lParam)
                      : ::SendMessageA(m_list, msg, wParam, lParam);
    }

    HWND m_list;
    WNDPROC m_proc;
    std::string m_buffer = std::string(128, '\0');
};

// Everything a row carries from one place to another.
struct RowContent {
    std::vector<std::string> texts;
    LVITEMA attributes{};
};

} // namespace

const MessageMap* CListCtrlEx::GetMessageMap() const {
    static constexpr MessageEntry entries[] = {
        OnReflectedNotify<&CListCtrlEx::OnColumnClick>(LVN_COLUMNCLICK),
        On<kReflectedMeasureItem, &CListCtrlEx::MeasureItem>(),
        On<kReflectedDrawItem, &CListCtrlEx::DrawItem>(),
    };
    static const MessageMap map{CListCtrl::GetMessageMap(), entries};
    return &map;
}

int CListCtrlEx::HeaderItemCount() const {
    return (int)::SendMessageA(GetHeaderCtrl(), HDM_GETITEMCOUNT, 0, 0);
}

void CListCtrlEx::SetListFont(const LOGFONTA* logFont) {
    if (!logFont) {
        return;
    }
    m_font.CreateFontIndirect(*logFont);
    m_logFont = *logFont;
}

void CListCtrlEx::MeasureItem(MEASUREITEMSTRUCT& mis) {
    mis.itemHeight = RowHeightForFont(m_rowHeight, m_logFont.lfHeight);
}

void CListCtrlEx::SetRowHeight(UINT height) {
    const int top = GetTopIndex();
    EnsureVisible(0, FALSE);
    m_rowHeight = height;
    m_header.SetHeaderHeight((int)height);

    // The list measures its rows once, when it is created (before it was taken over here): a frame
    // change makes it ask again, and lay out its header anew.
    const RECT rc = GetWindowRect();
    WINDOWPOS pos{};
    pos.hwnd = m_hWnd;
    pos.cx = rc.right - rc.left;
    pos.cy = rc.bottom - rc.top;
    pos.flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER;
    SendMessage(WM_WINDOWPOSCHANGED, 0, (LPARAM)&pos);

    const int count = GetItemCount();
    if (count > 0) {
        EnsureVisible(count - 1, TRUE);
        EnsureVisible(top, TRUE);
    }
}

void CListCtrlEx::FitColumnsToWidth() {
    const int count = HeaderItemCount();
    std::vector<int> widths((size_t)std::max(count, 0));
    for (int i = 0; i < count; ++i) {
        widths[(size_t)i] = GetColumnWidth(i);
    }
    const std::vector<int> before = widths;
    const RECT client = GetClientRect();
    if (!FitColumnWidths(widths, client.right - client.left)) {
        return;
    }
    SetRedraw(FALSE);
    for (int i = 0; i < count; ++i) {
        if (widths[(size_t)i] != before[(size_t)i]) {
            SetColumnWidth(i, widths[(size_t)i] & 0xFFFF);
        }
    }
    SetRedraw(TRUE);
    // Hiding a scroll bar is a frame change even when there is none to hide.
    if (GetStyle() & WS_HSCROLL) {
        ::ShowScrollBar(m_hWnd, SB_HORZ, FALSE);
    }
}

LRESULT CListCtrlEx::OnColumnClick(NMLISTVIEW& info) {
    m_sortColumn = info.iSubItem;
    m_ascending = !m_ascending;
    {
        CWaitCursor wait;
        SortByColumn(m_sortColumn);
    }
    m_header.SetSortColumn(m_sortColumn, m_ascending);
    return 0;
}

bool CListCtrlEx::SortByColumn(int column, int low, int high) {
    const int columns = HeaderItemCount();
    if (column < 0 || column >= columns) {
        return false;
    }
    const int count = GetItemCount();
    if (high == -1) {
        high = count - 1;
    }
    // A range outside the rows would swap cells of rows that are not there.
    if (high <= low || low < 0 || high >= count) {
        return false;
    }
    // The keys are read once and sorted in memory; then every row that moves is read whole and written
    // to its place once. Rewritten rows would each be invalidated on their own, each a trip to the window
    // server: the list repaints once, at the end.
    ListCells cells(m_hWnd);
    const int n = high - low + 1;
    std::vector<std::string> keys((size_t)n);
    for (int i = 0; i < n; ++i) {
        keys[(size_t)i] = cells.Text(low + i, column);
    }
    const std::vector<int> order = SortRowOrder(
        keys, m_ascending != FALSE, column == columns - 1 ? SortKeyKind::Text : SortKeyKind::Number);
    // A row moves exactly when its place gets another row, so the rows to read are the places to write.
    std::vector<RowContent> rows((size_t)n);
    for (int i = 0; i < n; ++i) {
        if (order[(size_t)i] == i) {
            continue;
        }
        RowContent& row = rows[(size_t)i];
        row.texts.resize((size_t)columns);
        for (int c = 0; c < columns; ++c) {
            row.texts[(size_t)c] = c == column ? std::move(keys[(size_t)i]) : cells.Text(low + i, c);
        }
        row.attributes = cells.Attributes(low + i);
    }
    SetRedraw(FALSE);
    for (int i = 0; i < n; ++i) {
        const int from = order[(size_t)i];
        if (from == i) {
            continue;
        }
        const RowContent& was = rows[(size_t)i];
        const RowContent& row = rows[(size_t)from];
        for (int c = 1; c < columns; ++c) {
            if (row.texts[(size_t)c] != was.texts[(size_t)c]) {
                cells.SetText(low + i, c, row.texts[(size_t)c]);
            }
        }
        // The first column's text goes with the attributes: the list tells its parent about each change
        // of an item's own fields, so one change per row keeps those notifications to one pair.
        LVITEMA item = row.attributes;
        item.iItem = low + i;
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.stateMask = kMovedStates;
        item.pszText = const_cast<char*>(row.texts[0].c_str());
        cells.SetItem(item);
    }
    SetRedraw(TRUE);
    Invalidate(FALSE);
    if (m_onReorder) {
        std::vector<int> previousRow((size_t)count);
        for (int row = 0; row < count; ++row) {
            previousRow[(size_t)row] = row;
        }
        for (int i = 0; i < n; ++i) {
            previousRow[(size_t)(low + i)] = low + order[(size_t)i];
        }
        m_onReorder(previousRow);
    }
    return true;
}

void CListCtrlEx::DrawItem(DRAWITEMSTRUCT& dis) {
    CDC dc(dis.hDC);
    const int row = (int)dis.itemID;
    const UINT state = GetItemState(row, (UINT)-1);
    const bool highlighted =
        (state & LVIS_DROPHILITED) ||
        ((state & LVIS_SELECTED) && (::GetFocus() == m_hWnd || (GetStyle() & LVS_SHOWSELALWAYS)));

    RECT bounds{};
    GetItemRect(row, bounds, LVIR_BOUNDS);
    // The inset comes from the list window's own font, the one in the context as drawing starts.
    const int inset = 2 * dc.GetTextExtent(" ", 1).cx;

    const RECT client = GetClientRect();
    const COLORREF back = highlighted ? m_colorSelect : (dis.itemData ? m_colorWarn : m_colorBack);
    dc.FillSolidRect(RECT{0, bounds.top, std::max(bounds.right, client.right), bounds.bottom}, back);
    dc.SetTextColor(m_colorText);
    CSelectGuard keepFont(dc, m_font);

    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    int left = bounds.left;
    char text[260]; // cells hold short texts: a decoded message keeps 32 bytes
    for (int c = 0; GetColumn(c, column); ++c) {
        RECT cell{left + inset, bounds.top, left + column.cx - inset, bounds.bottom};
        left += column.cx;
        const int length = GetItemText(row, c, text, sizeof text);
        dc.DrawText(text, length, cell, kCellFormat | CellAlignment(c));
    }
}
