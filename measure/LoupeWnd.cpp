#include "measure/LoupeWnd.h"

#include "copy/OpenedClipboard.h"
#include "copy/ScreenGrab.h"
#include "framework/CaptureExclusion.h"
#include "framework/Handles.h"
#include "framework/PopupWindow.h"
#include "ruler/Geometry.h"
#include "ruler/MonitorList.h"
#include "ruler/MonitorRect.h"
#include "ruler/RulerOptions.h"

#include <algorithm>
#include <cstring>

namespace {

const wchar_t kClassName[] = L"MensuroLoupe";
constexpr UINT_PTR kTimerId = 1;
// One frame: the loupe follows a moving pointer this quickly.
constexpr UINT kFrameMs = 16;
// With the pointer still, the screen is read again this often (five times a second).
constexpr DWORD kStillRefreshMs = 200;
constexpr int32_t kFontHeight96 = 11;
constexpr int32_t kPadding96 = 4;
constexpr COLORREF kStripColor = RGB(32, 32, 32);
constexpr COLORREF kFrozenStripColor = RGB(24, 40, 96);
constexpr COLORREF kTextColor = RGB(255, 255, 255);
constexpr COLORREF kFrameColor = RGB(128, 128, 128);

bool SamePoint(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

bool SameArea(const CLoupeWnd::InnerArea& a, const CLoupeWnd::InnerArea& b)
{
    return SamePoint(a.origin, b.origin) && a.alongX == b.alongX && a.alongY == b.alongY;
}

// The top row of a bottom-up 32-bit DIB as 0x00RRGGBB pixels, and the step to the next row down.
uint32_t* TopRow(const DibSurface& surface)
{
    auto* pixels = reinterpret_cast<uint32_t*>(surface.Pixels());
    return pixels ? pixels + static_cast<ptrdiff_t>(surface.Height() - 1) * surface.Width() : nullptr;
}

void FillColor(HDC dc, const RECT& rect, COLORREF color)
{
    const GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &rect, brush.get());
}

void FrameColor(HDC dc, const RECT& rect, COLORREF color)
{
    const GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FrameRect(dc, &rect, brush.get());
}

// The frame's part around the image, redrawn with every image.
void FrameImage(uint32_t* image, ptrdiff_t stride, int32_t side)
{
    const uint32_t frame = (GetRValue(kFrameColor) << 16) | (GetGValue(kFrameColor) << 8) | GetBValue(kFrameColor);
    std::fill(image, image + side, frame);
    std::fill(image + (side - 1) * stride, image + (side - 1) * stride + side, frame);
    for (int32_t y = 0; y < side; ++y) {
        image[y * stride] = frame;
        image[y * stride + side - 1] = frame;
    }
}

} // namespace

const MessageEntry<CLoupeWnd> CLoupeWnd::s_messages[] = {
    {WM_TIMER, &CLoupeWnd::OnTimer},
    {WM_PAINT, &CLoupeWnd::OnPaint},
    {WM_NCHITTEST, &CLoupeWnd::OnNcHitTest},
    {WM_MOUSEACTIVATE, &CLoupeWnd::OnMouseActivate},
    {WM_DISPLAYCHANGE, &CLoupeWnd::OnDisplayChange},
    {WM_SETTINGCHANGE, &CLoupeWnd::OnDisplayChange},
    {WM_DPICHANGED, &CLoupeWnd::OnDisplayChange},
};

CLoupeWnd::CLoupeWnd(InnerAreaSource innerArea) : m_innerArea(std::move(innerArea)) {}

CLoupeWnd::~CLoupeWnd()
{
    // Gone already when the owner was destroyed first.
    if (m_hWnd) DestroyWindow(m_hWnd);
}

bool CLoupeWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return DispatchMessageTable(this, s_messages, message, wParam, lParam, result);
}

bool CLoupeWnd::Create(HWND owner)
{
    // Layered and transparent: clicks pass through to what lies below; never activated,
    // no taskbar button; owned by the ruler and topmost, so it stays above it.
    HWND hwnd = CreatePopupWindow(kClassName, IDC_ARROW,
                                  WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT,
                                  L"", RECT{0, 0, 0, 0}, owner);
    if (!hwnd) return false;
    SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
    ExcludeFromCapture(hwnd);
    if (SubclassWindow(hwnd)) return true;
    DestroyWindow(hwnd);
    return false;
}

bool CLoupeWnd::Show(HWND owner, int32_t zoom)
{
    if (!m_hWnd && !Create(owner)) return false;
    m_zoom = IsLoupeZoom(zoom) ? zoom : StepLoupeZoom(zoom, 0);
    m_frozen = false;
    m_placed = {};
    POINT pointer = {};
    GetCursorPos(&pointer);
    Update(pointer);
    SetTimer(m_hWnd, kTimerId, kFrameMs, nullptr);
    return true;
}

