#include "controls/win/ListCtrlEx.h"

#include <algorithm>
#include <climits>
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
// procedure, past this object's handler table, which has nothing to add to them. The procedure is called
// directly: its class is a wide one, so GetClassLongPtrW gives its address rather than a handle for
// CallWindowProc, and that call's own work would be half the cost of reading a key.
class ListCells {
public:
    explicit ListCells(HWND list) : m_list(list), m_proc((WNDPROC)::GetClassLongPtrW(list, GCLP_WNDPROC)) {}

    // A cell's text as the ANSI messages give it. The list view keeps its texts wide, so a wide read
    // skips its conversion; a text beyond ASCII is read again narrow, to get exactly the code page's bytes.
    std::string Text(int row, int column) {
        const int length = Read<LVITEMW>(LVM_GETITEMTEXTW, m_wide, row, column);
        std::string text((size_t)length, '\0');
        for (int i = 0; i < length; ++i) {
            if (m_wide[(size_t)i] >= 0x80) {
                return std::string(m_narrow.data(),
                                   (size_t)Read<LVITEMA>(LVM_GETITEMTEXTA, m_narrow, row, column));
            }
            text[(size_t)i] = (char)m_wide[(size_t)i];
        }
        return text;
    }

    void SetData(int row, LPARAM data) const {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = data;
        Call(LVM_SETITEMA, 0, (LPARAM)&item);
    }

    LPARAM Data(int row) const {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        Call(LVM_GETITEMA, 0, (LPARAM)&item);
        return item.lParam;
    }

    void SortItems(PFNLVCOMPARE compare, LPARAM context) const {
        Call(LVM_SORTITEMS, (WPARAM)context, (LPARAM)compare);
    }

private:
    // Reads a cell's text into the buffer, which grows for the rare long text; gives its length.
    template <class Item, class Buffer> int Read(UINT msg, Buffer& buffer, int row, int column) const {
        for (;;) {
            Item item{};
            item.iSubItem = column;
            item.pszText = buffer.data();
            item.cchTextMax = (int)buffer.size();
            buffer[0] = 0;
            const int length = std::max((int)Call(msg, (WPARAM)row, (LPARAM)&item), 0);
            if (length < (int)buffer.size() - 1) {
                return length;
            }
            buffer.resize(buffer.size() * 2);
        }
    }

    LRESULT Call(UINT msg, WPARAM wParam, LPARAM lParam) const {
        return m_proc ? m_proc(m_list, msg, wParam, lParam) : ::SendMessageA(m_list, msg, wParam, lParam);
    }

    HWND m_list;
    WNDPROC m_proc;
    std::wstring m_wide = std::wstring(128, L'\0');
    std::string m_narrow = std::string(128, '\0');
};

constexpr int kIdShift = 1; // the row id sits above the warning flag

// The final place of each row by row id, for the list view's own sort; an id it does not know (item
// data changed past the list) goes last rather than reading outside the table.
struct RankTable {
    std::vector<int> ranks;

