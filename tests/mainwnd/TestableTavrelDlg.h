#pragma once
#include <span>
#include <vector>

#include "mainwnd/win/TavrelDlg.h"

// The window with its controls in reach of the checks, counting the datagrams it has handled.
class CTestableTavrelDlg : public CTavrelDlg {
public:
    using CTavrelDlg::m_btnListen;
    using CTavrelDlg::m_btnUpdate;
    using CTavrelDlg::m_clock;
    using CTavrelDlg::m_editOffset;
    using CTavrelDlg::m_iconListening;
    using CTavrelDlg::m_iconNotListening;
    using CTavrelDlg::m_iconReceived;
    using CTavrelDlg::m_indicator;
    using CTavrelDlg::m_list;
    using CTavrelDlg::m_status;

    int handled = 0;
    // Handled as the next popup menu waits for input, as if it had just arrived; then the menu's first
    // command is chosen.
    std::vector<unsigned char> whileMenuOpen;

protected:
    LRESULT OnCountedDatagram(std::span<const unsigned char> datagram) {
        ++handled;
        return OnUdpDatagram(datagram);
    }
    LRESULT OnEnterIdle(WPARAM source, LPARAM) {
        if (source == MSGF_MENU && !whileMenuOpen.empty()) {
            OnUdpDatagram(whileMenuOpen);
            whileMenuOpen.clear();
            ::PostMessageA(m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageA(m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
        }
        return 0;
    }
    const MessageMap* GetMessageMap() const override {
        static constexpr MessageEntry entries[] = {
            On<WM_UDP_DATAGRAM, &CTestableTavrelDlg::OnCountedDatagram>(),
            On<WM_ENTERIDLE, &CTestableTavrelDlg::OnEnterIdle>(),
        };
        static const MessageMap map{CTavrelDlg::GetMessageMap(), entries};
        return &map;
    }
};
