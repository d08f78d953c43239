#pragma once
#include <cstdio>

#include "intake/win/UdpReceiveSocket.h"

// The listener with its failure texts on the error output instead of in message boxes.
class CConsoleListener : public CUdpReceiveSocket {
public:
    bool failed = false;

protected:
    void ReportFailure(const char* text) override {
        failed = true;
        std::fprintf(stderr, "%s\n", text);
        std::fflush(stderr);
    }
};
