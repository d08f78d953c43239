#pragma once
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/ToolTipCtrl.h"

// A push button that shows a picture from one of the program's "PNG" resources instead of its caption.
// LoadImages decodes the picture once and renders one bitmap per state, so drawing is a single copy:
// pressed before disabled before hot (focus, or the mouse resting on the button) before normal. No
// caption and no focus rectangle are drawn. A tooltip comes with the first SetTooltipText.
class CPngButton : public CButton {
public:
    CPngButton() = default;
    ~CPngButton() override = default;

    // Builds the four state bitmaps from the picture; false, changing nothing, when it cannot be
    // decoded. Call it after the button is bound to its dialog item; a second call replaces the bitmaps.
    BOOL LoadImages(UINT resourceId);
    void SetTooltipText(const char* text);

protected:
    const MessageMap* GetMessageMap() const override;
    // The button draws itself from then on.
    void PreSubclassWindow() override;
    void DrawItem(DRAWITEMSTRUCT& dis);
    void OnMouseMove(UINT flags, POINT point);
    LRESULT OnMouseHover(UINT flags, POINT point);
    LRESULT OnMouseLeave();
    const CBitmap& StateBitmap(UINT itemState) const;

    CBitmap m_bmpNormal;
    CBitmap m_bmpHot;
    CBitmap m_bmpDisabled;
    CBitmap m_bmpPressed;
    BOOL m_bHover = FALSE;    // the mouse rests on the button (hover reported, leave not yet)
    BOOL m_bTracking = FALSE; // a hover-and-leave tracking request is outstanding
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;
    CToolTipCtrl m_toolTip;
};
