#pragma once
#include "framework/Win32.h"

#include <utility>

// Owns a cursor this program made (CreateCursor) and destroys it when replaced or destroyed. Shared
// system cursors (LoadCursor of IDC_ARROW and the like) are never held here: they must not be destroyed.
class CCursor {
public:
    CCursor() = default;
    ~CCursor() { Destroy(); }
    CCursor(const CCursor&) = delete;
    CCursor& operator=(const CCursor&) = delete;

    // A monochrome cursor from its AND and XOR masks (one bit a pixel, rows padded to 16 bits).
    BOOL Create(HINSTANCE instance, int hotX, int hotY, int width, int height, const void* andMask,
                const void* xorMask) {
        Destroy();
        m_cursor = ::CreateCursor(instance, hotX, hotY, width, height, andMask, xorMask);
        return m_cursor != nullptr;
    }
    void Destroy() {
        if (m_cursor) {
            ::DestroyCursor(std::exchange(m_cursor, nullptr));
        }
    }
    HCURSOR Get() const { return m_cursor; }
    operator HCURSOR() const { return m_cursor; }

private:
    HCURSOR m_cursor = nullptr;
};
