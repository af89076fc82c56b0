#pragma once

#include <windows.h>

// Owners for the USER and GDI handles that are not plain GDI objects
// (those are GdiObject in GdiHolders.h).

// A window the program created and destroys itself (a tooltip, a helper window).
class OwnedWindow {
public:
    OwnedWindow() = default;
    ~OwnedWindow() { reset(); }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    HWND get() const { return m_hwnd; }
    explicit operator bool() const { return m_hwnd != nullptr; }
    void reset(HWND hwnd = nullptr)
    {
        if (m_hwnd && m_hwnd != hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
        m_hwnd = hwnd;
    }

private:
    HWND m_hwnd = nullptr;
};

// An icon the program loaded at a size of its own (not shared), destroyed with DestroyIcon.
class OwnedIcon {
public:
    OwnedIcon() = default;
    ~OwnedIcon() { reset(); }
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;

    HICON get() const { return m_icon; }
    void reset(HICON icon = nullptr)
    {
        if (m_icon && m_icon != icon) DestroyIcon(m_icon);
        m_icon = icon;
    }

private:
    HICON m_icon = nullptr;
};

// A hook set with SetWindowsHookEx, removed with UnhookWindowsHookEx.
class OwnedHook {
public:
    OwnedHook() = default;
    ~OwnedHook() { reset(); }
    OwnedHook(const OwnedHook&) = delete;
    OwnedHook& operator=(const OwnedHook&) = delete;

    HHOOK get() const { return m_hook; }
    explicit operator bool() const { return m_hook != nullptr; }
    void reset(HHOOK hook = nullptr)
    {
        if (m_hook && m_hook != hook) UnhookWindowsHookEx(m_hook);
        m_hook = hook;
    }

private:
    HHOOK m_hook = nullptr;
};

// A device context made with CreateDC (the whole display) and deleted with DeleteDC.
class CreatedDC {
public:
    explicit CreatedDC(HDC dc) : m_dc(dc) {}
    // The whole screen, across every monitor.
    static HDC Display() { return CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr); }
    ~CreatedDC()
    {
        if (m_dc) DeleteDC(m_dc);
    }
    CreatedDC(const CreatedDC&) = delete;
    CreatedDC& operator=(const CreatedDC&) = delete;

    HDC get() const { return m_dc; }

private:
    HDC m_dc;
};

// A memory DC made with CreateCompatibleDC and deleted with DeleteDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC dc = nullptr) : m_dc(dc) {}
    ~MemoryDC() { reset(); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return m_dc; }
    void reset(HDC dc = nullptr)
    {
        if (m_dc && m_dc != dc) DeleteDC(m_dc);
        m_dc = dc;
    }

private:
    HDC m_dc;
};

// A DC from GetDC, released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ~WindowDC()
    {
        if (m_dc) ReleaseDC(m_hwnd, m_dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// A global memory block (a clipboard format's data) freed at the end of a scope unless
// handed over with release().
class GlobalBlock {
public:
    explicit GlobalBlock(HGLOBAL block) : m_block(block) {}
    ~GlobalBlock()
    {
        if (m_block) GlobalFree(m_block);
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    HGLOBAL get() const { return m_block; }
    void reset(HGLOBAL block = nullptr)
    {
        if (m_block && m_block != block) GlobalFree(m_block);
        m_block = block;
    }
    HGLOBAL release()
    {
        HGLOBAL block = m_block;
        m_block = nullptr;
        return block;
    }

private:
    HGLOBAL m_block;
};

// A kernel object's handle (a mutex, a file mapping), closed with CloseHandle.
class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle = nullptr) : m_handle(handle) {}
    ~KernelHandle() { reset(); }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    HANDLE get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    void reset(HANDLE handle = nullptr)
    {
        if (m_handle && m_handle != handle) CloseHandle(m_handle);
        m_handle = handle;
    }

private:
    HANDLE m_handle;
};
