#include "app/win/ApplyTimeShift.h"

#include "clock/ClockTicks.h"
#include "clock/SystemClock.h"
#include "framework/WinApp.h"

int ApplyTimeShift(double shift) {
    if (ShiftClock(SystemClock(), shift) == ShiftOutcome::Set) {
        return 1;
    }
    AppMessageBox("Failed to set the system time", MB_OK);
    return 0;
}
