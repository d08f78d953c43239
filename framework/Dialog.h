#pragma once
#include "framework/Wnd.h"

// A dialog built from a template resource, run modally (DoModal) or, for tests and tools, modelessly
// (Create). Controls are bound to members in DoDataExchange, which OnInitDialog runs first.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr) : m_templateId(templateId), m_parent(parent) {}
    ~CDialog() override;

    INT_PTR DoModal();
    BOOL Create(HWND parent = nullptr);
    void EndDialog(INT_PTR result);

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange() {}
    // Enter and Escape (and the close box, through the dialog manager's IDCANCEL).
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // Binds a control of this dialog to its member; used in DoDataExchange.
    void BindControl(UINT id, CWnd& control) { control.SubclassDlgItem(id, m_hWnd); }

    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Route(UINT msg, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    HWND m_parent;
    bool m_modal = false;
    // Set while Default() hands a message to the dialog manager, which calls DialogProc again for it.
    bool m_passToDefault = false;
};
