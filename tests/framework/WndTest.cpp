#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Wnd.h"
#include "support/ExceptionTrace.h"
#include "support/MessagePump.h"

namespace {

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kThrow = WM_APP + 2;
constexpr UINT kRangeFirst = WM_APP + 10;

class CBaseWnd : public CWnd {
public:
    int basePings = 0;
    int rangeHits = 0;
    UINT lastRangeMessage = 0;
    LRESULT OnPing(WPARAM wParam, LPARAM) {
        ++basePings;
        return (LRESULT)wParam + 1;
    }
    void OnRangeMessage(UINT msg, WPARAM, LPARAM) {
        ++rangeHits;
        lastRangeMessage = msg;
    }

protected:
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageEntry entries[] = {
            On<kPing, &CBaseWnd::OnPing>(),
            OnRange<&CBaseWnd::OnRangeMessage>(kRangeFirst, kRangeFirst + 4),
        };
        static const MessageMap map{CWnd::GetMessageMap(), entries};
        return &map;
    }
};

class CDerivedWnd : public CBaseWnd {
public:
    int setTexts = 0;
    int notifications = 0;
    void OnSetTextSeen(WPARAM, LPARAM) {
        ++setTexts;
        Default(); // the window's own processing stores the text
    }
    LRESULT OnThrow(WPARAM wParam, LPARAM) {
        if (wParam) {
            throw 42;
        }
        throw std::runtime_error("handler failure");
    }
    LRESULT OnChildClick(NMHDR&) {
        ++notifications;
        return 7;
    }

protected:
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageEntry entries[] = {
            On<WM_SETTEXT, &CDerivedWnd::OnSetTextSeen>(),
            On<kThrow, &CDerivedWnd::OnThrow>(),
            OnNotify<&CDerivedWnd::OnChildClick>(42, NM_CLICK),
        };
        static const MessageMap map{CBaseWnd::GetMessageMap(), entries};
        return &map;
    }
};

// A child control that handles its own click notification and owner-draw measuring.
class CSelfHandlingChild : public CWnd {
public:
    int clicks = 0;
    UINT measuredHeight = 0;
    LRESULT OnClick(NMHDR&) {
        ++clicks;
        return 3;
    }
    void OnMeasure(MEASUREITEMSTRUCT& mis) { mis.itemHeight = measuredHeight = 24; }

protected:
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageEntry entries[] = {
            OnReflectedNotify<&CSelfHandlingChild::OnClick>(NM_CLICK),
            On<kReflectedMeasureItem, &CSelfHandlingChild::OnMeasure>(),
        };
        static const MessageMap map{CWnd::GetMessageMap(), entries};
        return &map;
    }
};

HWND MakeChild(HWND parent, int id) {
    return ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent, (HMENU)(INT_PTR)id,
                             ::GetModuleHandleA(nullptr), nullptr);
}

TEST(Wnd, BindsAtCreationAndUnbindsWhenDestroyed) {
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "w", WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, nullptr, 0));
    HWND hwnd = wnd.m_hWnd;
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hwnd));
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
}

TEST(Wnd, TablesChainToTheBaseAndDefaultReachesTheWindow) {
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "w", WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, nullptr, 0));
    EXPECT_EQ(6, ::SendMessageA(wnd, kPing, 5, 0));
    EXPECT_EQ(1, wnd.basePings);
    ::SendMessageA(wnd, kRangeFirst + 3, 0, 0);
    ::SendMessageA(wnd, kRangeFirst + 5, 0, 0); // just outside the range
    EXPECT_EQ(1, wnd.rangeHits);
    EXPECT_EQ(kRangeFirst + 3, wnd.lastRangeMessage);
    wnd.SetWindowText("caption");
    EXPECT_EQ(1, wnd.setTexts);
    EXPECT_EQ("caption", wnd.GetWindowText());
}

TEST(Wnd, AnExceptionStopsAtTheWindowProcedureAndLeavesATrace) {
    ExceptionTrace trace;
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "w", WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, nullptr, 0));
    EXPECT_EQ(0, ::SendMessageA(wnd, kThrow, 0, 0));
    EXPECT_EQ(0, ::SendMessageA(wnd, kThrow, 1, 0));
    EXPECT_EQ(2, ::SendMessageA(wnd, kPing, 1, 0)); // still serving messages
    const std::vector<std::string> lines{
        "Tavrel: exception stopped in window procedure: handler failure\n",
        "Tavrel: exception stopped in window procedure: not a standard exception\n"};
    EXPECT_EQ(lines, trace.DebugOutput());
    EXPECT_EQ(lines, trace.Handled());
}

TEST(Wnd, SubclassingTakesOverAControlAndGivesItBack) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "p", WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, nullptr, 0));
    HWND child = MakeChild(parent, 42);
    {
        CDerivedWnd view;
        ASSERT_TRUE(view.SubclassWindow(child));
        EXPECT_EQ(&view, CWnd::FromHandlePermanent(child));
        ::SetWindowTextA(child, "hello");
        EXPECT_EQ(1, view.setTexts);
        EXPECT_EQ("hello", view.GetWindowText()); // Default() reached the static control
        EXPECT_EQ(child, view.UnsubclassWindow());
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(child));
    }
    EXPECT_TRUE(::IsWindow(child)); // a view never destroys a control it did not create
    ::SetWindowTextA(child, "after");
    char text[16] = {};
    ::GetWindowTextA(child, text, sizeof text);
    EXPECT_STREQ("after", text);
}

