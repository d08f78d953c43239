#include "mainwnd/win/DialogAbout.h"

#include "res/ProductInfo.h"
#include "res/resource.h"

CDialogAbout::CDialogAbout(HWND parent) : CDialog(IDD_ABOUTBOX, parent) {}

CDialogAbout::~CDialogAbout() = default;

void CDialogAbout::DoDataExchange() {
    BindControl(IDC_VERSION_LINE, m_versionLine);
    BindControl(IDC_HOME_LINK, m_homeLink);
    BindControl(IDC_MAIL_LINK, m_mailLink);
}

BOOL CDialogAbout::OnInitDialog() {
    CDialog::OnInitDialog();

    m_versionLine.SetText(TAVREL_VERSION_LINE);
    m_versionLine.SetTextColor(RGB(10, 10, 10));
    m_versionLine.SetBkColor(::GetSysColor(COLOR_BTNFACE));
    m_versionLine.SetBottomLine(TRUE, RGB(50, 50, 255));
    m_versionLine.SetTahomaFont(TRUE);

    m_homeLink.SetUrl(TAVREL_HOME_PAGE);
    m_homeLink.SetText(TAVREL_HOME_PAGE);

    m_mailLink.SetUrl(TAVREL_SUPPORT_MAIL_LINK);
    m_mailLink.SetText(TAVREL_SUPPORT_ADDRESS);

    return TRUE; // the dialog manager puts the focus on the default button
}
