#include "support/MessagePump.h"

#include <windows.h>

namespace {

void PumpQueued() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

} // namespace

void PumpMessages(unsigned ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        PumpQueued();
        if (ms) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    } while (::GetTickCount64() < end);
    PumpQueued();
}

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        PumpQueued();
        if (done()) {
            return true;
        }
        if (::GetTickCount64() >= end) {
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void WaitAnsweringSent(const std::function<bool()>& done) {
    MSG msg;
    while (!done()) {
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        ::Sleep(1);
    }
}
