#include "mainwnd/win/TavrelDlg.h"

#include <cstdio>

#include "clock/SystemClock.h"
#include "clock/win/ShiftSystemTime.h"
#include "estimate/OffsetStrategies.h"
#include "framework/Font.h"
#include "framework/Menu.h"
#include "framework/PaintDC.h"
#include "intake/DatagramEvent.h"
#include "intake/DecodeRow.h"
#include "mainwnd/win/DialogAbout.h"
#include "mainwnd/win/MonitorLayout.h"
#include "ntp/win/DialogTime.h"
#include "platform/win/WindowsTime.h"
#include "res/resource.h"
#include "settings/SettingsRules.h"
#include "settings/win/DialogSetup.h"
#include "settings/win/SettingsStore.h"
#include "text/NumberText.h"

namespace {

struct Column {
    const char* title;
    int width;
};
constexpr Column kColumns[] = {{"UTC", 60}, {"dB", 40}, {"DT", 40}, {"Freq", 50}, {"Message", 200}};
constexpr int kDtColumn = 2;
constexpr int kRowHeight = 18;
constexpr int kIndicatorIconSize = 24;

} // namespace

CTavrelDlg::CTavrelDlg() : CDialog(IDD_TAVREL_DIALOG) {
    m_hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CTavrelDlg::~CTavrelDlg() = default;

const MessageMap* CTavrelDlg::GetMessageMap() const {
    static constexpr MessageEntry entries[] = {
        On<WM_SYSCOMMAND, &CTavrelDlg::OnSysCommand>(),
        On<WM_PAINT, &CTavrelDlg::OnPaint>(),
        On<WM_QUERYDRAGICON, &CTavrelDlg::OnQueryDragIcon>(),
        OnCommand<&CTavrelDlg::OnListen>(IDC_LISTEN),
        On<WM_UDP_DATAGRAM, &CTavrelDlg::OnUdpDatagram>(),
        On<WM_UDP_STARTED, &CTavrelDlg::OnUdpStarted>(),
        On<WM_UDP_STOPPED, &CTavrelDlg::OnUdpStopped>(),
        OnCommand<&CTavrelDlg::OnReset>(IDC_RESET),
        OnCommand<&CTavrelDlg::OnCalculate>(IDC_CALCULATE),
        OnCommand<&CTavrelDlg::OnUpdate>(IDC_UPDATE),
        On<WM_TIMER, &CTavrelDlg::OnTimer>(),
        OnNotify<&CTavrelDlg::OnListClick>(IDC_DECODE_LIST, NM_CLICK),
        OnNotify<&CTavrelDlg::OnListRightClick>(IDC_DECODE_LIST, NM_RCLICK),
        OnCommand<&CTavrelDlg::OnOffsetChange>(IDC_OFFSET, EN_CHANGE),
        On<WM_CLOSE, &CTavrelDlg::OnClose>(),
        OnCommand<&CTavrelDlg::OnTime>(IDC_TIME),
        OnCommand<&CTavrelDlg::OnSetup>(IDC_SETUP),
    };
    static const MessageMap map{CDialog::GetMessageMap(), entries};
    return &map;
}

void CTavrelDlg::DoDataExchange() {
    BindControl(IDC_RESET, m_btnReset);
    BindControl(IDC_SETUP, m_btnSetup);
    BindControl(IDC_TIME, m_btnTime);
    BindControl(IDC_UPDATE, m_btnUpdate);
    BindControl(IDC_OFFSET, m_editOffset);
    BindControl(IDC_LISTEN, m_btnListen);
    BindControl(IDC_DECODE_LIST, m_list);
    BindControl(IDC_INDICATOR, m_indicator);
    BindControl(IDC_STATUS, m_status);
    BindControl(IDC_CLOCK, m_clock);
}

BOOL CTavrelDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_positionReset = false;
    m_listener.SetOwner(m_hWnd);
    AddSystemMenuEntries();

    SendMessage(WM_SETICON, ICON_BIG, (LPARAM)m_hIcon);
    SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)m_hIcon);
    m_clock.SetFormat(DT_RIGHT);
    m_btnTime.LoadImages(IDB_PNG_TIME);
    m_btnTime.SetTooltipText("Synchronize Clock");
    m_btnSetup.LoadImages(IDB_PNG_SETUP);
    m_btnSetup.SetTooltipText("Setup");
    m_btnReset.LoadImages(IDB_PNG_RESET);
    m_btnReset.SetTooltipText("Reset");

    m_btnUpdate.EnableWindow(FALSE);
    // The process is DPI-aware: every pixel size of the list and the lamp is given at 96 dpi and
    // scaled to the screen's resolution.
    HDC screen = ::GetDC(nullptr);
    m_dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    for (int i = 0; i < (int)std::size(kColumns); ++i) {
        m_list.InsertColumn(i, kColumns[i].title, LVCFMT_LEFT, Scaled(kColumns[i].width));
    }
    m_list.m_header.SubclassWindow(m_list.GetHeaderCtrl());
    m_list.SetReorderHandler([this](std::span<const int> previousRow) { OnRowsReordered(previousRow); });

    m_osVersion.dwOSVersionInfoSize = sizeof m_osVersion;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&m_osVersion));
