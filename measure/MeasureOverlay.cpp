#include "measure/MeasureOverlay.h"

#include "framework/PopupWindow.h"

#include <vector>

namespace {

const wchar_t kClassName[] = L"MensuroMeasure";
constexpr int32_t kFontHeight96 = 12;
// A region of more pieces than this is repainted as the box around it.
constexpr DWORD kMaxStrips = 16;

} // namespace

const MessageEntry<CMeasureOverlay> CMeasureOverlay::s_messages[] = {
    {WM_PAINT, &CMeasureOverlay::OnPaint},
    {WM_ERASEBKGND, &CMeasureOverlay::OnEraseBackground},
    {WM_SETCURSOR, &CMeasureOverlay::OnSetCursor},
    {WM_MOUSEACTIVATE, &CMeasureOverlay::OnMouseActivate},
    {WM_MOUSEMOVE, &CMeasureOverlay::OnInput},
    {WM_LBUTTONDOWN, &CMeasureOverlay::OnInput},
    {WM_LBUTTONDBLCLK, &CMeasureOverlay::OnInput},
    {WM_LBUTTONUP, &CMeasureOverlay::OnInput},
    {WM_RBUTTONDOWN, &CMeasureOverlay::OnInput},
    {WM_RBUTTONUP, &CMeasureOverlay::OnInput},
    {WM_RBUTTONDBLCLK, &CMeasureOverlay::OnInput},
    {WM_MBUTTONDOWN, &CMeasureOverlay::OnInput},
    {WM_MBUTTONUP, &CMeasureOverlay::OnInput},
    {WM_KEYDOWN, &CMeasureOverlay::OnInput},
    {WM_KEYUP, &CMeasureOverlay::OnInput},
    {WM_SYSKEYDOWN, &CMeasureOverlay::OnInput},
    {WM_SYSKEYUP, &CMeasureOverlay::OnInput},
    {WM_CHAR, &CMeasureOverlay::OnInput},
    {WM_SYSCHAR, &CMeasureOverlay::OnInput},
    {WM_CAPTURECHANGED, &CMeasureOverlay::OnInput},
    {WM_MOUSEWHEEL, &CMeasureOverlay::OnWheel},
    {WM_DISPLAYCHANGE, &CMeasureOverlay::OnStale},
    {WM_DPICHANGED, &CMeasureOverlay::OnStale},
};

CMeasureOverlay::CMeasureOverlay(MeasureOverlayClient& client, const WindowRect& monitor, int32_t dpi)
    : m_client(client), m_monitor(monitor), m_dpi(dpi)
{
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(kFontHeight96, dpi, 96);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcscpy_s(font.lfFaceName, L"Segoe UI");
    m_font.reset(CreateFontIndirectW(&font));
}

CMeasureOverlay::~CMeasureOverlay()
{
    Close();
}

bool CMeasureOverlay::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return DispatchMessageTable(this, s_messages, message, wParam, lParam, result);
}

bool CMeasureOverlay::Open(HWND owner, HDC frame, int32_t frameLeft, int32_t frameTop)
{
    const int32_t w = m_monitor.Width(), h = m_monitor.Height();
    if (!frame || !m_back.Create(w, h, 24)) return false;
    m_frame = frame;
    m_frameAt = {m_monitor.left - frameLeft, m_monitor.top - frameTop};
    SelectObject(m_back.GetDC(), m_font.get());
    SetBkMode(m_back.GetDC(), TRANSPARENT);

    // Owned by the ruler and topmost, no taskbar button: the ruler's own window, above it.
    HWND hwnd = CreatePopupWindow(kClassName, IDC_CROSS, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Mensuro Measure",
                                  RECT{m_monitor.left, m_monitor.top, m_monitor.left + w, m_monitor.top + h}, owner);
    if (!hwnd) return false;
    if (!SubclassWindow(hwnd)) {
        DestroyWindow(hwnd);
        return false;
    }
    RebuildBase(false);
    return true;
}

void CMeasureOverlay::Show()
{
    if (!m_hWnd) return;
    ShowWindow(m_hWnd, SW_SHOW);
    UpdateWindow(m_hWnd);
}

void CMeasureOverlay::Close()
{
    if (m_hWnd) {
        if (GetCapture() == m_hWnd) ReleaseCapture();
        DestroyWindow(m_hWnd);
    }
    m_frame = nullptr;
    m_base.Release();
    m_back.Release();
}

