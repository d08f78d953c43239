#pragma once
#include "framework/WinApp.h"

// The one application object. Its start-up reads the command line: "/set <seconds>" shifts the clock
// once and ends, an empty command line runs the main window, anything else ends at once.
class CTavrelApp : public CWinApp {
public:
    CTavrelApp() : CWinApp("Tavrel") {}

    BOOL InitInstance() override;

protected:
    // Windows Sockets 1.1, cleaned up at exit; false when it cannot be started.
    virtual bool StartSockets();
    // The modal main window.
    virtual void RunMainWindow();
};
