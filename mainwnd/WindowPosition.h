#pragma once
#include <cstdint>
#include <vector>

// Where the main window may reopen, kept free of the window system so the rule can be checked over any
// monitor layout natively. Pixels in screen coordinates; right and bottom are the first pixel outside.

struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The screens as they are when the main window opens.
struct ScreenLayout {
    ScreenRect primaryWorkArea;
    // The size of the box around all monitors.
    int32_t virtualWidth = 0;
    int32_t virtualHeight = 0;
    // The work area of every monitor connected now, the primary one among them.
    std::vector<ScreenRect> workAreas;
};

// Whether a window of the given size may be put at a saved top-left corner. Accepted: the primary work
// area stretched right and down to the virtual screen's size (the rule stored positions have always been
// held to), or lying wholly inside the work area of any monitor connected now, so a window left on a
// monitor left of or above the primary one comes back there. A position on a monitor that is gone, or
// whose far edge lies beyond the coordinate range, is refused.
bool IsRestorablePosition(int32_t left, int32_t top, int32_t width, int32_t height,
                          const ScreenLayout& screens);
