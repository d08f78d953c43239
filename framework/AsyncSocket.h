#pragma once
#include "framework/Win32.h"

#include <memory>

// A socket whose events arrive as calls on the user-interface thread: WSAAsyncSelect posts them to a
// hidden message-only window owned by the socket object, which calls OnReceive and OnClose. Create and
// Bind keep the classic semantics: an address that inet_addr does not convert, or that converts to
// INADDR_NONE, fails with WSAEINVAL without calling bind, and a failed Create closes its socket again
// while keeping the error code.
class CAsyncSocket {
public:
    CAsyncSocket();
    virtual ~CAsyncSocket();
    CAsyncSocket(const CAsyncSocket&) = delete;
    CAsyncSocket& operator=(const CAsyncSocket&) = delete;

    // The events that reach a handler (OnReceive, OnClose); registrations ask for no others, so no
    // notification is posted only to be dropped.
    static constexpr long kHandledEvents = FD_READ | FD_CLOSE;

    BOOL Create(UINT port = 0, int type = SOCK_STREAM, long events = kHandledEvents,
                const char* address = nullptr);
    BOOL Socket(int type = SOCK_STREAM, long events = kHandledEvents, int protocol = 0, int family = AF_INET);
    // Takes over an open socket and registers it for `events`; a different socket held so far is closed.
    BOOL Attach(SOCKET socket, long events);
    BOOL Bind(UINT port, const char* address = nullptr);
    // Registers for those of `events` that are handled (kHandledEvents).
    BOOL AsyncSelect(long events);
    // Closes the socket if one is open; notifications already queued for it are then ignored.
    virtual void Close();
    int Receive(void* buffer, int length, int flags = 0) const;
    // Whether data waits to be read (false while reading is held, see HoldReceive). A waiting empty
    // datagram does not count.
    bool IsDataWaiting() const;
    static int GetLastError() { return ::WSAGetLastError(); }

    SOCKET m_hSocket = INVALID_SOCKET;

protected:
    virtual void OnReceive(int /*errorCode*/) {}
    virtual void OnClose(int /*errorCode*/) {}
    // Leaves the waiting data alone until the message loop has handled everything else that waits
    // (input, painting, due timers, which all come after queued receive notifications); then OnReceive
    // is called again. Receive notifications in between are dropped: none follows until data is read.
    // False when reading cannot be held (then read on).
    bool HoldReceive();

private:
    class CNotifyWindow;
    friend class CNotifyWindow;
    void OnSocketNotify(UINT message, WPARAM wParam, LPARAM lParam);
    void OnResumeReceive();
    void NextNotifyMessage();

    std::unique_ptr<CNotifyWindow> m_window;
    // Each registration uses its own message number, so a notification queued for a closed socket is
    // never taken for one of a later socket that reuses the same handle value.
    UINT m_notifyMessage = 0;
    bool m_receiveHeld = false;
};