#pragma GCC diagnostic pop
    DWORD listStyle = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
    if (m_osVersion.dwPlatformId == VER_PLATFORM_WIN32_NT && m_osVersion.dwMajorVersion >= 5) {
        listStyle |= LVS_EX_DOUBLEBUFFER;
    }
    m_list.SetExtendedStyle(listStyle);
    if (m_osVersion.dwMajorVersion >= 6) {
        m_btnUpdate.SetShield(TRUE);
    }

    InitListFont();
    m_list.SetRowHeight((UINT)Scaled(kRowHeight));
    m_list.FitColumnsToWidth();

    const int iconSize = Scaled(kIndicatorIconSize);
    m_iconListening.Load(IDI_LISTENING, iconSize, iconSize);
    m_iconNotListening.Load(IDI_NOT_LISTENING, iconSize, iconSize);
    m_iconReceived.Load(IDI_RECEIVED, iconSize, iconSize);

    LoadMainSettings();
    RestorePosition();

    SetTimer(kClockTimer, kClockTimerMs);
    return TRUE;
}

void CTavrelDlg::InitListFont() {
    // The system's user-interface font in Courier New, 8 points at the screen's resolution.
    LOGFONTA font{};
    if (!CFont::GetLogFont((HFONT)::GetStockObject(DEFAULT_GUI_FONT), font)) {
        font.lfQuality = PROOF_QUALITY;
        font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    }
    lstrcpynA(font.lfFaceName, "Courier New", LF_FACESIZE);
    font.lfItalic = FALSE;
    font.lfWeight = FW_NORMAL;
    font.lfHeight = -::MulDiv(8, m_dpi, 72);
    m_listFont = font;
    m_list.SetListFont(&m_listFont);
    m_list.m_header.SetHeaderFont(&m_listFont);
}

void CTavrelDlg::LoadMainSettings() {
    const SettingsKey key = OpenSettingsForRead();
    // Values put into the registry by hand (or by an older version) get the setup dialog's limits.
    m_strategy = (int32_t)ClampStrategy(ReadSetting(key, kStrategySetting));
    m_maxEntries = (int32_t)ClampMaxEntries(ReadSetting(key, kMaxEntriesSetting));
    const COLORREF text = ReadSetting(key, kColorTextSetting);
    const COLORREF back = ReadSetting(key, kColorBackSetting);
    const COLORREF select = ReadSetting(key, kColorSelectSetting);
    const COLORREF warn = ReadSetting(key, kColorWarnSetting);
    m_multicast = (int32_t)ReadSetting(key, kMulticastSetting);

    m_list.SetColorBack(back);
    m_list.SetColorText(text);
    m_list.SetColorSelect(select);
    m_list.SetColorWarn(warn);
    m_list.Invalidate(FALSE);
}