void CLoupeWnd::Hide()
{
    if (!m_hWnd) return;
    KillTimer(m_hWnd, kTimerId);
    ShowWindow(m_hWnd, SW_HIDE);
    m_frozen = false;
    m_aside = false;
    m_placed = {};
}

bool CLoupeWnd::IsShown() const
{
    return m_hWnd && (IsWindowVisible(m_hWnd) || m_aside);
}

void CLoupeWnd::PutAside(bool aside)
{
    if (!m_hWnd || aside == m_aside || (aside && !IsWindowVisible(m_hWnd))) return;
    m_aside = aside;
    if (aside) {
        KillTimer(m_hWnd, kTimerId);
        ShowWindow(m_hWnd, SW_HIDE);
    } else {
        ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        SetTimer(m_hWnd, kTimerId, kFrameMs, nullptr);
    }
}

void CLoupeWnd::StepZoom(int direction)
{
    m_zoom = StepLoupeZoom(m_zoom, direction);
    if (!IsShown()) return;
    if (!m_frozen) {
        Update(m_pointer);
        return;
    }
    // The frozen pixels, at the new zoom, where the loupe stands.
    Compose();
    Present();
}

void CLoupeWnd::ToggleFrozen()
{
    m_frozen = !m_frozen;
    if (!IsShown()) return;
    if (m_frozen) {
        Compose(); // the strip's colour tells the user
        Present();
        return;
    }
    POINT pointer = {};
    GetCursorPos(&pointer);
    Update(pointer);
}

bool CLoupeWnd::CopyColor(HWND owner) const
{
    return PutTextOnClipboard(owner, LoupeColorText(m_color));
}

void CLoupeWnd::Update(POINT pointer)
{
    FitToMonitorAt(pointer);
    Grab(pointer);
    m_pointer = pointer;
    m_inner = m_innerArea();
    m_grabbedAt = GetTickCount();
    Compose();
    Present();
}

void CLoupeWnd::Tick()
{
    if (m_frozen) return;
    // Where the system reads the pointer's place from the display server on every call
    // (Wine), asking for it 60 times a second costs more than all the rest: ask only
    // after new input, or when the next grab is due (a program may set the pointer).
    LASTINPUTINFO input = {};
    input.cbSize = sizeof(input);
    const bool newInput = !GetLastInputInfo(&input) || input.dwTime != m_lastInput;
    m_lastInput = input.dwTime;
    const bool grabDue = GetTickCount() - m_grabbedAt >= kStillRefreshMs;
    POINT pointer = {};
    if ((!newInput && !grabDue) || !GetCursorPos(&pointer)) return;
    if (!SamePoint(pointer, m_pointer)) {
        Update(pointer);
        return;
    }
    if (!grabDue) return;
    m_grabbedAt = GetTickCount();
    // The ruler may have moved by a command, or changed its unit or size.
    const InnerArea inner = m_innerArea();
    const bool rulerChanged = !SameArea(inner, m_inner);
    m_inner = inner;
    if (!Grab(pointer) && !rulerChanged) return;
    Compose();
    Present();
}

void CLoupeWnd::FitToMonitorAt(POINT pointer)
{
    // Asking the system costs more than the rest of an update: only when the pointer leaves the monitor.
    if (m_monitorRect.Contains(pointer.x, pointer.y)) return;
    const HMONITOR monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        m_workArea = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
        m_monitorRect = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    }
    m_monitors = MonitorRects();
    const int32_t dpi = MonitorDpi(monitor);
    if (dpi == m_dpi) return;
    m_dpi = dpi;
    m_size = LoupeSizeAt(dpi);
    m_image.Create(m_size.width, m_size.height, 32);
    LOGFONTW font = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    font.lfHeight = -FramePixels(kFontHeight96, dpi);
    font.lfWidth = 0;
    m_font = std::make_unique<GdiObject<HFONT>>(CreateFontIndirectW(&font));
    m_placed = {}; // a new size
    m_readout.clear(); // and a new strip
}

bool CLoupeWnd::Grab(POINT pointer)
{
    const int32_t radius = LoupeGrabRadius(m_size.imageSide, m_zoom);
    const int32_t side = 2 * radius + 1;
    if (m_block.Width() != side && !m_block.Create(side, side, 32)) return false;
    const WindowRect around = LoupeGrabRect(pointer.x, pointer.y, m_size.imageSide, m_zoom);
    GrabScreenParts(m_block.GetDC(), 0, 0, ScreenCoverage(around, m_monitors), GrabPace::Repeated);
    const auto* pixels = reinterpret_cast<const uint32_t*>(m_block.Pixels());
    const size_t count = static_cast<size_t>(side) * side;
    if (m_lastBlock.size() == count && std::memcmp(m_lastBlock.data(), pixels, count * sizeof(uint32_t)) == 0)
        return false;
    m_lastBlock.assign(pixels, pixels + count);
    return true;
}

