#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "controls/win/SortHeaderCtrl.h"
#include "framework/Font.h"
#include "framework/ListCtrl.h"

// The decode list: a report view with fixed owner-drawn rows that draws every row itself in four
// colours (text; background, selection and warning backgrounds), sizes its rows from its font, fits its
// columns to its width and sorts its rows when a column title is clicked (first descending, then
// toggling). Its header, `m_header`, is attached by the owner.
//
// A row's item data carries the warning flag in bit 0 (`kWarning`); the bits above are the list's own
// row id, unique among its rows, which every insert gives and every change of item data keeps. A sort
// hands the list view its order through them. Rows move only through SortByColumn.
class CListCtrlEx : public CListCtrl {
public:
    CListCtrlEx() = default;
    ~CListCtrlEx() override = default;

    static constexpr LPARAM kWarning = 1;
    static bool IsWarning(DWORD_PTR itemData) { return (itemData & kWarning) != 0; }
    bool IsWarningRow(int row) const { return IsWarning(GetItemData(row)); }

    CSortHeaderCtrl m_header;

    // The font of the cells (the window's own font is left as it is); null changes nothing.
    void SetListFont(const LOGFONTA* logFont);
    // Rows at least `height` pixels; the header gets exactly that height.
    void SetRowHeight(UINT height);
    // Spreads the difference between the columns' total and the client width over the columns.
    void FitColumnsToWidth();
    // Sorts rows low..high (high -1: the last row) by a column's text, numerically except for the last
    // column; the direction is that of the last column click. False when there is nothing to sort.
    bool SortByColumn(int column, int low = 0, int high = -1);
    // Told after every sort which row each row was before it (previousRow[i] for row i), so an owner
    // that keeps something per row can follow.
    void SetReorderHandler(std::function<void(std::span<const int> previousRow)> handler) {
        m_onReorder = std::move(handler);
    }

    // The caller invalidates the list after changing colours.
    void SetColorText(COLORREF color) { m_colorText = color; }
    void SetColorBack(COLORREF color) { m_colorBack = color; }
    void SetColorSelect(COLORREF color) { m_colorSelect = color; }
    void SetColorWarn(COLORREF color) { m_colorWarn = color; }

    // A row index the owner keeps with the list (-1 none); the list does not use it.
    int GetMarkedRow() const { return m_markedRow; }
    void SetMarkedRow(int row) { m_markedRow = row; }

    int GetSortColumn() const { return m_sortColumn; }
    BOOL IsAscending() const { return m_ascending; }

    void DrawItem(DRAWITEMSTRUCT& dis);

protected:
    const MessageMap* GetMessageMap() const override;

    LRESULT OnColumnClick(NMLISTVIEW& info);
    // Gives inserted rows their ids and keeps them through item-data changes and deletions.
    LRESULT OnRowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    uint32_t NewRowId();
    // Gives every row a fresh id, for a list whose rows changed past this object.
    void RenumberRows();
    void MeasureItem(MEASUREITEMSTRUCT& mis);
    int HeaderItemCount() const;

    int m_sortColumn = -1;
    int m_markedRow = -1;
    UINT m_rowHeight = 18;
    BOOL m_ascending = TRUE;
    CFont m_font;
    COLORREF m_colorText = RGB(0, 0, 0);
    COLORREF m_colorBack = RGB(255, 255, 255);
    COLORREF m_colorSelect = 0x000080FF;
    COLORREF m_colorWarn = 0x009678FA;
    LOGFONTA m_logFont{};
    std::function<void(std::span<const int>)> m_onReorder;
    std::vector<uint32_t> m_rowIds;  // per row as shown, its id
    std::vector<uint32_t> m_freeIds; // ids of deleted rows, given again first
    uint32_t m_nextId = 0;           // ids stay below this, so a table indexed by id stays small
};
