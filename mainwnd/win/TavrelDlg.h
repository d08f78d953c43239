#pragma once
#include <cstdint>
#include <mutex>
#include <span>

#include "controls/win/ColorStatic.h"
#include "controls/win/ListCtrlEx.h"
#include "controls/win/PngButton.h"
#include "estimate/DecodeLedger.h"
#include "mainwnd/RowPaintSchedule.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/Icon.h"
#include "framework/Static.h"
#include "intake/win/UdpReceiveSocket.h"

struct WsjtxDecode;

// The main window: the "Listen" toggle and the listener, the decode list with its DT window, the
// reception indicator and status line, the clock display, and the offset field with "Calculate" and
// "Update". Everything runs on the user-interface thread.
class CTavrelDlg : public CDialog {
public:
    // Timers: the clock display, and the reception indicator's fall-back after the last datagram.
    static constexpr UINT_PTR kClockTimer = 1;
    static constexpr UINT kClockTimerMs = 500;
    static constexpr UINT_PTR kIndicatorTimer = 2;
    static constexpr UINT kIndicatorTimerMs = 700;
    // New rows are shown by this timer at the latest when a burst's datagrams stop coming in.
    static constexpr UINT_PTR kRowPaintTimer = 3;

    CTavrelDlg();
    ~CTavrelDlg() override;

    // Reads the strategy and the row limit (both brought into the setup dialog's limits), the list
    // colours and the multicast choice from the settings and repaints the list in its colours.
    void LoadMainSettings();
    // Empties the list, the DT window and the offset field.
    void Reset();

    // For inspection by tests and the later menus.
    const DtWindow& GetDtWindow() const { return m_decodes.Samples(); }
    int32_t GetStrategy() const { return m_strategy; }
    int32_t GetMaxEntries() const { return m_maxEntries; }
    int32_t GetMulticast() const { return m_multicast; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnOK() override {} // Enter never closes the window
    const MessageMap* GetMessageMap() const override;

    // Control members, bound in DoDataExchange.
    CPngButton m_btnReset;
    CPngButton m_btnSetup;
    CPngButton m_btnTime;
    CEdit m_editOffset;
    CButton m_btnListen;
    CButton m_btnUpdate;
    CListCtrlEx m_list;
    CStatic m_indicator;
    CColorStatic m_status;
    CColorStatic m_clock;

    LRESULT OnUdpDatagram(std::span<const unsigned char> datagram);

    // The reception indicator's icons, 24 x 24.
    CIcon m_iconListening;
    CIcon m_iconNotListening;
    CIcon m_iconReceived;

private:
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnListen();
    LRESULT OnUdpStarted(WPARAM, LPARAM);
    LRESULT OnUdpStopped(WPARAM, LPARAM);
    void OnReset();
    void OnCalculate();
    void OnUpdate();
    void OnTimer(UINT_PTR id);
    LRESULT OnListClick(NMITEMACTIVATE& info);
    LRESULT OnListRightClick(NMITEMACTIVATE& info);
    void OnOffsetChange();
    void OnSysCommand(UINT command, LPARAM lParam);
    void OnClose();
    void OnTime();
    // Runs the setup dialog; on OK takes the new settings, and a new row limit empties the list.
    void OnSetup();

    void AddDecode(const WsjtxDecode& decode);
    // Scrolls to the newest row, fits the columns and paints the list: the visual part of adding rows,
    // done once for a burst.
    void ShowNewRows();
    void OnRowsReordered(std::span<const int> previousRow);
    void InitListFont();
    // A size in pixels at 96 dpi, at the screen's resolution.
    int Scaled(int pixels) const { return ::MulDiv(pixels, m_dpi, 96); }
    void ShowClockTime();
    void AddSystemMenuEntries();
    // The normal (restored) position kept in the settings across runs.
    void RestorePosition();
    void SavePosition();
    void ResetPosition();

    HICON m_hIcon;
    CUdpReceiveSocket m_listener;
    LOGFONTA m_listFont{};
    OSVERSIONINFOEXA m_osVersion{};
    // The screen's vertical resolution, read at initialisation.
    int m_dpi = 96;
    int32_t m_strategy = 0;
    int32_t m_maxEntries = 1000;
    // Set by "Reset position": this run saves no position when it closes.
    bool m_positionReset = false;
    int32_t m_multicast = 0;
    WINDOWPLACEMENT m_placement{};
    // Around the list and the DT window. Re-entrant: the setup command holds it around Reset.
    std::recursive_mutex m_lock;
    // The list's rows and the DT window, mirrored into the list view.
    DecodeLedger m_decodes;
    RowPaintSchedule m_rowPaint;
};
