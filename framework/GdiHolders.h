#pragma once

#include <windows.h>

// Small holders for GDI state that must always be released at the end of a scope.

// Selects an object into a DC for the length of a scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(m_dc, m_old); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// Brackets drawing with SaveDC/RestoreDC, so every selection and mode returns
// to the caller's state.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : m_dc(dc), m_saved(SaveDC(dc)) {}
    ~SavedDC()
    {
        if (m_saved) RestoreDC(m_dc, m_saved);
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC m_dc;
    int m_saved;
};

// Owns a created GDI object (pen, brush, font, region, bitmap).
template <class Handle>
class GdiObject {
public:
    explicit GdiObject(Handle handle = nullptr) : m_handle(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : m_handle(other.release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        reset(other.release());
        return *this;
    }

    Handle get() const { return m_handle; }
    // Hands the object over to a new owner (a region given to SetWindowRgn).
    Handle release()
    {
        Handle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }
    // Deletes the object held, unless it is `handle` itself, and holds `handle`.
    void reset(Handle handle = nullptr)
    {
        if (m_handle && m_handle != handle) DeleteObject(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle;
};