void CTavrelDlg::OnPaint() {
    if (!::IsIconic(m_hWnd)) {
        Default();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc());
    const RECT rc = GetClientRect();
    const int x = (rc.right - rc.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.bottom - rc.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CTavrelDlg::OnQueryDragIcon() {
    return (HCURSOR)m_hIcon;
}

void CTavrelDlg::OnListen() {
    if (m_btnListen.GetCheck() == BST_CHECKED) {
        m_listener.StartReceiving(m_multicast != 0);
    } else {
        m_listener.StopReceiving();
    }
}

LRESULT CTavrelDlg::OnUdpStarted(WPARAM, LPARAM) {
    m_indicator.SetIcon(m_iconListening);
    return 0;
}

LRESULT CTavrelDlg::OnUdpStopped(WPARAM, LPARAM) {
    // Whoever stopped it (the user, a failed start, a socket failure, an empty datagram), the toggle
    // and the lamp now say that nothing is listening.
    m_btnListen.SetCheck(BST_UNCHECKED);
    m_indicator.SetIcon(m_iconNotListening);
    return 0;
}

LRESULT CTavrelDlg::OnUdpDatagram(std::span<const unsigned char> datagram) {
    std::lock_guard lock(m_lock);
    const DatagramEvent event = ClassifyDatagram(datagram.data(), datagram.size());
    if (event.status && m_status.GetText() != event.status) {
        m_status.SetText(event.status);
    }
    if (event.kind == DatagramKind::NewDecode) {
        AddDecode(event.decode);
    }
    // Every datagram flashes the indicator, also one that is ignored.
    if (m_indicator.GetIcon() != m_iconReceived.Get()) {
        m_indicator.SetIcon(m_iconReceived);
    }
    // Within a burst the fall-back is restarted once, when the rows are shown (a trip to the window
    // server saved per datagram).
    if (!m_rowPaint.IsWaiting()) {
        SetTimer(kIndicatorTimer, kIndicatorTimerMs);
    }
    return 0;
}

void CTavrelDlg::AddDecode(const WsjtxDecode& decode) {
    const DecodeRow row = MakeDecodeRow(decode);
    // The row, its sample and the mark are brought up to date at once, so whatever reads the list or
    // the window sees every decode. Only showing the rows waits while more datagrams do: under Wine
    // every insert into a visible list with a scroll bar costs milliseconds, with redraw off almost
    // nothing.
    const bool wasWaiting = m_rowPaint.IsWaiting();
    const bool showNow = m_rowPaint.RowAdded(RowPaintSchedule::Clock::now(), m_listener.IsMoreWaiting());
    if (!showNow && !wasWaiting) {
        m_list.SetRedraw(FALSE);
        SetTimer(kRowPaintTimer, (UINT)RowPaintSchedule::kMaxDelay.count());
    }
    // The decode log decides; the list view follows it.
    if (const int evicted = m_decodes.MakeRoom(m_maxEntries); evicted != -1) {
        m_list.DeleteItem(evicted);
    }
    const int index =
        m_list.InsertItem(m_list.GetItemCount(), row.time.c_str(), row.warning ? CListCtrlEx::kWarning : 0);
    if (index != -1) {
        m_list.SetItemText(index, 1, row.snr.c_str());
        m_list.SetItemText(index, kDtColumn, row.deltaTime.c_str());
        m_list.SetItemText(index, 3, row.deltaFrequency.c_str());
        m_list.SetItemText(index, 4, row.message.c_str());
        if (const int unmarked = m_decodes.Append(decode.deltaTime); unmarked != -1) {
            m_list.SetItemState(unmarked, 0, LVIS_SELECTED);
        }
    }
    m_list.SetMarkedRow(m_decodes.MarkedRow());
    if (showNow) {
        ShowNewRows();
    }
}

void CTavrelDlg::ShowNewRows() {
    if (m_rowPaint.IsWaiting()) {
        m_rowPaint.Shown();
        KillTimer(kRowPaintTimer);
        SetTimer(kIndicatorTimer, kIndicatorTimerMs);
        m_list.SetRedraw(TRUE);
        m_list.Invalidate(FALSE);
    }
    if (const int count = m_list.GetItemCount(); count > 0) {
        m_list.EnsureVisible(count - 1, TRUE);
    }
    m_list.FitColumnsToWidth();
    m_list.UpdateWindow();
}

void CTavrelDlg::OnRowsReordered(std::span<const int> previousRow) {
    std::lock_guard lock(m_lock);
    m_decodes.Reorder(previousRow);
    m_list.SetMarkedRow(m_decodes.MarkedRow());
}

void CTavrelDlg::Reset() {
    std::lock_guard lock(m_lock);
    if (m_rowPaint.IsWaiting()) {
        ShowNewRows();
    }
    m_list.DeleteAllItems();
    for (int i = 0; i < (int)std::size(kColumns); ++i) {
        m_list.SetColumnWidth(i, Scaled(kColumns[i].width));
    }
    m_list.FitColumnsToWidth();
    m_editOffset.SetWindowText("");
    m_decodes.RemoveAll();
    m_list.SetMarkedRow(-1);
}

void CTavrelDlg::OnReset() {
    Reset();
}

void CTavrelDlg::OnSetup() {
    // Datagrams keep arriving while the dialog is open. The listener keeps its endpoint until the
    // next "Listen".
    CDialogSetup setup(m_hWnd);
    if (setup.DoModal() != IDOK) {
        return;
    }
    const int32_t maxEntries = m_maxEntries;
    LoadMainSettings();
    if (m_maxEntries != maxEntries) {
        Reset();
    }
}

void CTavrelDlg::OnCalculate() {
    if (m_decodes.Samples().IsEmpty()) {
        return;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", CalculateOffset(m_decodes.Samples(), m_strategy));
    m_editOffset.SetWindowText(text);
}

void CTavrelDlg::OnUpdate() {
    const std::string text = m_editOffset.GetWindowText();
    if (text.empty()) {
        return;
    }
    // A text that is no plain number would shift by whatever part of it reads as one: nothing happens.
    if (!IsPlainDecimal(text)) {
        ::MessageBeep(MB_OK);
        return;
    }
    // The field holds the stations' mean DT: the clock moves the other way. A shift the clock layer
    // cannot apply or hand on (not a number it can apply, no elevated start) leaves the field, the list
    // and the window as they are.
    if (ShiftSystemTime(-ParseNumberText(text))) {
        Reset(); // which empties the field too
    }
}

void CTavrelDlg::OnTimer(UINT_PTR id) {
    if (id == kClockTimer) {
        ShowClockTime();
    } else if (id == kRowPaintTimer) {
        std::lock_guard lock(m_lock);
        KillTimer(kRowPaintTimer);
        if (m_rowPaint.IsWaiting()) {
            ShowNewRows();
        }
    } else if (id == kIndicatorTimer) {
        KillTimer(kIndicatorTimer);
        m_status.SetText("");
        // Listening may have stopped since the last datagram.
        m_indicator.SetIcon(m_listener.IsOpen() ? m_iconListening : m_iconNotListening);
    }
}

void CTavrelDlg::ShowClockTime() {
    // The program's one clock, shown in the local time zone.
    const SYSTEMTIME utcTime = ToWin32Time(SystemClock().GetUtc());
    SYSTEMTIME local{};
    char text[128] = "";
    if (::SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &local)) {
        std::snprintf(text, sizeof text, "%02u:%02u:%02u", local.wHour, local.wMinute, local.wSecond);
    }
    m_clock.SetText(text);
}

LRESULT CTavrelDlg::OnListClick(NMITEMACTIVATE& info) {
    if (info.iItem != -1) {
        m_decodes.MarkRow(info.iItem);
        m_list.SetMarkedRow(m_decodes.MarkedRow());
    }
    return 0;
}

LRESULT CTavrelDlg::OnListRightClick(NMITEMACTIVATE& info) {
    const int row = info.iItem;
    if (row == -1) {
        return 0;
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_MENU_POPUP)) {
        return 0;
    }
    // Datagrams are still handled while the menu is open, and an eviction moves the rows up: the
    // station is the one clicked, taken now.
    const std::string dt = m_list.GetItemText(row, kDtColumn);
    const DecodeLedger::DecodeId station = m_decodes.DecodeAt(row);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const UINT command = (UINT)::TrackPopupMenu(menu.GetSubMenu(0), TPM_LEFTALIGN | TPM_RETURNCMD, cursor.x,
                                                cursor.y, 0, m_hWnd, nullptr);
    if (command == ID_SYNC_WITH_STATION) {
        m_editOffset.SetWindowText(dt.c_str());
        m_decodes.Mark(station);
        m_list.SetMarkedRow(m_decodes.MarkedRow()); // -1 when it has left the list meanwhile
    }
    return 0;
}

void CTavrelDlg::OnOffsetChange() {
    m_btnUpdate.EnableWindow(!IsBlank(m_editOffset.GetWindowText()));
}

void CTavrelDlg::AddSystemMenuEntries() {
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    if (!menu) {
        return;
    }
    const HINSTANCE module = ::GetModuleHandleA(nullptr);
    char about[128] = "", reset[128] = "";
    ::LoadStringA(module, IDS_ABOUTBOX, about, sizeof about);
    ::LoadStringA(module, IDS_RESET_POSITION, reset, sizeof reset);
    if (!about[0]) {
        return;
    }
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_RESET_POSITION, reset);
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, about);
}

