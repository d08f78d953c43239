#include "controls/ListCtrlEx.h"

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

// The list's rows as the sort sees them: texts read from the control for every comparison, whole rows
// rewritten on every swap. A sort of the largest list sends about a million messages; they go straight
// to the list view's own procedure, past this object's handler table, which has nothing to add to them.
class ListRows : public SortableRows {
public:
    ListRows(HWND list, int column, int columns)
        : m_list(list), m_proc((WNDPROC)::GetClassLongPtrW(list, GCLP_WNDPROC)), m_column(column),
          m_columns(columns) {}

    std::string_view KeyText(int row) override { return Read(row, m_column, m_key); }

    void SwapRows(int a, int b) override {
        for (int column = 1; column < m_columns; ++column) {
            const std::string_view textA = Read(a, column, m_textA);
            const std::string_view textB = Read(b, column, m_textB);
            if (textA != textB) {
                Write(a, column, m_textB.data());
                Write(b, column, m_textA.data());
            }
        }
        // The first column's text goes with the attributes: the list tells its parent about each
        // change of an item's own fields, so one change per row is half the notifications.
        LVITEMA itemA = Attributes(a, m_textA);
        LVITEMA itemB = Attributes(b, m_textB);
        std::swap(itemA.iItem, itemB.iItem);
        Call(LVM_SETITEMA, 0, (LPARAM)&itemB);
        Call(LVM_SETITEMA, 0, (LPARAM)&itemA);
    }

private:
    LRESULT Call(UINT msg, WPARAM wParam, LPARAM lParam) const {
        return m_proc ? ::CallWindowProcW(m_proc, m_list, msg, wParam, lParam)
                      : ::SendMessageA(m_list, msg, wParam, lParam);
    }

    // A cell's text, zero-terminated in `buffer`; grows for the rare long text.
    std::string_view Read(int row, int column, std::string& buffer) const {
        if (buffer.size() < 128) {
            buffer.resize(128);
        }
        for (;;) {
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = buffer.data();
            item.cchTextMax = (int)buffer.size();
            buffer[0] = '\0';
            const int length = (int)Call(LVM_GETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
            if (length < (int)buffer.size() - 1) {
                return std::string_view(buffer.data(), (size_t)std::max(length, 0));
            }
            buffer.resize(buffer.size() * 2);
        }
    }

    void Write(int row, int column, const char* text) const {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text);
        Call(LVM_SETITEMTEXTA, (WPARAM)row, (LPARAM)&item);
    }

    // Everything of a row but its subitems' texts; the text is held in `buffer`.
    LVITEMA Attributes(int row, std::string& buffer) const {
        const std::string_view text = Read(row, 0, buffer);
        LVITEMA item{};
        item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = row;
        item.stateMask = kMovedStates;
        Call(LVM_GETITEMA, 0, (LPARAM)&item);
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.stateMask = kMovedStates;
        item.pszText = const_cast<char*>(text.data());
        return item;
    }

    HWND m_list;
    WNDPROC m_proc;
    int m_column;
    int m_columns;
    std::string m_key, m_textA, m_textB;
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
    const RECT client = GetClientRect();
    if (!FitColumnWidths(widths, client.right - client.left)) {
        return;
    }
    SetRedraw(FALSE);
    for (int i = 0; i < count; ++i) {
        SetColumnWidth(i, widths[(size_t)i] & 0xFFFF);
    }
    SetRedraw(TRUE);
    ::ShowScrollBar(m_hWnd, SB_HORZ, FALSE);
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
    ListRows rows(m_hWnd, column, columns);
    // Every rewritten row would be invalidated on its own, each a trip to the window server: the list
    // repaints once, at the end.
    SetRedraw(FALSE);
    QuickSortRows(rows, low, high, m_ascending != FALSE,
                  column == columns - 1 ? SortKeyKind::Text : SortKeyKind::Number);
    SetRedraw(TRUE);
    Invalidate(FALSE);
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
