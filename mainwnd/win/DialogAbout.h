#pragma once
#include "controls/win/ColorStatic.h"
#include "controls/win/HyperLink.h"
#include "framework/Dialog.h"

// The about box: the program's large icon, the version line and the links to the home page and to the
// support mailbox. Built anew for every showing, so its links start unvisited each time.
class CDialogAbout : public CDialog {
public:
    explicit CDialogAbout(HWND parent = nullptr);
    ~CDialogAbout() override;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;

    CColorStatic m_versionLine;
    CHyperLink m_homeLink;
    CHyperLink m_mailLink;
};