    static int CALLBACK Compare(LPARAM a, LPARAM b, LPARAM self) {
        const std::vector<int>& ranks = reinterpret_cast<const RankTable*>(self)->ranks;
        const auto rank = [&ranks](LPARAM data) {
            const size_t id = (size_t)((ULONG_PTR)data >> kIdShift);
            return id < ranks.size() ? ranks[id] : INT_MAX;
        };
        const int x = rank(a), y = rank(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
};

} // namespace

const MessageMap* CListCtrlEx::GetMessageMap() const {
    static constexpr MessageEntry entries[] = {
        OnReflectedNotify<&CListCtrlEx::OnColumnClick>(LVN_COLUMNCLICK),
        OnRange<&CListCtrlEx::OnRowMessage>(LVM_SETITEMA, LVM_DELETEALLITEMS),
        OnRange<&CListCtrlEx::OnRowMessage>(LVM_SETITEMW, LVM_INSERTITEMW),
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

uint32_t CListCtrlEx::NewRowId() {
    if (m_freeIds.empty()) {
        return m_nextId++;
    }
    const uint32_t id = m_freeIds.back();
    m_freeIds.pop_back();
    return id;
}

LRESULT CListCtrlEx::OnRowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    static_assert(sizeof(LVITEMA) == sizeof(LVITEMW));
    const auto* given = reinterpret_cast<const LVITEMA*>(lParam);
    switch (msg) {
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW: {
        if (!given) {
            break;
        }
        LVITEMA item = *given;
        const uint32_t id = NewRowId();
        item.lParam = ((item.mask & LVIF_PARAM) ? item.lParam & kWarning : 0) | (LPARAM)id << kIdShift;
        item.mask |= LVIF_PARAM;
        const int count = GetItemCount();
        const int row = (int)DefaultProc(msg, wParam, (LPARAM)&item);
        if (row >= 0 && row <= count && (int)m_rowIds.size() == count) {
            m_rowIds.insert(m_rowIds.begin() + row, id);
        } else if (row < 0) {
            m_freeIds.push_back(id);
        }
        return row;
    }
    case LVM_SETITEMA:
    case LVM_SETITEMW: {
        // Only the warning flag is the caller's to change.
        if (!given || !(given->mask & LVIF_PARAM) || given->iSubItem != 0 || given->iItem < 0 ||
            given->iItem >= (int)m_rowIds.size()) {
            break;
        }
        LVITEMA item = *given;
        item.lParam = (item.lParam & kWarning) | (LPARAM)m_rowIds[(size_t)item.iItem] << kIdShift;
        return DefaultProc(msg, wParam, (LPARAM)&item);
    }
    case LVM_DELETEITEM: {
        const int row = (int)wParam;
        const int count = GetItemCount();
        const LRESULT deleted = DefaultProc(msg, wParam, lParam);
        if (deleted && (int)m_rowIds.size() == count && row >= 0 && row < count) {
            m_freeIds.push_back(m_rowIds[(size_t)row]);
            m_rowIds.erase(m_rowIds.begin() + row);
        }
        return deleted;
    }
    case LVM_DELETEALLITEMS: {
        const LRESULT deleted = DefaultProc(msg, wParam, lParam);
        if (deleted) {
            m_rowIds.clear();
            m_freeIds.clear();
            m_nextId = 0;
        }
        return deleted;
    }
    default:
        break;
    }
    return Default();
}

void CListCtrlEx::RenumberRows() {
    const ListCells cells(m_hWnd);
    const int count = GetItemCount();
    m_rowIds.resize((size_t)count);
    m_freeIds.clear();
    for (int row = 0; row < count; ++row) {
        m_rowIds[(size_t)row] = (uint32_t)row;
        cells.SetData(row, (cells.Data(row) & kWarning) | (LPARAM)row << kIdShift);
    }
    m_nextId = (uint32_t)count;
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
    if (high <= low || low < 0 || high >= count) {
        return false;
    }
    if ((int)m_rowIds.size() != count) {
        RenumberRows();
    }
    // The keys are read once and the order computed in memory; then the list view moves its rows
    // itself, told each row's final place through its id. Rewriting the rows would cost every moved
    // cell a trip through the list view and every moved row two notifications of its parent.
    ListCells cells(m_hWnd);
    const int n = high - low + 1;
    std::vector<std::string> keys((size_t)n);
    for (int i = 0; i < n; ++i) {
        keys[(size_t)i] = cells.Text(low + i, column);
    }
    const std::vector<int> order = SortRowOrder(
        keys, m_ascending != FALSE, column == columns - 1 ? SortKeyKind::Text : SortKeyKind::Number);
    std::vector<int> previousRow((size_t)count);
    for (int row = 0; row < count; ++row) {
        previousRow[(size_t)row] = row;
    }
    for (int i = 0; i < n; ++i) {
        previousRow[(size_t)(low + i)] = low + order[(size_t)i];
    }
    RankTable table;
    table.ranks.resize(m_nextId);
    std::vector<uint32_t> ids((size_t)count);
    for (int row = 0; row < count; ++row) {
        ids[(size_t)row] = m_rowIds[(size_t)previousRow[(size_t)row]];
        table.ranks[ids[(size_t)row]] = row;
    }
    cells.SortItems(&RankTable::Compare, (LPARAM)&table);
    m_rowIds = std::move(ids);
    if (m_onReorder) {
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
    const COLORREF back = highlighted ? m_colorSelect : (IsWarning(dis.itemData) ? m_colorWarn : m_colorBack);
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
