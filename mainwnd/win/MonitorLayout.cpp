#include "mainwnd/win/MonitorLayout.h"

#include "framework/Win32.h"

#include "framework/ExceptionBarrier.h"

namespace {

ScreenRect ToScreenRect(const RECT& rc) {
    return {rc.left, rc.top, rc.right, rc.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    return ExceptionBarrier("monitor enumeration", BOOL{FALSE}, [&] {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (::GetMonitorInfoA(monitor, &info)) {
            reinterpret_cast<std::vector<ScreenRect>*>(data)->push_back(ToScreenRect(info.rcWork));
        }
        return BOOL{TRUE};
    });
}

} // namespace

ScreenLayout CurrentScreenLayout() {
    ScreenLayout screens;
    RECT work{};
    if (::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        screens.primaryWorkArea = ToScreenRect(work);
    }
    screens.virtualWidth = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screens.virtualHeight = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&screens.workAreas));
    return screens;
}