void CLoupeWnd::Compose()
{
    uint32_t* image = TopRow(m_image);
    const uint32_t* block = TopRow(m_block);
    if (!image || !block) return;
    const int32_t side = m_block.Width();
    MagnifyBlock(block, -side, side, m_zoom, image, -m_image.Width(), m_size.imageSide);
    FrameImage(image, -m_image.Width(), m_size.imageSide);
    const uint32_t centre = block[-static_cast<ptrdiff_t>(side / 2) * side + side / 2];
    m_color = RGB((centre >> 16) & 0xFF, (centre >> 8) & 0xFF, centre & 0xFF);
    const std::wstring readout = LoupeReadout(m_pointer.x - m_inner.origin.x, m_pointer.y - m_inner.origin.y, m_color,
                                              m_inner.alongX, m_inner.alongY);
    if (readout == m_readout && m_frozen == m_stripFrozen) return;
    if (readout != m_readout) SetWindowTextW(m_hWnd, readout.c_str());
    m_readout = readout;
    m_stripFrozen = m_frozen;
    DrawReadout(m_image.GetDC());
}

void CLoupeWnd::DrawReadout(HDC dc)
{
    const SavedDC saved(dc);
    const RECT strip = {0, m_size.imageSide, m_size.width, m_size.height};
    FillColor(dc, strip, m_frozen ? kFrozenStripColor : kStripColor);
    const RECT frame = {0, m_size.imageSide - 1, m_size.width, m_size.height};
    FrameColor(dc, frame, kFrameColor);

    if (m_font) SelectObject(dc, m_font->get());
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    const int32_t line = metrics.tmHeight;
    const int32_t pad = FramePixels(kPadding96, m_dpi);
    const int32_t top = strip.top + std::max<int32_t>(0, (m_size.height - strip.top - 2 * line) / 2);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextColor);
    const std::wstring position = LoupePositionText(m_pointer.x - m_inner.origin.x, m_pointer.y - m_inner.origin.y,
                                                    m_inner.alongX, m_inner.alongY);
    TextOutW(dc, pad, top, position.c_str(), static_cast<int>(position.size()));

    // A swatch of the colour before its numbers.
    const RECT swatch = {pad, top + line + 1, pad + line - 2, top + 2 * line - 1};
    FillColor(dc, swatch, m_color);
    FrameColor(dc, swatch, kTextColor);
    const std::wstring color = LoupeColorText(m_color) + L"  " + LoupeChannelsText(m_color);
    TextOutW(dc, swatch.right + pad, top + line, color.c_str(), static_cast<int>(color.size()));
}

void CLoupeWnd::Present()
{
    // A frozen loupe stays where it is; otherwise it goes beside the pointer.
    if (!m_frozen || m_placed.IsEmpty()) {
        const WindowRect place = PlaceLoupe(m_pointer.x, m_pointer.y, m_size.width, m_size.height, m_workArea,
                                            LoupeGap(m_dpi, m_size.imageSide, m_zoom));
        if (!(place == m_placed) || !IsWindowVisible(m_hWnd)) {
            m_placed = place;
            // Above everything when it appears; a move after that need not reorder windows.
            const UINT keepOrder = IsWindowVisible(m_hWnd) ? SWP_NOZORDER : 0;
            SetWindowPos(m_hWnd, HWND_TOPMOST, place.left, place.top, place.Width(), place.Height(),
                         SWP_NOACTIVATE | SWP_SHOWWINDOW | keepOrder);
        }
    }
    const WindowDC dc(m_hWnd);
    m_image.BlitTo(dc.get(), 0, 0);
}

LRESULT CLoupeWnd::OnTimer(WPARAM id, LPARAM)
{
    if (id == kTimerId) Tick();
    return 0;
}

LRESULT CLoupeWnd::OnPaint(WPARAM, LPARAM)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    m_image.BlitTo(dc, 0, 0);
    EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT CLoupeWnd::OnNcHitTest(WPARAM, LPARAM)
{
    return HTTRANSPARENT;
}

LRESULT CLoupeWnd::OnMouseActivate(WPARAM, LPARAM)
{
    return MA_NOACTIVATE;
}

LRESULT CLoupeWnd::OnDisplayChange(WPARAM, LPARAM)
{
    // Monitors, work areas or scales may have changed: ask again at the next update.
    m_monitorRect = {};
    return Default();
}
