#pragma once
#include "framework/Win32.h"

#include <span>
#include <vector>

#include "framework/AsyncSocket.h"
#include "framework/MessageMap.h"
#include "intake/ListenerEndpoint.h"
#include "intake/ReceivePacer.h"

// Private messages sent, synchronously, to the listener's owner window.
// WM_UDP_DATAGRAM: wParam the byte count (1 to 10240), lParam the first byte of the listener's buffer,
// valid only while the message is handled.
inline constexpr UINT WM_UDP_DATAGRAM = WM_USER + 1001; // 2025
inline constexpr UINT WM_UDP_STARTED = WM_USER + 1002;  // 2026
inline constexpr UINT WM_UDP_STOPPED = WM_USER + 1003;  // 2027

// A handler of WM_UDP_DATAGRAM gets the datagram's bytes.
TAVREL_CRACKER(WM_UDP_DATAGRAM, std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(lParam),
                                                               (size_t)wParam));

// Receives WSJT-X's datagrams on the configured endpoint and hands each one, unparsed, to its owner
// window. Unicast binds the endpoint's address and port; multicast binds the port on all interfaces
// (address reuse on, so WSJT-X's other clients can share it) and joins the endpoint's group.
class CUdpReceiveSocket : public CAsyncSocket {
public:
    static constexpr int kBufferSize = 10240;
    // Datagrams taken in per receive notification at most, when more wait.
    static constexpr int kBatchSize = 64;
    // The socket's receive buffer in the system: room for well over 1,000 typical decodes (about 100
    // bytes each, and up to about 1.7 KB each with the system's own bookkeeping), so a burst that
    // arrives while the window is busy waits there instead of being dropped.
    static constexpr int kSocketBufferBytes = 2 * 1024 * 1024;

    // `owner` is the window that gets the listener's messages and owns its failure boxes; a window
    // that holds its listener before it has a handle gives it with SetOwner before the first start.
    explicit CUdpReceiveSocket(HWND owner = nullptr);
    ~CUdpReceiveSocket() override;

    void SetOwner(HWND owner) { m_owner = owner; }

    // Opens the socket on the stored endpoint. The outcome arrives as WM_UDP_STARTED or WM_UDP_STOPPED;
    // failures that the user must see are also reported (a message box, see ReportFailure).
    void StartReceiving(bool multicast);
    void StartReceiving(bool multicast, const ListenerEndpoint& endpoint);
    // Closes the socket if it is open and always sends WM_UDP_STOPPED.
    void StopReceiving();

    int GetLastCount() const { return m_lastCount; }
    // While a datagram is handed on: whether another one waits behind it (asked once, when it was read).
    bool IsMoreWaiting() const { return m_moreWaiting; }
    bool IsOpen() const { return m_hSocket != INVALID_SOCKET; }

protected:
    void OnReceive(int errorCode) override;
    void OnClose(int errorCode) override;
    // Tells the user why listening could not start: a warning box captioned "Tavrel" owned by the owner
    // window. A console tool replaces it with a line on its error output.
    virtual void ReportFailure(const char* text);

private:
    bool StartMulticast(const ListenerEndpoint& endpoint);
    bool StartUnicast(const ListenerEndpoint& endpoint);
    // Reads one datagram and hands it on; false when nothing more is to be read now.
    bool ReceiveOne();
    void ReportError(const char* format, int errorCode);
    void EnlargeSocketBuffer();
    void CloseAfterError();
    void Notify(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    HWND m_owner = nullptr;
    std::vector<unsigned char> m_buffer;
    int m_lastCount = 0;
    ReceivePacer m_pacer;
    bool m_moreWaiting = false;
    SOCKET m_multicastSocket = 0; // the socket the multicast path created; 0 when there is none
};

// The endpoint stored in the settings ("UdpServer", "UdpPort"), with the listener's defaults.
ListenerEndpoint ListenerEndpointFromSettings();
