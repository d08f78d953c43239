#pragma once

// Moves the system clock by `shift` seconds (positive: later). When the clock refuses, starts Tavrel.exe
// from this executable's folder elevated with "/set <shift>" and returns 1 without waiting for it.
// Returns 0 when nothing was changed or started: for a shift that is not a finite number or would
// take the clock out of its range, and when the elevated start fails, is declined by the user or
// cannot be attempted (no usable path to this executable).
int ShiftSystemTime(double shift);
