#include "framework/Window.h"

namespace {
const wchar_t kObjectProp[] = L"Mensuro.CWindow";
}

CWindow::~CWindow()
{
    if (m_hWnd) Detach();
}

CWindow* CWindow::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<CWindow*>(GetPropW(hwnd, kObjectProp)) : nullptr;
}

bool CWindow::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandle(hwnd)) return false;
    m_hWnd = hwnd;
    SetPropW(hwnd, kObjectProp, this);
    m_superProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindow::WindowProc)));
    return true;
}

void CWindow::Detach()
{
    SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    RemovePropW(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
}

bool CWindow::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

LRESULT CWindow::Default()
{
    return CallWindowProcW(m_superProc, m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CALLBACK CWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindow* self = FromHandle(hwnd);
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

    // Handlers can run nested (a handler that sends a message), so keep the outer one.
    const CurrentMessage outer = self->m_current;
    self->m_current = {message, wParam, lParam};
    LRESULT result = 0;
    if (!self->OnMessage(message, wParam, lParam, result)) result = self->Default();
    self->m_current = outer;

    if (message == WM_NCDESTROY) self->Detach();
    return result;
}
