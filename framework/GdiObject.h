#pragma once
#include "framework/Win32.h"

#include <utility>

// Owns one GDI object and deletes it when replaced or destroyed. Select it into a DC only through a
// CSelectGuard declared after it, so the DC lets go of the object before the object is deleted.
template <class Handle> class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) {}
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        if (this != &other) {
            Attach(std::exchange(other.m_handle, nullptr));
        }
        return *this;
    }

    Handle Get() const { return m_handle; }
    operator Handle() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    void Attach(Handle handle) {
        DeleteObject();
        m_handle = handle;
    }
    Handle Detach() { return std::exchange(m_handle, nullptr); }
    BOOL DeleteObject() {
        if (!m_handle) {
            return FALSE;
        }
        return ::DeleteObject(std::exchange(m_handle, nullptr));
    }

private:
    Handle m_handle = nullptr;
};
