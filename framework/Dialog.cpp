#include "framework/Dialog.h"

#include "framework/ExceptionBarrier.h"

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
    return ExceptionBarrier("dialog procedure", INT_PTR{FALSE}, [&]() -> INT_PTR {
        if (msg == WM_INITDIALOG) {
            // DoModal and Create are the only callers that can name this procedure.
            auto* self = reinterpret_cast<CDialog*>(lParam);
            self->Bind(hwnd, Binding::Dialog);
            CurrentMessageScope scope(*self, msg, wParam, lParam);
            return self->OnInitDialog();
        }
        CWnd* bound = BoundObject(hwnd);
        if (!bound || bound->m_binding != Binding::Dialog) {
            return FALSE;
        }
        auto* self = static_cast<CDialog*>(bound);
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
    });
}
