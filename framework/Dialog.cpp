#include "framework/Dialog.h"

namespace {

// Messages whose answer a dialog procedure returns directly instead of through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT msg) {
    switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

} // namespace

CDialog::~CDialog() {
    if (m_hWnd && m_modal) {
        ::EndDialog(m_hWnd, IDCANCEL);
    }
}

INT_PTR CDialog::DoModal() {
    m_modal = true;
    const INT_PTR result = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId),
                                             m_parent, DialogProc, reinterpret_cast<LPARAM>(this));
    m_modal = false;
    return result;
}

BOOL CDialog::Create(HWND parent) {
    if (m_hWnd) {
        return FALSE;
    }
    if (parent) {
        m_parent = parent;
    }
    m_modal = false;
    return ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), m_parent,
                                DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result) {
    if (!m_hWnd) {
        return;
    }
    if (m_modal) {
        ::EndDialog(m_hWnd, result);
    } else {
        ::DestroyWindow(m_hWnd);
    }
}

BOOL CDialog::OnInitDialog() {
    DoDataExchange();
    return TRUE;
}

LRESULT CDialog::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The dialog manager calls DialogProc first; it must answer "not handled" for this one message.
    m_passToDefault = true;
    const LRESULT result = ::DefDlgProcA(m_hWnd, msg, wParam, lParam);
    m_passToDefault = false;
    return result;
}

INT_PTR CDialog::Route(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    bool handled;
    {
        CurrentMessageScope scope(*this, msg, wParam, lParam);
        handled = Dispatch(msg, wParam, lParam, result);
        if (!handled && msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            if (LOWORD(wParam) == IDOK) {
                OnOK();
                handled = true;
            } else if (LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                handled = true;
            }
        }
    }
    if (!handled) {
        return FALSE;
    }
    if (ReturnsDirectly(msg)) {
        return (INT_PTR)result;
    }
    if (m_hWnd) {
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    }
    return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        if (msg == WM_INITDIALOG) {
            auto* self = reinterpret_cast<CDialog*>(lParam);
            self->m_hWnd = hwnd;
            self->m_binding = Binding::Dialog;
            ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
            CurrentMessageScope scope(*self, msg, wParam, lParam);
            return self->OnInitDialog();
        }
        auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
        if (!self) {
            return FALSE;
        }
        if (msg == ObjectQueryMessage()) {
            ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(self));
            return TRUE;
        }
        if (self->m_passToDefault) {
            self->m_passToDefault = false;
            return FALSE;
        }
        const INT_PTR answer = self->Route(msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            self->Unbind();
            self->PostNcDestroy();
        }
        return answer;
    } catch (...) {
        return FALSE;
    }
}
