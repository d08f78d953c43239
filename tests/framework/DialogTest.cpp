#include <gtest/gtest.h>

#include "FrameworkTestIds.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/ListCtrl.h"
#include "support/MessagePump.h"

namespace {

class CTestDialog : public CDialog {
public:
    CTestDialog() : CDialog(IDD_FRAMEWORK_TEST) {}
    CButton m_button;
    CEdit m_edit;
    CListCtrl m_list;
    int initCalls = 0;
    int presses = 0;
    int okCalls = 0;
    bool closeOnOk = true;

    void OnPress() { ++presses; }
    LRESULT OnListClick(NMITEMACTIVATE& info) { return info.iItem == 5 ? 99 : 1; }
    void OnSetText(WPARAM, LPARAM) { Default(); }
    HCURSOR OnQueryDragIcon() { return (HCURSOR)(INT_PTR)0x1234; }

protected:
    BOOL OnInitDialog() override {
        ++initCalls;
        return CDialog::OnInitDialog();
    }
    void DoDataExchange() override {
        BindControl(IDC_TEST_BUTTON, m_button);
        BindControl(IDC_TEST_EDIT, m_edit);
        BindControl(IDC_TEST_LIST, m_list);
    }
    void OnOK() override {
        ++okCalls;
        if (closeOnOk) {
            CDialog::OnOK();
        }
    }
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageEntry entries[] = {
            OnCommand<&CTestDialog::OnPress>(IDC_TEST_BUTTON),
            OnNotify<&CTestDialog::OnListClick>(IDC_TEST_LIST, NM_CLICK),
            On<WM_SETTEXT, &CTestDialog::OnSetText>(),
            On<WM_QUERYDRAGICON, &CTestDialog::OnQueryDragIcon>(),
        };
        static const MessageMap map{CDialog::GetMessageMap(), entries};
        return &map;
    }
};

TEST(Dialog, InitialisationBindsTheControls) {
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(1, dlg.initCalls);
    EXPECT_EQ(dlg.GetDlgItem(IDC_TEST_BUTTON), dlg.m_button.m_hWnd);
    EXPECT_EQ(dlg.GetDlgItem(IDC_TEST_LIST), dlg.m_list.m_hWnd);
    EXPECT_EQ(&dlg.m_edit, CWnd::FromHandlePermanent(dlg.m_edit));
}

TEST(Dialog, CommandsNotificationResultsAndDefaultProcessing) {
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    dlg.m_button.SendMessage(BM_CLICK);
    EXPECT_EQ(1, dlg.presses);

    NMITEMACTIVATE info{};
    info.hdr = {dlg.m_list, IDC_TEST_LIST, (UINT)NM_CLICK};
    info.iItem = 5;
    // A dialog's answer to WM_NOTIFY travels through DWLP_MSGRESULT.
    EXPECT_EQ(99, ::SendMessageA(dlg, WM_NOTIFY, IDC_TEST_LIST, (LPARAM)&info));
    EXPECT_EQ(0x1234, ::SendMessageA(dlg, WM_QUERYDRAGICON, 0, 0));

    dlg.SetWindowText("renamed");
    EXPECT_EQ("renamed", dlg.GetWindowText());
}

TEST(Dialog, EnterCallsOnOkAndTheDefaultEndsAModelessDialog) {
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create());
    dlg.closeOnOk = false;
    ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(1, dlg.okCalls);
    EXPECT_NE(nullptr, dlg.m_hWnd);
    dlg.closeOnOk = true;
    HWND hwnd = dlg.m_hWnd;
    ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_button.m_hWnd); // the controls were unbound with their windows
}

TEST(Dialog, ModalRunEndsWithTheCloseBoxAsCancel) {
    CTestDialog dlg;
    // Once the dialog is up, its first posted message closes it the way the close box does.
    struct Closer {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(nullptr, id);
            HWND dialog = ::FindWindowA("#32770", "Framework test");
            ::PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    };
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, Closer::Fire);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(1, dlg.initCalls);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

} // namespace
