#pragma once

// The elevated instance's one-shot shift: moves the clock by `shift` seconds, or shows "Failed to set the
// system time" when that is refused or the shift is invalid. Nonzero when the clock was set.
int ApplyTimeShift(double shift);
