#pragma once
#include "framework/Font.h"
#include "framework/HeaderCtrl.h"

#include <uxtheme.h>

class CDC;

// The decode list's header: paints every column title itself, off-screen, with the visual-style header
// background where the theme library is loaded (hover highlight included), a flat 3D look otherwise, and
// an etched arrow on the column sorted last. Its height is set, not taken from the font.
class CSortHeaderCtrl : public CHeaderCtrl {
public:
    CSortHeaderCtrl();
    ~CSortHeaderCtrl() override;

    // The column that shows the arrow and its direction (nonzero ascending, arrow up).
    void SetSortColumn(int column, BOOL ascending);
    void ResetSortColumn();
    int GetSortColumn() const { return m_sortColumn; }
    BOOL IsAscending() const { return m_ascending; }
    int GetHotItem() const { return m_hotItem; }
    BOOL IsThemed() const { return m_theme != nullptr; }

    void SetHeaderFont(const LOGFONTA* logFont);
    // Takes effect at the header's next layout.
    void SetHeaderHeight(int height) { m_height = height; }

    // Draws one title into the record's context (the off-screen one while painting).
    void DrawItem(DRAWITEMSTRUCT& dis);

protected:
    const MessageMap* GetMessageMap() const override;
    void PreSubclassWindow() override;

    void OnMouseMove(UINT flags, POINT point);
    void OnPaint();
    LRESULT OnMouseLeave();
    LRESULT OnLayout(HDLAYOUT& layout);
    void DrawAllItems(CDC& dc);
    void MarkItemsOwnerDrawn();
    // Forgets the visual style (closing its data), as when the theme library is not loaded.
    void CloseTheme();

    using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);

    int m_sortColumn = -1;
    int m_hotItem = -1;
    int m_height = 18;
    CFont m_font;
    BOOL m_ascending = TRUE;
    BOOL m_tracking = FALSE;
    HTHEME m_theme = nullptr;
    HMODULE m_uxtheme = nullptr;
    DrawThemeBackgroundFn m_drawThemeBackground = nullptr;
    COLORREF m_colorFace;
    COLORREF m_colorText;
    COLORREF m_colorLight;
    COLORREF m_colorShadow;
    COLORREF m_colorDivider;
    LOGFONTA m_logFont{};
};
