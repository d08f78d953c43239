#pragma once
#include <string>

#include "framework/Wnd.h"

// A report-style list view. Row and column operations forward to the LVM_ messages.
class CListCtrl : public CWnd {
public:
    int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
    int InsertColumn(int index, const char* heading, int format, int width) const;
    BOOL GetColumn(int index, LVCOLUMNA& column) const {
        return (BOOL)SendMessage(LVM_GETCOLUMNA, index, (LPARAM)&column);
    }
    int GetColumnWidth(int index) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, index); }
    BOOL SetColumnWidth(int index, int width) const {
        return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, index, MAKELPARAM(width, 0));
    }
    // Inserts a row with its first cell's text (and its item data); returns its index or -1.
    int InsertItem(int index, const char* text, LPARAM data = 0) const;
    BOOL SetItemText(int row, int column, const char* text) const;
    std::string GetItemText(int row, int column) const;
    // Copies a cell's text into a caller's buffer (no allocation); returns its length.
    int GetItemText(int row, int column, char* buffer, int size) const;
    BOOL GetItem(LVITEMA& item) const { return (BOOL)SendMessage(LVM_GETITEMA, 0, (LPARAM)&item); }
    BOOL SetItem(const LVITEMA& item) const { return (BOOL)SendMessage(LVM_SETITEMA, 0, (LPARAM)&item); }
    BOOL SetItemData(int row, DWORD_PTR data) const;
    DWORD_PTR GetItemData(int row) const;
    UINT GetItemState(int row, UINT mask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, row, mask); }
    BOOL SetItemState(int row, UINT state, UINT mask) const;
    BOOL DeleteItem(int row) const { return (BOOL)SendMessage(LVM_DELETEITEM, row); }
    BOOL DeleteAllItems() const { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
    BOOL EnsureVisible(int row, BOOL partialOk) const {
        return (BOOL)SendMessage(LVM_ENSUREVISIBLE, row, partialOk);
    }
    int GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX); }
    BOOL GetItemRect(int row, RECT& rect, int code) const;
    DWORD SetExtendedStyle(DWORD style) const {
        return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style);
    }
    DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE); }
    HWND GetHeaderCtrl() const { return (HWND)SendMessage(LVM_GETHEADER); }
};
