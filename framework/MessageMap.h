#pragma once
#include "framework/Win32.h"

#include <span>
#include <type_traits>
#include <utility>

class CWnd;

// Notifications and owner-draw messages that a parent hands back to the child control they came from,
// so the control can handle them itself. They never travel through the message queue.
constexpr UINT kReflectBase = WM_USER + 0x1C00;
constexpr UINT kReflectedNotify = kReflectBase + WM_NOTIFY;
constexpr UINT kReflectedDrawItem = kReflectBase + WM_DRAWITEM;
constexpr UINT kReflectedMeasureItem = kReflectBase + WM_MEASUREITEM;

// One row of a class's handler table.
struct MessageEntry {
    enum class Kind : unsigned char { Message, MessageRange, Command, Notify, ReflectedNotify };
    Kind kind;
    UINT message; // Message: the message number; MessageRange: the first of the range
    UINT id;      // Command, Notify: the control id; MessageRange: the last message of the range
    UINT code;    // Command, Notify, ReflectedNotify: the notification code
    LRESULT (*invoke)(CWnd& self, WPARAM wParam, LPARAM lParam);

    bool Matches(UINT msg, WPARAM wParam, LPARAM lParam) const;
};

// A class's handler table and the table of its base class, searched in that order.
struct MessageMap {
    const MessageMap* base;
    std::span<const MessageEntry> entries;

    const MessageEntry* Find(UINT msg, WPARAM wParam, LPARAM lParam) const;
};

namespace msgmap_detail {

template <class F> struct Member;
template <class C, class R, class... A> struct Member<R (C::*)(A...)> {
    using Class = C;
    using Result = R;
};

template <auto F> using ClassOf = typename Member<decltype(F)>::Class;

// Calls a handler and turns whatever it returns into the window procedure's result.
template <class Fn, class... A> LRESULT Call(Fn&& fn, A&&... args) {
    if constexpr (std::is_void_v<std::invoke_result_t<Fn, A...>>) {
        fn(std::forward<A>(args)...);
        return 0;
    } else {
        return (LRESULT)fn(std::forward<A>(args)...);
    }
}

template <class T> struct FirstParam;
template <class C, class R, class P> struct FirstParam<R (C::*)(P&)> { using Type = P; };

} // namespace msgmap_detail

// How the arguments of a message reach its handler. The default passes wParam and lParam unchanged, for
// private messages whose header gives them no better type; a header that defines a message may
// specialise this to hand its handler typed arguments.
template <UINT Msg> struct MessageCracker {
    template <class Fn> static LRESULT Call(Fn&& fn, WPARAM wParam, LPARAM lParam) {
        return msgmap_detail::Call(fn, wParam, lParam);
    }
};

#define TAVREL_CRACKER(msg, ...)                                                                             \
    template <> struct MessageCracker<msg> {                                                                 \
        template <class Fn>                                                                                  \
        static LRESULT Call(Fn&& fn, [[maybe_unused]] WPARAM wParam, [[maybe_unused]] LPARAM lParam) {       \
            return msgmap_detail::Call(fn __VA_OPT__(, ) __VA_ARGS__);                                       \
        }                                                                                                    \
    }

inline POINT PointFromLParam(LPARAM lParam) {
    return POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)};
}

