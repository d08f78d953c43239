#include "controls/win/PngButton.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "controls/win/MemoryDC.h"
#include "controls/PngPixels.h"
#include "controls/win/PngResource.h"
#include "framework/ClientDC.h"
#include "framework/ProcAddress.h"
#include "framework/SelectGuard.h"
#include "framework/WinApp.h"

namespace {

// How long the mouse rests before the button shows its hot picture.
constexpr DWORD kHoverTimeMs = 10;

// The toolbar button's visual style, when the process has loaded the theme library already (common
// controls 6 bring it; it is never loaded for this). Open for one build of the bitmaps.
class ToolbarTheme {
public:
    ToolbarTheme() : m_module(::GetModuleHandleA("uxtheme.dll")) {
        using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
        if (auto open = GetProcAddressAs<OpenThemeDataFn>(m_module, "OpenThemeData")) {
            m_theme = open(nullptr, L"TOOLBAR");
        }
    }
    ~ToolbarTheme() {
        using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
        if (auto close = m_theme ? GetProcAddressAs<CloseThemeDataFn>(m_module, "CloseThemeData") : nullptr) {
            close(m_theme);
        }
    }
    ToolbarTheme(const ToolbarTheme&) = delete;
    ToolbarTheme& operator=(const ToolbarTheme&) = delete;

    void DrawButton(HDC dc, int state, const RECT& rect) const {
        using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
        if (auto draw = m_theme ? GetProcAddressAs<DrawThemeBackgroundFn>(m_module, "DrawThemeBackground")
                                : nullptr) {
            draw(m_theme, dc, TP_BUTTON, state, &rect, nullptr);
        }
    }

private:
    HMODULE m_module;
    HTHEME m_theme = nullptr;
};

// One state's bitmap: the button face, the themed toolbar button for that state (none when 0), and the
// picture blended at (offset, offset).
void RenderState(CDC& memory, const CBitmap& bitmap, int width, int height, const PngImage* image, int offset,
                 const ToolbarTheme& theme, int themeState) {
    CSelectGuard select(memory, bitmap);
    memory.FillSolidRect(0, 0, width, height, ::GetSysColor(COLOR_BTNFACE));
    if (themeState != 0) {
        // Placed 4 pixels right and down of the picture's area, as the buttons have always shown it.
        theme.DrawButton(memory, themeState, RECT{4, 4, width + 4, height + 4});
    }
    BlendPngImage(memory, offset, offset, width, height, image);
}

} // namespace

const MessageMap* CPngButton::GetMessageMap() const {
    static constexpr MessageEntry entries[] = {
        On<WM_MOUSEMOVE, &CPngButton::OnMouseMove>(),
        On<WM_MOUSELEAVE, &CPngButton::OnMouseLeave>(),
        On<WM_MOUSEHOVER, &CPngButton::OnMouseHover>(),
        On<kReflectedDrawItem, &CPngButton::DrawItem>(),
    };
    static const MessageMap map{CButton::GetMessageMap(), entries};
    return &map;
}

void CPngButton::PreSubclassWindow() {
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

BOOL CPngButton::LoadImages(UINT resourceId) {
    PngImagePtr plain(LoadPngResource(resourceId, PngVariant::Plain));
    if (!plain) {
        return FALSE;
    }
    CClientDC window(AppMainWindow()); // the screen when there is no main window
    CDC memory;
    memory.CreateCompatibleDC(window);
    m_nImageWidth = plain->width;
    m_nImageHeight = plain->height;
    for (CBitmap* bitmap : {&m_bmpNormal, &m_bmpHot, &m_bmpPressed, &m_bmpDisabled}) {
        bitmap->CreateCompatibleBitmap(window, m_nImageWidth, m_nImageHeight);
    }
    const ToolbarTheme theme;
    const int w = m_nImageWidth, h = m_nImageHeight;
    RenderState(memory, m_bmpNormal, w, h, plain.get(), 0, theme, TS_NORMAL);
    plain.reset();
    // A variant that does not decode leaves its bitmaps with the face colour alone.
    const PngImagePtr darkened(LoadPngResource(resourceId, PngVariant::Darkened));
    RenderState(memory, m_bmpHot, w, h, darkened.get(), 0, theme, 0);
    // Pressed: one pixel right and down, so the top row and left column keep the face colour.
    RenderState(memory, m_bmpPressed, w, h, darkened.get(), 1, theme, 0);
    const PngImagePtr grey(LoadPngResource(resourceId, PngVariant::Grey));
    RenderState(memory, m_bmpDisabled, w, h, grey.get(), 0, theme, TS_DISABLED);
    return TRUE;
}

void CPngButton::SetTooltipText(const char* text) {
    if (!m_toolTip.m_hWnd) {
        if (m_toolTip.Create(m_hWnd) && m_toolTip.AddTool(m_hWnd, text)) {
            m_toolTip.Activate(TRUE);
        }
        return;
    }
    m_toolTip.UpdateTipText(text, m_hWnd);
}

const CBitmap& CPngButton::StateBitmap(UINT itemState) const {
    if (itemState & ODS_SELECTED) {
        return m_bmpPressed;
    }
    if (itemState & ODS_DISABLED) {
        return m_bmpDisabled;
    }
    if ((itemState & ODS_FOCUS) || m_bHover) {
        return m_bmpHot;
    }
    return m_bmpNormal;
}

void CPngButton::DrawItem(DRAWITEMSTRUCT& dis) {
    CDC item(dis.hDC);
    // Starts filled with the item context's background colour, which shows around the picture.
    CMemoryDC buffer(&item, &dis.rcItem);
    CDC source;
    if (!source.CreateCompatibleDC(item)) {
        return; // the background alone, this time
    }
    CSelectGuard select(source, StateBitmap(dis.itemState));
    const RECT& rc = dis.rcItem;
    const PngOrigin at = CentrePngImage(rc.left, rc.top, rc.right, rc.bottom, m_nImageWidth, m_nImageHeight);
    buffer.BitBlt(at.x, at.y, m_nImageWidth, m_nImageHeight, source, 0, 0, SRCCOPY);
}

void CPngButton::OnMouseMove(UINT flags, POINT point) {
    if (m_toolTip.m_hWnd) {
        MSG msg{m_hWnd, WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y), 0, point};
        m_toolTip.RelayEvent(msg);
    }
    if (!m_bTracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, m_hWnd, kHoverTimeMs};
        m_bTracking = ::TrackMouseEvent(&track);
    }
    Default();
}

LRESULT CPngButton::OnMouseHover(UINT, POINT) {
    m_bHover = TRUE;
    Invalidate(FALSE);
    Default();
    return 0;
}

LRESULT CPngButton::OnMouseLeave() {
    m_bTracking = FALSE;
    m_bHover = FALSE;
    Invalidate(FALSE);
    Default();
    return 0;
}
