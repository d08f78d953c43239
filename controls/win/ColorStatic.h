#pragma once
#include <string>

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/Static.h"

// A static text that paints itself: background, text colour, horizontal alignment, its own font and an
// optional one-pixel line along the bottom. It draws through a back buffer kept between paints, so a
// clock or status line that changes every second does not flicker. Only the text given to SetText is
// drawn, never the window's own caption. Setters store the value and invalidate; none draws at once.
class CColorStatic : public CStatic {
public:
    CColorStatic();
    ~CColorStatic() override;

    void SetText(const char* text);
    const std::string& GetText() const { return m_strText; }
    void SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_crBack; }
    void SetTextColor(COLORREF color);
    // Horizontal alignment: DT_LEFT, DT_CENTER or DT_RIGHT.
    void SetFormat(UINT format);
    void SetBottomLine(BOOL on, COLORREF color);
    // Tahoma from the GUI font's size; bold makes it 700 and a tenth taller.
    void SetTahomaFont(BOOL bold);

protected:
    const MessageMap* GetMessageMap() const override;
    void OnPaint();
    BOOL OnEraseBkgnd(HDC dc);

    COLORREF m_crBack;
    COLORREF m_crText;
    COLORREF m_crLine;
    UINT m_nFormat = 0;
    std::string m_strText;
    CFont m_font;
    CBitmap m_bitmap;
    RECT m_rcClient{};
    BOOL m_bLine = FALSE;
};
