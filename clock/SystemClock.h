#pragma once
#include "platform/PlatformClock.h"

// The clock in use: the injected one, or else the platform's.
CSystemClock& SystemClock();

// Makes `clock` the clock in use (nullptr: the platform's again) and returns the one injected before.
CSystemClock* InjectSystemClock(CSystemClock* clock);