LRESULT CALLBACK PassThrough(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST(Wnd, ASubclassAddedAfterOursKeepsWorkingWhenOurObjectGoes) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "p", WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, nullptr, 0));
    HWND child = MakeChild(parent, 43);
    {
        CDerivedWnd view;
        ASSERT_TRUE(view.SubclassWindow(child));
        // Someone else (a tooltip, say) subclasses the control on top of us.
        ASSERT_TRUE(::SetWindowSubclass(child, PassThrough, 1, 0));
        EXPECT_EQ(&view, CWnd::FromHandlePermanent(child));
        ::SetWindowTextA(child, "through both");
        EXPECT_EQ(1, view.setTexts);
    }
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(child));
    ::SetWindowTextA(child, "after");
    char text[16] = {};
    ::GetWindowTextA(child, text, sizeof text);
    EXPECT_STREQ("after", text); // our procedure, left in the chain, hands everything to the control's own
    CDerivedWnd again;
    EXPECT_TRUE(again.SubclassWindow(child));
    ::RemoveWindowSubclass(child, PassThrough, 1);
}

TEST(Wnd, AControlKeepsItsUserDataAndHasOneObjectAtATime) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "p", WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, nullptr, 0));
    HWND child = MakeChild(parent, 44);
    ::SetWindowLongPtrA(child, GWLP_USERDATA, 1234);
    CDerivedWnd view;
    ASSERT_TRUE(view.SubclassWindow(child));
    EXPECT_EQ(1234, ::GetWindowLongPtrA(child, GWLP_USERDATA));
    CDerivedWnd second;
    EXPECT_FALSE(second.SubclassWindow(child));
    EXPECT_EQ(nullptr, second.m_hWnd);
    EXPECT_EQ(&view, CWnd::FromHandlePermanent(child));
}

// A window of someone else's class that claims to be a framework window in every way a window can:
// it answers any registered message with an object, and its user data points at one.
CWnd* g_claimedObject = nullptr;

LRESULT CALLBACK ImpostorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= 0xC000 && msg <= 0xFFFF) {
        return reinterpret_cast<LRESULT>(g_claimedObject);
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST(Wnd, NoWindowIsTakenForAnObjectByWhatItSaysOrCarries) {
    CDerivedWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "p", WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, nullptr, 0));
    CSelfHandlingChild claimed;
    ASSERT_TRUE(claimed.SubclassWindow(MakeChild(parent, 45)));
    g_claimedObject = &claimed;

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ImpostorProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "WndTestImpostor";
    ::RegisterClassExA(&wc);
    HWND impostor = ::CreateWindowExA(0, "WndTestImpostor", "", WS_CHILD, 0, 0, 10, 10, parent, (HMENU)42,
                                      wc.hInstance, nullptr);
    ASSERT_NE(nullptr, impostor);
    ::SetWindowLongPtrA(impostor, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&claimed));
    // A window of the framework's own class made without CreateEx, handed an object at creation.
    HWND ownClass = ::CreateWindowExA(0, "TavrelWnd", "", WS_CHILD, 0, 0, 10, 10, parent, (HMENU)46,
                                      wc.hInstance, &claimed);
    ASSERT_NE(nullptr, ownClass);
    ::SetWindowLongPtrA(ownClass, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&claimed));

    for (HWND hwnd : {impostor, ownClass}) {
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
    }
    // Nor does a notification from the impostor reach the object it names: the parent handles it.
    NMHDR fromImpostor{impostor, 42, (UINT)NM_CLICK};
    EXPECT_EQ(7, ::SendMessageA(parent, WM_NOTIFY, 42, (LPARAM)&fromImpostor));
    EXPECT_EQ(0, claimed.clicks);
    EXPECT_EQ(1, parent.notifications);
    // And the framework's procedure serves no object on a window it did not bind.
    ::SendMessageA(ownClass, kReflectedNotify, 0, (LPARAM)&fromImpostor);
    EXPECT_EQ(0, claimed.clicks);
    EXPECT_EQ(&claimed, CWnd::FromHandlePermanent(claimed));
    g_claimedObject = nullptr;
}

TEST(Wnd, NotificationsGoToTheChildThatHandlesThemThenToTheParent) {
    CDerivedWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "p", WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, nullptr, 0));
    CSelfHandlingChild selfHandling;
    ASSERT_TRUE(selfHandling.SubclassWindow(MakeChild(parent, 41)));
    CWnd plain;
    ASSERT_TRUE(plain.SubclassWindow(MakeChild(parent, 42)));

    NMHDR toSelfHandling{selfHandling, 41, (UINT)NM_CLICK};
    EXPECT_EQ(3, ::SendMessageA(parent, WM_NOTIFY, 41, (LPARAM)&toSelfHandling));
    EXPECT_EQ(1, selfHandling.clicks);
    EXPECT_EQ(0, parent.notifications);

    NMHDR toPlain{plain, 42, (UINT)NM_CLICK};
    EXPECT_EQ(7, ::SendMessageA(parent, WM_NOTIFY, 42, (LPARAM)&toPlain));
    EXPECT_EQ(1, parent.notifications);

    MEASUREITEMSTRUCT mis{ODT_LISTVIEW, 41, 0, 0, 13, 0};
    ::SendMessageA(parent, WM_MEASUREITEM, 41, (LPARAM)&mis);
    EXPECT_EQ(24u, mis.itemHeight);
}

} // namespace
