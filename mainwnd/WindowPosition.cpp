#include "mainwnd/WindowPosition.h"

#include <algorithm>

namespace {

// Edges in 64 bits: a saved corner near the end of the 32-bit range plus the window's size must not wrap
// round to a small number that passes the checks.
struct Extent {
    int64_t left;
    int64_t top;
    int64_t right;
    int64_t bottom;
};

bool Within(const Extent& window, int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return window.left >= left && window.top >= top && window.right <= right && window.bottom <= bottom;
}

} // namespace

bool IsRestorablePosition(int32_t left, int32_t top, int32_t width, int32_t height,
                          const ScreenLayout& screens) {
    const Extent window{left, top, int64_t(left) + width, int64_t(top) + height};
    const ScreenRect& primary = screens.primaryWorkArea;
    if (Within(window, primary.left, primary.top, std::max(primary.right, screens.virtualWidth),
               std::max(primary.bottom, screens.virtualHeight))) {
        return true;
    }
    return std::any_of(screens.workAreas.begin(), screens.workAreas.end(), [&](const ScreenRect& area) {
        return Within(window, area.left, area.top, area.right, area.bottom);
    });
}
