#pragma once
#include <atomic>
#include <string>
#include <thread>

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "ntp/SNTPClient.h"

// "Synchronize Time with NTP": asks the chosen SNTP server for the time on a worker thread, types the
// report into a read-only box like a teletype, and "Set" sets the clock from the answer (or hands the
// offset to the elevated copy). "Get" is the dialog's OK command and never closes it; while a query runs
// the dialog cannot be closed, and the query ends within the name-resolution bound plus the client's
// time-out.
//
// The worker reaches the dialog only through synchronous window operations, carried out by the
// user-interface thread, and clears the running-query marker as its very last access to the dialog.
class CDialogTime : public CDialog {
public:
    static constexpr unsigned kTypingDelayMs = 20;
    static constexpr int kNtpPort = 123;

    explicit CDialogTime(HWND parent = nullptr);
    // Waits for a running worker (it ends within its bounds) while carrying out its window requests.
    ~CDialogTime() override;

    bool IsQuerying() const { return m_querying; }

    // The pause before each typed character, for every dialog of the process; tests shorten it.
    static void SetTypingDelay(unsigned ms) { s_typingDelayMs = ms; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnOK() override; // "Get"
    void OnCancel() override;
    const MessageMap* GetMessageMap() const override;

    void OnSet();
    // Appends `text` one character at a time, then a line break. Runs on either thread.
    void TypeText(const std::string& text);

    CEdit m_report;
    CComboBox m_server;
    CButton m_btnGet;
    CButton m_btnSet;

private:
    static unsigned QueryWorker(CDialogTime* dialog);
    void ClearReport();
    // Puts the focus on the report when it is in a control about to be disabled, so Enter and Escape
    // still reach the dialog.
    void KeepFocusOnReport();

    CSNTPClient m_client;
    SntpReply m_reply; // written by the worker while a query runs; "Set" spends it
    std::thread m_worker;
    std::atomic<bool> m_querying{false};
    std::atomic<bool> m_closing{false};
    static std::atomic<unsigned> s_typingDelayMs;
};
