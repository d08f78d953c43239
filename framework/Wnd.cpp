#include "framework/Wnd.h"

namespace {

constexpr char kWindowClass[] = "TavrelWnd";
// The procedure a subclassed window had before, kept with the window for the rare case that our
// procedure has to forward a message after its object has gone (see Unbind).
constexpr char kSuperProcProperty[] = "Tavrel.SuperProc";

bool RegisterFrameworkClass(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = kWindowClass;
        return ::RegisterClassExA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

} // namespace

bool MessageEntry::Matches(UINT msg, WPARAM wParam, LPARAM lParam) const {
    switch (kind) {
    case Kind::Message:
        return msg == message;
    case Kind::MessageRange:
        return msg >= message && msg <= id;
    case Kind::Command:
        return msg == WM_COMMAND && LOWORD(wParam) == id && HIWORD(wParam) == code;
    case Kind::Notify:
    case Kind::ReflectedNotify: {
        if (msg != message || lParam == 0) {
            return false;
        }
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        return hdr->code == code && (kind == Kind::ReflectedNotify || hdr->idFrom == id);
    }
    }
    return false;
}

const MessageEntry* MessageMap::Find(UINT msg, WPARAM wParam, LPARAM lParam) const {
    for (const MessageMap* map = this; map; map = map->base) {
        for (const MessageEntry& entry : map->entries) {
            if (entry.Matches(msg, wParam, lParam)) {
                return &entry;
            }
        }
    }
    return nullptr;
}

CWnd::~CWnd() {
    if (!m_hWnd) {
        return;
    }
    // The derived part is gone: stop routing messages here before the window goes.
    const Binding binding = m_binding;
    HWND hwnd = m_hWnd;
    Unbind();
    if (binding == Binding::Created || binding == Binding::Dialog) {
        ::DestroyWindow(hwnd);
    }
}

const MessageMap* CWnd::GetMessageMap() const {
    static const MessageMap map{nullptr, {}};
    return &map;
}

UINT CWnd::ObjectQueryMessage() {
    static const UINT message = ::RegisterWindowMessageA("Tavrel.CWnd.Object");
    return message;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (!hwnd || ::GetWindowThreadProcessId(hwnd, nullptr) != ::GetCurrentThreadId()) {
        return nullptr;
    }
    // Windows this framework created or subclassed carry their object in their user data. Dialogs, and
    // windows subclassed again after us, are asked: every procedure of the framework answers the query
    // with its object, any other window with 0.
    const LONG_PTR proc = ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    if (proc == reinterpret_cast<LONG_PTR>(FrameworkWndProc) ||
        proc == reinterpret_cast<LONG_PTR>(SubclassWndProc)) {
        return reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    return reinterpret_cast<CWnd*>(::SendMessageA(hwnd, ObjectQueryMessage(), 0, 0));
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* windowName, DWORD style, const RECT& rect, HWND parent,
                    UINT id) {
    if (m_hWnd || !RegisterFrameworkClass(FrameworkWndProc)) {
        return FALSE;
    }
    const bool child = (style & WS_CHILD) != 0;
    HWND hwnd = ::CreateWindowExA(exStyle, kWindowClass, windowName, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  child ? (HMENU)(UINT_PTR)id : nullptr, ::GetModuleHandleA(nullptr), this);
    return hwnd != nullptr;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    // The window's user data is the binding; a window whose user data someone else uses is not ours.
    if (m_hWnd || !::IsWindow(hwnd) || ::GetWindowLongPtrA(hwnd, GWLP_USERDATA) != 0) {
        return FALSE;
    }
    m_hWnd = hwnd;
    PreSubclassWindow();
    m_superProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    ::SetPropA(hwnd, kSuperProcProperty, reinterpret_cast<HANDLE>(m_superProc));
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassWndProc));
    m_binding = Binding::Subclassed;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, HWND parent) {
    return SubclassWindow(::GetDlgItem(parent, (int)id));
}

