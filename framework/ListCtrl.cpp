#include "framework/ListCtrl.h"

int CListCtrl::InsertColumn(int index, const char* heading, int format, int width) const {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(heading);
    column.iSubItem = index;
    return (int)SendMessage(LVM_INSERTCOLUMNA, index, (LPARAM)&column);
}

int CListCtrl::InsertItem(int index, const char* text, LPARAM data) const {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<char*>(text);
    item.lParam = data;
    return (int)SendMessage(LVM_INSERTITEMA, 0, (LPARAM)&item);
}

BOOL CListCtrl::SetItemText(int row, int column, const char* text) const {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    return (BOOL)SendMessage(LVM_SETITEMTEXTA, row, (LPARAM)&item);
}

int CListCtrl::GetItemText(int row, int column, char* buffer, int size) const {
    if (size <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = size;
    return (int)SendMessage(LVM_GETITEMTEXTA, row, (LPARAM)&item);
}

std::string CListCtrl::GetItemText(int row, int column) const {
    // Cell texts here are short; grow only for the rare long one.
    std::string text(256, '\0');
    for (;;) {
        const int length = GetItemText(row, column, text.data(), (int)text.size());
        if (length < (int)text.size() - 1) {
            text.resize(length);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

BOOL CListCtrl::SetItemData(int row, DWORD_PTR data) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = (LPARAM)data;
    return SetItem(item);
}

DWORD_PTR CListCtrl::GetItemData(int row) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return GetItem(item) ? (DWORD_PTR)item.lParam : 0;
}

BOOL CListCtrl::SetItemState(int row, UINT state, UINT mask) const {
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    return (BOOL)SendMessage(LVM_SETITEMSTATE, row, (LPARAM)&item);
}

BOOL CListCtrl::GetItemRect(int row, RECT& rect, int code) const {
    rect = RECT{};
    rect.left = code;
    return (BOOL)SendMessage(LVM_GETITEMRECT, row, (LPARAM)&rect);
}
