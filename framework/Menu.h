#pragma once
#include <utility>

#include "framework/Win32.h"

// Owns a menu loaded from the resources, destroyed with the object.
class CMenu {
public:
    CMenu() = default;
    ~CMenu() {
        if (m_menu) {
            ::DestroyMenu(m_menu);
        }
    }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL LoadMenu(UINT id) {
        m_menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        return m_menu != nullptr;
    }
    HMENU GetSubMenu(int position) const { return m_menu ? ::GetSubMenu(m_menu, position) : nullptr; }
    HMENU Get() const { return m_menu; }

private:
    HMENU m_menu = nullptr;
};
