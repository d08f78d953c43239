#pragma once
#include "ListTestIds.h"
#include "controls/win/ListCtrlEx.h"
#include "framework/Dialog.h"

// The decode list set up the way the main window sets it up, in a dialog of the main window's size.
class CListTestDialog : public CDialog {
public:
    static constexpr COLORREF kText = RGB(0, 0, 160);
    static constexpr COLORREF kBack = RGB(255, 255, 224);
    static constexpr COLORREF kSelect = RGB(0, 200, 0);
    static constexpr COLORREF kWarn = RGB(250, 120, 150);
    static constexpr DWORD kExtendedStyle = LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;

    explicit CListTestDialog(LONG fontHeight = -11, DWORD extendedStyle = kExtendedStyle)
        : CDialog(IDD_LIST_TEST), m_fontHeight(fontHeight), m_extendedStyle(extendedStyle) {}

    CListCtrlEx m_list;

    // Creates the dialog and shows it at the screen's top left corner, painted.
    bool Open();
    // Appends a row as the decode intake does; returns its index.
    int AddRow(const char* utc, const char* db, const char* dt, const char* freq, const char* message,
               bool warning = false);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override { BindControl(IDC_TEST_DECODE_LIST, m_list); }

private:
    LONG m_fontHeight;
    DWORD m_extendedStyle;
};
