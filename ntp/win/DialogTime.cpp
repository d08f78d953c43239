#include "ntp/win/DialogTime.h"

#include <versionhelpers.h>

#include <array>

#include "clock/win/ShiftSystemTime.h"
#include "framework/ExceptionBarrier.h"
#include "ntp/TimeReport.h"
#include "res/resource.h"
#include "settings/win/SettingsStore.h"

std::atomic<unsigned> CDialogTime::s_typingDelayMs{kTypingDelayMs};

CDialogTime::CDialogTime(HWND parent) : CDialog(IDD_DIALOG_TIME, parent) {}

CDialogTime::~CDialogTime() {
    if (!m_worker.joinable()) {
        return;
    }
    m_closing = true; // the worker stops typing
    while (m_querying) {
        // Carry out the worker's sent messages; nothing else is dispatched here.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    m_worker.join();
}

const MessageMap* CDialogTime::GetMessageMap() const {
    static constexpr MessageEntry entries[] = {
        OnCommand<&CDialogTime::OnSet>(IDC_SET),
    };
    static const MessageMap map{CDialog::GetMessageMap(), entries};
    return &map;
}

void CDialogTime::DoDataExchange() {
    BindControl(IDC_REPORT, m_report);
    BindControl(IDC_SERVER, m_server);
    BindControl(IDOK, m_btnGet);
    BindControl(IDC_SET, m_btnSet);
}

BOOL CDialogTime::OnInitDialog() {
    CDialog::OnInitDialog();
    m_querying = false;
    m_reply = SntpReply{};
    m_report.SetMargins(5, 5);

    std::array<std::string, kNtpServerCount> servers;
    uint32_t lastIndex = 0;
    {
        const SettingsKey key = OpenSettingsForRead();
        lastIndex = ReadSetting(key, kLastIndexSetting);
        for (size_t i = 0; i < kNtpServerCount; ++i) {
            servers[i] = ReadSetting(key, kServerSettings[i]);
        }
    }

    if (::IsWindowsVistaOrGreater()) {
        m_btnSet.SetShield(TRUE);
    }
    m_btnSet.EnableWindow(FALSE);

    const ServerList list = MakeServerList(servers, lastIndex);
    for (const std::string& server : list.entries) {
        m_server.AddString(server.c_str());
    }
    if (list.selected >= 0) {
        m_server.SetCurSel(list.selected);
    }
    return TRUE;
}

void CDialogTime::OnOK() {
    if (m_querying) {
        return;
    }
    const std::string server = m_server.GetWindowText();
    ClearReport();
    if (server.empty()) {
        return;
    }
    TypeText(LookingUpText(server));
    KeepFocusOnReport();
    m_server.EnableWindow(FALSE);
    m_btnGet.EnableWindow(FALSE);
    m_btnSet.EnableWindow(FALSE);

    if (m_worker.joinable()) {
        m_worker.join(); // the last worker has left the dialog already
    }
    m_querying = true; // before the worker can clear it
    try {
        m_worker = std::thread(QueryWorker, this);
    } catch (...) {
        m_querying = false;
        TypeText(kReportFailed);
        m_server.EnableWindow(TRUE);
        m_btnGet.EnableWindow(TRUE);
    }

    if (const int selected = m_server.GetCurSel(); selected != CB_ERR) {
        WriteDwordSetting(OpenSettingsForWrite(), kLastIndexSetting.name, (uint32_t)selected);
    }
}

void CDialogTime::OnCancel() {
    if (!m_querying) {
        EndDialog(IDCANCEL);
    }
}

unsigned CDialogTime::QueryWorker(CDialogTime* dialog) {
    // Nothing leaves the thread; the controls come back below.
    ExceptionBarrier("NTP query thread", 0, [dialog] {
        const std::string server = dialog->m_server.GetWindowText();
        // A failed query leaves no earlier answer behind for "Set".
        dialog->m_reply = SntpReply{};
        if (dialog->m_client.QueryServer(server.c_str(), dialog->m_reply, kNtpPort)) {
            for (const std::string& text : AnswerTexts(dialog->m_reply)) {
                dialog->TypeText(text);
            }
            dialog->m_btnSet.EnableWindow(TRUE);
        } else {
            dialog->TypeText(kReportFailed);
        }
        return 0;
    });
    dialog->m_server.EnableWindow(TRUE);
    dialog->m_btnGet.EnableWindow(TRUE);
    dialog->m_querying = false; // the last access to the dialog
    return 0;
}

void CDialogTime::OnSet() {
    if (m_querying || m_reply.destination.IsEmpty()) {
        return;
    }
    ClearReport();
    // The offset applies to the time of the click, not to the time of the query.
    const double offset = m_reply.localClockOffset;
    if (m_client.SetClockFromTimestamp(NtpTimestamp::Now().PlusSeconds(offset))) {
        TypeText(kReportSynchronised);
    } else {
        ShiftSystemTime(offset); // sets the clock itself or starts the elevated copy; nothing is typed
    }
    // One answer sets the clock once: a second "Set" would move it by the offset again.
    m_reply = SntpReply{};
    KeepFocusOnReport();
    m_btnSet.EnableWindow(FALSE);
}

void CDialogTime::TypeText(const std::string& text) {
    const int length = m_report.GetTextLength();
    m_report.SetSel(length, length);
    m_report.ScrollCaret();
    for (size_t i = 0; i < text.size() && !m_closing; ++i) {
        const int at = length + (int)i;
        m_report.SetSel(at, at);
        m_report.ScrollCaret();
        if (const unsigned delay = s_typingDelayMs) {
            ::Sleep(delay);
        }
        const char character[2] = {text[i], '\0'};
        m_report.ReplaceSel(character);
    }
    m_report.ReplaceSel("\r\n");
    m_report.Invalidate(FALSE);
}

void CDialogTime::ClearReport() {
    m_report.SetWindowText("");
    m_report.UpdateWindow();
}

void CDialogTime::KeepFocusOnReport() {
    const HWND focus = ::GetFocus();
    for (const CWnd* control : {(const CWnd*)&m_server, (const CWnd*)&m_btnGet, (const CWnd*)&m_btnSet}) {
        if (focus == control->m_hWnd || ::IsChild(control->m_hWnd, focus)) {
            SendMessage(WM_NEXTDLGCTL, (WPARAM)m_report.m_hWnd, TRUE);
            return;
        }
    }
}
