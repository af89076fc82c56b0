#include "e2e/SolidWindow.h"

#include "e2e/WindowThread.h"

SolidWindow::SolidWindow(const RECT& screenRect, COLORREF colour, bool activates)
{
    m_state.colour = colour;
    m_state.activates = activates;
    WindowThread::Run([&] {
        static const wchar_t kClass[] = L"MensuroTestSolidWindow";
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &SolidWindow::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClass;
        RegisterClassW(&wc); // fails harmlessly once the class exists
        m_window = CreateWindowExW(activates ? 0 : WS_EX_NOACTIVATE, kClass, L"Solid", WS_POPUP | WS_CLIPCHILDREN,
                                   screenRect.left, screenRect.top, screenRect.right - screenRect.left,
                                   screenRect.bottom - screenRect.top, nullptr, nullptr, wc.hInstance, &m_state);
        ShowWindow(m_window, SW_SHOWNOACTIVATE);
        UpdateWindow(m_window);
    });
}

SolidWindow::~SolidWindow()
{
    if (m_window) WindowThread::Run([&] { DestroyWindow(m_window); });
}

RECT SolidWindow::Rect() const
{
    RECT rect = {};
    GetWindowRect(m_window, &rect);
    return rect;
}

bool SolidWindow::WasPressedAt(int x, int y) const
{
    const std::lock_guard<std::mutex> hold(m_state.lock);
    for (const POINT& p : m_state.presses)
        if (p.x == x && p.y == y) return true;
    return false;
}

HWND SolidWindow::AddButton(const RECT& rect)
{
    HWND button = nullptr;
    WindowThread::Run([&] {
        button = CreateWindowExW(0, L"BUTTON", L"Child", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, m_window, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    });
    return button;
}

LRESULT CALLBACK SolidWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* state = reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (state && message == WM_ERASEBKGND) {
        RECT client = {};
        GetClientRect(hwnd, &client);
        HBRUSH brush = CreateSolidBrush(state->colour);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    if (state && message == WM_MOUSEACTIVATE && !state->activates) return MA_NOACTIVATE;
    if (state && message == WM_LBUTTONDOWN) {
        POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(hwnd, &at);
        const std::lock_guard<std::mutex> hold(state->lock);
        state->presses.push_back(at);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