HWND CWnd::UnsubclassWindow() {
    HWND hwnd = m_hWnd;
    if (m_binding == Binding::Subclassed) {
        Unbind();
    }
    return hwnd;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

void CWnd::Unbind() {
    switch (m_binding) {
    case Binding::Subclassed:
        // Give the window its procedure back, unless someone has subclassed it after us: then our
        // procedure stays in the chain and forwards through the kept property.
        if (::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SubclassWndProc)) {
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
            ::RemovePropA(m_hWnd, kSuperProcProperty);
        }
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        break;
    case Binding::Created:
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        break;
    case Binding::Dialog:
        ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
        break;
    case Binding::None:
        break;
    }
    m_binding = Binding::None;
    m_hWnd = nullptr;
}

std::string CWnd::GetWindowText() const {
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(length > 0 ? (size_t)length + 1 : 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, text.data(), (int)text.size());
    text.resize(copied > 0 ? (size_t)copied : 0);
    return text;
}

RECT CWnd::GetClientRect() const {
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

RECT CWnd::GetWindowRect() const {
    RECT rc{};
    ::GetWindowRect(m_hWnd, &rc);
    return rc;
}

void CWnd::ModifyStyle(DWORD remove, DWORD add) const {
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed != style) {
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, (LONG_PTR)changed);
    }
}

bool CWnd::ReflectToChild(UINT msg, LPARAM lParam, LRESULT& result) {
    HWND child = nullptr;
    UINT reflected = 0;
    switch (msg) {
    case WM_NOTIFY:
        child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        reflected = kReflectedNotify;
        break;
    case WM_DRAWITEM: {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        child = dis->CtlType == ODT_MENU ? nullptr : dis->hwndItem;
        reflected = kReflectedDrawItem;
        break;
    }
    case WM_MEASUREITEM: {
        const auto* mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        child = mis->CtlType == ODT_MENU ? nullptr : ::GetDlgItem(m_hWnd, (int)mis->CtlID);
        reflected = kReflectedMeasureItem;
        break;
    }
    default:
        return false;
    }
    CWnd* target = FromHandlePermanent(child);
    if (!target || target == this) {
        return false;
    }
    CurrentMessageScope scope(*target, reflected, 0, lParam);
    const MessageEntry* entry = target->GetMessageMap()->Find(reflected, 0, lParam);
    if (!entry) {
        return false;
    }
    result = entry->invoke(*target, 0, lParam);
    return true;
}

bool CWnd::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (lParam != 0 && ReflectToChild(msg, lParam, result)) {
        return true;
    }
    const MessageEntry* entry = GetMessageMap()->Find(msg, wParam, lParam);
    if (!entry) {
        return false;
    }
    result = entry->invoke(*this, wParam, lParam);
    return true;
}

LRESULT CWnd::Default() {
    return DefaultProc(m_current.msg, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_binding == Binding::Subclassed) {
        return ::CallWindowProcA(m_superProc, m_hWnd, msg, wParam, lParam);
    }
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT CWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == ObjectQueryMessage()) {
        return reinterpret_cast<LRESULT>(this);
    }
    LRESULT result = 0;
    bool handled;
    {
        CurrentMessageScope scope(*this, msg, wParam, lParam);
        handled = Dispatch(msg, wParam, lParam, result);
    }
    if (!handled) {
        result = DefaultProc(msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        Unbind();
        PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK CWnd::FrameworkWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        if (msg == WM_NCCREATE) {
            auto* self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            self->m_hWnd = hwnd;
            self->m_binding = Binding::Created;
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        return self ? self->HandleMessage(msg, wParam, lParam) : ::DefWindowProcA(hwnd, msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT CALLBACK CWnd::SubclassWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        if (auto* self = reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
            return self->HandleMessage(msg, wParam, lParam);
        }
        // Our object has gone but a later subclass keeps our procedure in the chain.
        if (auto super = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kSuperProcProperty))) {
            return ::CallWindowProcA(super, hwnd, msg, wParam, lParam);
        }
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}