void CTavrelDlg::OnSysCommand(UINT command, LPARAM) {
    // The low four bits belong to the system.
    switch (command & 0xFFF0) {
    case IDM_ABOUTBOX: {
        CDialogAbout about(m_hWnd);
        about.DoModal();
        break;
    }
    case IDM_RESET_POSITION:
        ResetPosition();
        break;
    default:
        Default();
    }
}

void CTavrelDlg::OnClose() {
    // The close box, the system menu's Close and Alt+F4; Escape ends the dialog without coming here.
    SavePosition();
    Default();
}

void CTavrelDlg::RestorePosition() {
    m_placement = WINDOWPLACEMENT{};
    m_placement.length = sizeof m_placement;
    const SettingsKey key = OpenSettingsForUpdate();
    const std::optional<uint32_t> left = ReadDwordSetting(key, kLeftSetting.name);
    const std::optional<uint32_t> top = ReadDwordSetting(key, kTopSetting.name);
    if (!left || !top) {
        return; // where the system puts the window
    }
    const RECT window = GetWindowRect();
    const int32_t width = window.right - window.left;
    const int32_t height = window.bottom - window.top;
    if (!IsRestorablePosition((int32_t)*left, (int32_t)*top, width, height, CurrentScreenLayout())) {
        return;
    }
    m_placement.rcNormalPosition = {(LONG)*left, (LONG)*top, (LONG)*left + width, (LONG)*top + height};
    m_placement.showCmd = SW_SHOWNORMAL;
    ::SetWindowPlacement(m_hWnd, &m_placement);
}

void CTavrelDlg::SavePosition() {
    if (m_positionReset) {
        return;
    }
    m_placement.length = sizeof m_placement;
    if (!::GetWindowPlacement(m_hWnd, &m_placement)) {
        return;
    }
    // The restored rectangle, so a window closed while minimised reopens where it was.
    const SettingsKey key = OpenSettingsForWrite();
    WriteDwordSetting(key, kLeftSetting.name, (uint32_t)m_placement.rcNormalPosition.left);
    WriteDwordSetting(key, kTopSetting.name, (uint32_t)m_placement.rcNormalPosition.top);
}

void CTavrelDlg::ResetPosition() {
    const SettingsKey key = OpenSettingsForUpdate();
    for (const char* name : {kLeftSetting.name, kTopSetting.name, kRightSetting.name, kBottomSetting.name}) {
        DeleteSetting(key, name);
    }
    // Also when the key could not be opened: closing must not store the position the user just reset.
    m_positionReset = true;
}

void CTavrelDlg::OnTime() {
    // A nested modal loop: the listener keeps delivering datagrams meanwhile.
    CDialogTime dialog(m_hWnd);
    dialog.DoModal();
}
