#pragma once
#include <utility>

#include "framework/Win32.h"

// Owns an icon loaded at a chosen size (LoadImage without LR_SHARED), destroyed with the object.
class CIcon {
public:
    CIcon() = default;
    ~CIcon() { Destroy(); }
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;

    BOOL Load(UINT id, int width, int height) {
        Destroy();
        m_icon = (HICON)::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, width,
                                     height, LR_DEFAULTCOLOR);
        return m_icon != nullptr;
    }
    void Destroy() {
        if (m_icon) {
            ::DestroyIcon(std::exchange(m_icon, nullptr));
        }
    }
    HICON Get() const { return m_icon; }
    operator HICON() const { return m_icon; }

private:
    HICON m_icon = nullptr;
};
