#include "framework/Wnd.h"

#include <unordered_map>
#include <utility>

#include "framework/ExceptionBarrier.h"

namespace {

constexpr char kWindowClass[] = "TavrelWnd";

// Every window the framework has bound, with its object. Only the framework writes here, so nothing a
// window carries or answers is ever taken for an object. Windows are bound on whichever thread creates
// them, hence the lock; a look-up takes it shared, which costs next to nothing beside a message.
class BoundWindows {
public:
    struct Entry {
        CWnd* object = nullptr;
        // The procedure a subclassed window had before ours, for the rare case that our procedure has
        // to forward a message after its object has gone (see CWnd::Unbind).
        WNDPROC superProc = nullptr;
    };

    Entry Find(HWND hwnd) const {
        ::AcquireSRWLockShared(&m_lock);
        const auto it = m_entries.find(hwnd);
        const Entry entry = it != m_entries.end() ? it->second : Entry{};
        ::ReleaseSRWLockShared(&m_lock);
        return entry;
    }
    void Set(HWND hwnd, Entry entry) {
        ::AcquireSRWLockExclusive(&m_lock);
        m_entries[hwnd] = entry;
        ::ReleaseSRWLockExclusive(&m_lock);
    }
    void Erase(HWND hwnd) {
        ::AcquireSRWLockExclusive(&m_lock);
        m_entries.erase(hwnd);
        ::ReleaseSRWLockExclusive(&m_lock);
    }

private:
    mutable SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HWND, Entry> m_entries;
};

BoundWindows& Bound() {
    static BoundWindows bound;
    return bound;
}

// The object CreateEx is creating a window for on this thread; WM_NCCREATE binds only that one.
thread_local CWnd* t_creating = nullptr;

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

CWnd* CWnd::BoundObject(HWND hwnd) {
    return hwnd ? Bound().Find(hwnd).object : nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    CWnd* object = BoundObject(hwnd);
    // An object is used on its window's thread only.
    if (!object || ::GetWindowThreadProcessId(hwnd, nullptr) != ::GetCurrentThreadId()) {
        return nullptr;
    }
    return object;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* windowName, DWORD style, const RECT& rect, HWND parent,
                    UINT id) {
    if (m_hWnd || !RegisterFrameworkClass(FrameworkWndProc)) {
        return FALSE;
    }
    const bool child = (style & WS_CHILD) != 0;
    t_creating = this;
    HWND hwnd = ::CreateWindowExA(exStyle, kWindowClass, windowName, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  child ? (HMENU)(UINT_PTR)id : nullptr, ::GetModuleHandleA(nullptr), this);
    t_creating = nullptr;
    return hwnd != nullptr;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    // A window has one object at a time.
    if (m_hWnd || !::IsWindow(hwnd) || BoundObject(hwnd)) {
        return FALSE;
    }
    m_hWnd = hwnd;
    PreSubclassWindow();
    m_superProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    Bind(hwnd, Binding::Subclassed);
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassWndProc));
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

void CWnd::Bind(HWND hwnd, Binding binding) {
    m_hWnd = hwnd;
    m_binding = binding;
    Bound().Set(hwnd, {this, binding == Binding::Subclassed ? m_superProc : nullptr});
}

void CWnd::Unbind() {
    switch (m_binding) {
    case Binding::Subclassed:
        // Give the window its procedure back, unless someone has subclassed it after us: then our
        // procedure stays in the chain and forwards to the kept procedure until the window goes.
        if (::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SubclassWndProc)) {
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
            Bound().Erase(m_hWnd);
        } else {
            Bound().Set(m_hWnd, {nullptr, m_superProc});
        }
        break;
    case Binding::Created:
    case Binding::Dialog:
        Bound().Erase(m_hWnd);
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
    return ExceptionBarrier("window procedure", LRESULT{0}, [&] {
        if (msg == WM_NCCREATE && t_creating &&
            reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams == t_creating) {
            std::exchange(t_creating, nullptr)->Bind(hwnd, Binding::Created);
        }
        CWnd* self = BoundObject(hwnd);
        return self ? self->HandleMessage(msg, wParam, lParam) : ::DefWindowProcA(hwnd, msg, wParam, lParam);
    });
}

LRESULT CALLBACK CWnd::SubclassWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ExceptionBarrier("subclass procedure", LRESULT{0}, [&] {
        const BoundWindows::Entry entry = Bound().Find(hwnd);
        if (entry.object) {
            return entry.object->HandleMessage(msg, wParam, lParam);
        }
        // Our object has gone but a later subclass keeps our procedure in the chain.
        if (msg == WM_NCDESTROY) {
            Bound().Erase(hwnd);
        }
        if (entry.superProc) {
            return ::CallWindowProcA(entry.superProc, hwnd, msg, wParam, lParam);
        }
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    });
}