void CMeasureOverlay::RebuildBase(bool pins)
{
    if (!m_frame) return;
    const int32_t w = m_monitor.Width(), h = m_monitor.Height();
    if (!pins) {
        m_base.Release();
    } else if (m_base.GetDC() || m_base.Create(w, h, 24)) {
        BitBlt(m_base.GetDC(), 0, 0, w, h, m_frame, m_frameAt.x, m_frameAt.y, SRCCOPY);
        SelectObject(m_base.GetDC(), m_font.get());
        SetBkMode(m_base.GetDC(), TRANSPARENT);
        m_client.DrawBase(m_base.GetDC(), m_monitor, m_dpi);
    }
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMeasureOverlay::CopyBase(HDC dc, const RECT& clip) const
{
    const int32_t w = clip.right - clip.left, h = clip.bottom - clip.top;
    if (m_base.GetDC())
        BitBlt(dc, clip.left, clip.top, w, h, m_base.GetDC(), clip.left, clip.top, SRCCOPY);
    else
        BitBlt(dc, clip.left, clip.top, w, h, m_frame, m_frameAt.x + clip.left, m_frameAt.y + clip.top, SRCCOPY);
}

void CMeasureOverlay::Invalidate(const WindowRect& screen)
{
    if (!m_hWnd) return;
    RECT r = {screen.left - m_monitor.left, screen.top - m_monitor.top, screen.right - m_monitor.left,
              screen.bottom - m_monitor.top};
    RECT client = {0, 0, m_monitor.Width(), m_monitor.Height()};
    if (IntersectRect(&r, &r, &client)) InvalidateRect(m_hWnd, &r, FALSE);
}

SIZE CMeasureOverlay::TextSize(const std::wstring& text) const
{
    SIZE size = {};
    if (m_back.GetDC()) GetTextExtentPoint32W(m_back.GetDC(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void CMeasureOverlay::Compose(const RECT& clip, bool decorations)
{
    const HDC dc = m_back.GetDC();
    CopyBase(dc, clip);
    // The live drawing reaches only the strip being repainted: the rest stays as shown.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    m_client.DrawLive(dc, m_monitor, m_dpi, decorations);
    RestoreDC(dc, saved);
}

LRESULT CMeasureOverlay::OnPaint(WPARAM, LPARAM)
{
    // Strip by strip: the old and new places of a measurement, not the box around them.
    std::vector<RECT> strips;
    const GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    if (GetUpdateRgn(m_hWnd, region.get(), FALSE) == COMPLEXREGION) {
        const DWORD size = GetRegionData(region.get(), 0, nullptr);
        std::vector<char> data(size);
        auto* header = reinterpret_cast<RGNDATA*>(data.data());
        if (size && GetRegionData(region.get(), size, header) == size && header->rdh.nCount <= kMaxStrips) {
            const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
            strips.assign(rects, rects + header->rdh.nCount);
        }
    }
    PAINTSTRUCT ps = {};
    const HDC dc = BeginPaint(m_hWnd, &ps);
    if (strips.empty()) strips.push_back(ps.rcPaint);
    const RECT client = {0, 0, m_monitor.Width(), m_monitor.Height()};
    if (m_back.GetDC() && EqualRect(&strips.front(), &client)) {
        // The whole monitor (a start, a pin): straight from the base, the live drawing over
        // it; one copy of the monitor's size instead of two.
        CopyBase(dc, client);
        SelectedObject font(dc, m_font.get());
        SetBkMode(dc, TRANSPARENT);
        m_client.DrawLive(dc, m_monitor, m_dpi, true);
    } else if (m_back.GetDC()) {
        for (const RECT& strip : strips) {
            Compose(strip, true);
            BitBlt(dc, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top, m_back.GetDC(),
                   strip.left, strip.top, SRCCOPY);
        }
    }
    EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CMeasureOverlay::OnInput(WPARAM wParam, LPARAM lParam)
{
    const UINT message = MessageBeingHandled();
    POINT screen = {};
    GetCursorPos(&screen);
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        // Client points of a captured pointer may lie off this monitor: still screen-exact.
        const POINT client = PointFromLParam(lParam);
        screen = {client.x + m_monitor.left, client.y + m_monitor.top};
    }
    // Characters and the system's own meaning of keys (Alt's menu, F10) go nowhere.
    if (message == WM_CHAR || message == WM_SYSCHAR) return 0;
    m_client.OnOverlayInput(message, wParam, screen);
    return 0;
}

LRESULT CMeasureOverlay::OnWheel(WPARAM wParam, LPARAM lParam)
{
    // The wheel's point is in screen coordinates already.
    m_client.OnOverlayInput(WM_MOUSEWHEEL, wParam, PointFromLParam(lParam));
    return 0;
}

LRESULT CMeasureOverlay::OnStale(WPARAM, LPARAM)
{
    m_client.OnOverlayStale();
    return 0;
}

LRESULT CMeasureOverlay::OnSetCursor(WPARAM, LPARAM)
{
    SetCursor(LoadCursorW(nullptr, IDC_CROSS));
    return TRUE;
}

LRESULT CMeasureOverlay::OnEraseBackground(WPARAM, LPARAM)
{
    return TRUE; // the paint covers every pixel it repaints
}

LRESULT CMeasureOverlay::OnMouseActivate(WPARAM, LPARAM)
{
    return MA_ACTIVATE;
}

HGLOBAL CMeasureOverlay::Picture()
{
    if (!m_back.GetDC()) return nullptr;
    const RECT all = {0, 0, m_monitor.Width(), m_monitor.Height()};
    Compose(all, false);
    HGLOBAL dib = m_back.PackDib();
    // The back buffer shows the decorations again at the next paint.
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, FALSE);
    return dib;
}
