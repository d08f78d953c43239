#pragma once
#include <string>

#include "framework/Brush.h"
#include "framework/Cursor.h"
#include "framework/Font.h"
#include "framework/Static.h"

// A static control drawn and acting as a web link: its text in the link colour (the user's browser link
// colours when the registry holds them), underlined while the mouse rests on it, a hand over the text,
// and on a click the target opened by the shell, after which the text takes the visited colour.
class CHyperLink : public CStatic {
public:
    CHyperLink();
    ~CHyperLink() override;

    // The text drawn; it becomes the window's caption too.
    void SetText(const char* text);
    // What the shell opens: a web address or a "mailto:" address, handed over unchanged.
    void SetUrl(const char* url) { m_strUrl = url ? url : ""; }

protected:
    const MessageMap* GetMessageMap() const override;
    void PreSubclassWindow() override;

    void OnMouseMove(UINT flags, POINT point);
    BOOL OnSetCursor(HWND window, UINT hitTest, UINT message);
    void OnPaint();
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    LRESULT OnMouseLeave();
    LRESULT OnMouseHover(UINT flags, POINT point);

    bool IsInsideText(POINT point) const { return ::PtInRect(&m_rcText, point) != FALSE; }

    CCursor m_hLinkCursor;
    CCursor m_hPressedCursor;
    HCURSOR m_hArrowCursor = nullptr; // shared system cursor: never destroyed
    BOOL m_bHover = FALSE;
    BOOL m_bVisited = FALSE;
    RECT m_rcText{}; // the clickable area, from the last paint
    CBrush m_brushBack;
    CFont m_fontNormal;
    CFont m_fontUnderline;
    std::string m_strText;
    std::string m_strUrl;
    COLORREF m_crHover = RGB(0, 0, 255);
    COLORREF m_crLink = RGB(0, 0, 200);
    COLORREF m_crVisited = RGB(5, 34, 143);
};