TAVREL_CRACKER(WM_PAINT);
TAVREL_CRACKER(WM_CLOSE);
TAVREL_CRACKER(WM_MOUSELEAVE);
TAVREL_CRACKER(WM_QUERYDRAGICON);
TAVREL_CRACKER(WM_ERASEBKGND, (HDC)wParam);
TAVREL_CRACKER(WM_TIMER, (UINT_PTR)wParam);
TAVREL_CRACKER(WM_SYSCOMMAND, (UINT)wParam, lParam);
TAVREL_CRACKER(WM_MOUSEMOVE, (UINT)wParam, PointFromLParam(lParam));
TAVREL_CRACKER(WM_MOUSEHOVER, (UINT)wParam, PointFromLParam(lParam));
TAVREL_CRACKER(WM_LBUTTONDOWN, (UINT)wParam, PointFromLParam(lParam));
TAVREL_CRACKER(WM_LBUTTONUP, (UINT)wParam, PointFromLParam(lParam));
TAVREL_CRACKER(WM_SETCURSOR, (HWND)wParam, (UINT)LOWORD(lParam), (UINT)HIWORD(lParam));
TAVREL_CRACKER(WM_SETFONT, (HFONT)wParam, (BOOL)LOWORD(lParam));
TAVREL_CRACKER(HDM_LAYOUT, *reinterpret_cast<HDLAYOUT*>(lParam));
TAVREL_CRACKER(kReflectedDrawItem, *reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
TAVREL_CRACKER(kReflectedMeasureItem, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));

// Table rows. `On<WM_PAINT, &CMyWnd::OnPaint>()` calls a member with the message's cracked arguments.
template <UINT Msg, auto F> constexpr MessageEntry On() {
    return {MessageEntry::Kind::Message, Msg, 0, 0, [](CWnd& w, WPARAM wParam, LPARAM lParam) -> LRESULT {
                auto& self = static_cast<msgmap_detail::ClassOf<F>&>(w);
                return MessageCracker<Msg>::Call(
                    [&](auto&&... a) -> decltype(auto) { return (self.*F)(std::forward<decltype(a)>(a)...); },
                    wParam, lParam);
            }};
}

// Any message from `first` to `last`; the handler takes the message number, wParam and lParam.
template <auto F> constexpr MessageEntry OnRange(UINT first, UINT last) {
    return {MessageEntry::Kind::MessageRange, first, last, 0,
            [](CWnd& w, WPARAM wParam, LPARAM lParam) -> LRESULT {
                auto& self = static_cast<msgmap_detail::ClassOf<F>&>(w);
                return msgmap_detail::Call(
                    [&] { return (self.*F)(self.CurrentMessageNumber(), wParam, lParam); });
            }};
}

// WM_COMMAND from control `id` with notification `code`; the handler takes no arguments.
template <auto F> constexpr MessageEntry OnCommand(UINT id, UINT code = BN_CLICKED) {
    return {MessageEntry::Kind::Command, WM_COMMAND, id, code, [](CWnd& w, WPARAM, LPARAM) -> LRESULT {
                auto& self = static_cast<msgmap_detail::ClassOf<F>&>(w);
                return msgmap_detail::Call([&] { return (self.*F)(); });
            }};
}

// WM_NOTIFY from control `id` with `code`; the handler takes the notification's own structure
// (NMHDR or one that begins with it, such as NMITEMACTIVATE). Dialogs pass its result back.
template <auto F> constexpr MessageEntry OnNotify(UINT id, UINT code) {
    return {MessageEntry::Kind::Notify, WM_NOTIFY, id, code, [](CWnd& w, WPARAM, LPARAM lParam) -> LRESULT {
                using Param = typename msgmap_detail::FirstParam<decltype(F)>::Type;
                auto& self = static_cast<msgmap_detail::ClassOf<F>&>(w);
                auto& info = *reinterpret_cast<Param*>(lParam);
                return msgmap_detail::Call([&] { return (self.*F)(info); });
            }};
}

// A notification that the control itself sent, handed back to it by its parent.
template <auto F> constexpr MessageEntry OnReflectedNotify(UINT code) {
    return {MessageEntry::Kind::ReflectedNotify, kReflectedNotify, 0, code,
            [](CWnd& w, WPARAM, LPARAM lParam) -> LRESULT {
                using Param = typename msgmap_detail::FirstParam<decltype(F)>::Type;
                auto& self = static_cast<msgmap_detail::ClassOf<F>&>(w);
                auto& info = *reinterpret_cast<Param*>(lParam);
                return msgmap_detail::Call([&] { return (self.*F)(info); });
            }};
}
