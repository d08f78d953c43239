#include "ListTestDialog.h"

#include <cstring>

bool CListTestDialog::Open() {
    if (!Create()) {
        return false;
    }
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow();
    return true;
}

BOOL CListTestDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    const struct {
        const char* title;
        int width;
    } columns[] = {{"UTC", 60}, {"dB", 40}, {"DT", 40}, {"Freq", 50}, {"Message", 200}};
    for (int i = 0; i < 5; ++i) {
        m_list.InsertColumn(i, columns[i].title, LVCFMT_LEFT, columns[i].width);
    }
    m_list.m_header.SubclassWindow(m_list.GetHeaderCtrl());
    m_list.SetExtendedStyle(m_extendedStyle);

    LOGFONTA font{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    std::strcpy(font.lfFaceName, "Courier New");
    font.lfItalic = FALSE;
    font.lfWeight = FW_NORMAL;
    font.lfHeight = m_fontHeight;
    m_list.SetListFont(&font);
    m_list.m_header.SetHeaderFont(&font);
    m_list.SetRowHeight(18);
    m_list.FitColumnsToWidth();
    m_list.SetColorText(kText);
    m_list.SetColorBack(kBack);
    m_list.SetColorSelect(kSelect);
    m_list.SetColorWarn(kWarn);
    return TRUE;
}

int CListTestDialog::AddRow(const char* utc, const char* db, const char* dt, const char* freq,
                            const char* message, bool warning) {
    const int row = m_list.InsertItem(m_list.GetItemCount(), utc);
    if (row < 0) {
        return row;
    }
    m_list.SetItemText(row, 1, db);
    m_list.SetItemText(row, 2, dt);
    m_list.SetItemText(row, 3, freq);
    m_list.SetItemText(row, 4, message);
    m_list.SetItemData(row, warning ? 1 : 0);
    m_list.FitColumnsToWidth();
    return row;
}
