// The main window's image buttons as they show: each one's picture on screen and its tooltip.
#include <gtest/gtest.h>

#include <string>

#include "controls/win/PngResource.h"
#include "mainwnd/win/TavrelDlg.h"
#include "res/resource.h"
#include "support/MessagePump.h"
#include "support/ScopedSettings.h"
#include "support/WindowCapture.h"

namespace {

// The text of the tooltip, among the window's, that has `button` as its tool.
std::string TooltipText(HWND dialog, HWND button) {
    struct Search {
        HWND dialog, button;
        std::string text;
    } search{dialog, button, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lParam);
            char className[64] = "";
            ::GetClassNameA(hwnd, className, sizeof className);
            if (lstrcmpiA(className, TOOLTIPS_CLASSA) != 0) {
                return TRUE;
            }
            char text[1024] = "";
            TTTOOLINFOA info{};
            info.cbSize = sizeof info;
            info.hwnd = s.dialog;
            info.uId = (UINT_PTR)s.button;
            info.lpszText = text;
            ::SendMessageA(hwnd, TTM_GETTEXTA, sizeof text, (LPARAM)&info);
            s.text = text;
            return s.text.empty();
        },
        (LPARAM)&search);
    return search.text;
}

TEST(MainWindowImages, ButtonsShowTheirPicturesAndTooltips) {
    ScopedSettings settings;
    CTavrelDlg dlg;
    ASSERT_TRUE(dlg.Create());
    ::SetWindowPos(dlg, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetFocus(dlg.GetDlgItem(IDC_DECODE_LIST)); // no image button is hot
    PumpMessages();

    struct Case {
        UINT button, picture;
        const char* tooltip;
    };
    for (const Case c : {Case{IDC_TIME, IDB_PNG_TIME, "Synchronize Clock"},
                         Case{IDC_SETUP, IDB_PNG_SETUP, "Setup"}, Case{IDC_RESET, IDB_PNG_RESET, "Reset"}}) {
        HWND button = dlg.GetDlgItem((int)c.button);
        const PngImagePtr image(LoadPngResource(c.picture, PngVariant::Plain));
        ASSERT_TRUE(image);
        const WindowCapture shot = WindowCapture::FromScreen(button);
        const int left = (shot.Width() - image->width) / 2, top = (shot.Height() - image->height) / 2;
        // Every opaque pixel of the picture shows in its own colour, centred on the button.
        int opaque = 0, shown = 0;
        for (int y = 0; y < image->height; ++y) {
            for (int x = 0; x < image->width; ++x) {
                const unsigned char* p = image->rows[y] + x * 4;
                if (p[3] == 0) {
                    ++opaque;
                    shown += shot.At(left + x, top + y) == RGB(p[0], p[1], p[2]);
                }
            }
        }
        EXPECT_GT(opaque, 50) << c.tooltip;
        EXPECT_EQ(opaque, shown) << c.tooltip;
        EXPECT_EQ(c.tooltip, TooltipText(dlg, button));
    }
}

} // namespace
