// Painting: Relayout composes the whole window image once per change;
// WM_PAINT only copies it to the screen.
#include "ruler/MensuroDlg.h"

#include "framework/DibSurface.h"
#include "framework/GdiHolders.h"
#include "framework/RegistryWatch.h"
#include "profile/RegistryProfile.h"
#include "ruler/Geometry.h"
#include "ruler/GuideLinePaint.h"
#include "ruler/Win32Rect.h"

#include <vector>

// Up to this many rectangles (bars, corners and some ten lines) the shape is simple enough
// to compare with the old one on every step.
static constexpr size_t kFewShapeRects = 16;

namespace {

WindowRect ClientRect(HWND window)
{
    RECT rc = {};
    GetClientRect(window, &rc);
    return FromRect(rc);
}

// The top bar's background: the corner squares and the line labels share it.
COLORREF TopBack(const std::vector<ScaleBarStyle>& bars)
{
    return bars.empty() ? RGB(255, 255, 255) : AsRgb(bars[0].Back);
}

// The union of the rectangles as one region, made in one call: a region per rectangle,
// joined one by one, costs a handle and a pass over the growing shape for each.
HRGN RegionOf(const std::vector<WindowRect>& rects)
{
    std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects.size()), 0, {0, 0, 0, 0}};
    auto* out = reinterpret_cast<RECT*>(region->Buffer);
    for (const WindowRect& r : rects) {
        *out++ = ToRect(r);
        UnionRect(&region->rdh.rcBound, &region->rdh.rcBound, &out[-1]);
    }
    return rects.empty() ? CreateRectRgn(0, 0, 0, 0)
                         : ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region);
}

} // namespace

void CMensuroDlg::Relayout()
{
    // A ruler that is not on the screen yet has nothing to lay out.
    if (!m_hWnd) return;
    const WindowRect client = ClientRect(m_hWnd);
    ReloadScaleBars(client);
    BuildRegion(client);
    ComposeImage(m_surface->GetDC(), client);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMensuroDlg::ReloadScaleBars(const WindowRect& client)
{
    std::vector<ScaleBarStyle>& bars = m_model.bars;
    const bool loaded = bars.size() == BarCount;
    RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
    if (!m_barsWatch) m_barsWatch = std::make_unique<RegistryWatch>(HKEY_CURRENT_USER, profile.BasePath());
    // Reading 36 values costs more than the rest of a live-resize step; read them
    // again only when something below the program's key changed.
    if (!loaded || m_barsWatch->ChangedSinceLastAsked()) {
        PersistScaleBars(bars, profile, true);
    }
    LayoutScaleBars(bars, m_model.options.Flags, client, Thickness());
}

void CMensuroDlg::BuildRegion(const WindowRect& client)
{
    const RulerModel& m = m_model;
    std::vector<WindowRect> rects =
        RegionRects(client, m.bars, Thickness(), m.options.LineSize, m.lines.X(), m.lines.Y());
    // The same rectangles make the same shape: with many lines, building it only to find it
    // equal cost more than the rest of a relayout.
    if (m_shape.get() && rects == m_shapeRects) return;
    GdiObject<HRGN> region(RegionOf(rects));
    if (!region.get()) return;
    // Most relayouts (a colour, a unit, a label) leave the shape as it was: setting it again
    // would cost the window system a frame change for nothing.
    if (m_shape.get() && EqualRgn(region.get(), m_shape.get())) {
        m_shapeRects = std::move(rects);
        return;
    }
    // Only what the old shape covered and the new one does not needs drawing by the windows
    // below; the ruler itself is redrawn by Relayout. Redrawing just that part, not the whole
    // window as a redrawing SetWindowRgn does, saves much of a live-resize step. With many
    // lines the difference itself costs more than it saves.
    GdiObject<HRGN> uncovered(CreateRectRgn(0, 0, 0, 0)), kept(CreateRectRgn(0, 0, 0, 0));
    const bool onlyUncovered = rects.size() <= kFewShapeRects && m_shape.get() &&
                               CombineRgn(uncovered.get(), m_shape.get(), region.get(), RGN_DIFF) != ERROR;
    if (!kept.get() || CombineRgn(kept.get(), region.get(), nullptr, RGN_COPY) == ERROR) kept.reset();
    // The window owns the region once it has taken it.
    if (!SetWindowRgn(m_hWnd, region.get(), onlyUncovered ? FALSE : TRUE)) return;
    region.release();
    m_shape.reset(kept.release());
    // Without its copy the shape is compared anew next time.
    if (m_shape.get()) m_shapeRects = std::move(rects);
    RECT box = {};
    if (onlyUncovered && GetRgnBox(uncovered.get(), &box) != NULLREGION) {
        RECT window = {};
        GetWindowRect(m_hWnd, &window);
        OffsetRgn(uncovered.get(), window.left, window.top);
        RedrawWindow(GetDesktopWindow(), nullptr, uncovered.get(), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void CMensuroDlg::ComposeImage(HDC dc, const WindowRect& client) const
{
    if (!dc) return;
    const RECT all = ToRect(client);
    {
        // Only the frame and the lines are ever shown: the inner area is outside the window's
        // shape. Filling the four bands alone spares most of a large surface on every step of
        // a live resize; the lines paint every pixel of their own.
        GdiObject<HBRUSH> brush(CreateSolidBrush(TopBack(m_model.bars)));
        const LONG s = Thickness();
        const RECT bands[] = {{0, 0, all.right, s},
                              {0, all.bottom - s, all.right, all.bottom},
                              {0, s, s, all.bottom - s},
                              {all.right - s, s, all.right, all.bottom - s}};
        for (const RECT& band : bands) FillRect(dc, &band, brush.get());
    }

    {
        GdiObject<HFONT> font(CreateFontIndirectW(&m_labelFont));
        SelectedObject selected(dc, font.get());
        const int32_t s = Thickness();
        if (m_model.options.DisplayUnit == Unit::Pixels) {
            for (const ScaleBarStyle& bar : m_model.bars) bar.Paint(dc);
        } else {
            const UnitAxis alongX = m_model.Axis(client.Width() - 2 * s),
                           alongY = m_model.Axis(client.Height() - 2 * s);
            for (const ScaleBarStyle& bar : m_model.bars)
                bar.Paint(dc, bar.IsHorizontal() ? alongX : alongY, LineLabelSpans(dc, bar, client, m_model, s));
        }
        DrawGuideLines(dc, client, m_model, s, m_dpi, TopBack(m_model.bars), m_labelStamps);
    }

    auto framePx = [this](int32_t at96) { return FramePixels(at96, m_dpi); };
    const int boxSize = framePx(kBoxSize), inset = framePx(3), icon = framePx(16);
    RECT box = {0, 0, boxSize, boxSize};
    DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
    if (HICON boxIcon = m_boxIcon.get() ? m_boxIcon.get() : m_hIcon)
        DrawIconEx(dc, box.left + inset, box.top + inset, boxIcon, icon, icon, 0, nullptr, DI_NORMAL);

    RECT grip = {all.right - boxSize + framePx(4), all.bottom - boxSize + framePx(4), all.right, all.bottom};
    DrawEdge(dc, &grip, EDGE_ETCHED, BF_RECT);
    InflateRect(&grip, -framePx(2), -framePx(2));
    DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

// Copies to the screen only the parts of the image that need painting: the update region is
// cut to the window's shape, the bars, while one copy of the whole surface would also convert
// the see-through inner area, most of a large ruler, on every step of a live resize.
// Wine hands over the whole client as the update region; cutting it to the shape here made its
// later screen grabs under the ruler up to twice as slow, so the region is taken as given.
void CMensuroDlg::PaintShown(HDC dc, HRGN update) const
{
    const DWORD bytes = update ? GetRegionData(update, 0, nullptr) : 0;
    std::vector<unsigned char> data(bytes);
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    if (!bytes || !GetRegionData(update, bytes, region)) {
        m_surface->BlitTo(dc, 0, 0);
        return;
    }
    const HDC image = m_surface->GetDC();
    SetViewportOrgEx(image, 0, 0, nullptr);
    const auto* rects = reinterpret_cast<const RECT*>(region->Buffer);
    for (DWORD i = 0; i < region->rdh.nCount; ++i) {
        const RECT& r = rects[i];
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, image, r.left, r.top, SRCCOPY);
    }
}

LRESULT CMensuroDlg::OnPaint(WPARAM, LPARAM)
{
    // Asked before BeginPaint, which empties it.
    GdiObject<HRGN> update(CreateRectRgn(0, 0, 0, 0));
    if (update.get() && GetUpdateRgn(m_hWnd, update.get(), FALSE) == ERROR) update.reset();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    const WindowRect client = ClientRect(m_hWnd);
    if (IsIconic(m_hWnd)) {
        SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
        DrawIcon(dc, (client.Width() - cx + 1) / 2, (client.Height() - cy + 1) / 2, m_hIcon);
    } else if (m_surface->GetDC()) {
        PaintShown(dc, update.get());
    } else {
        // No surface (the size was too large for one): draw straight to the screen.
        ComposeImage(dc, client);
    }
    EndPaint(m_hWnd, &ps);
    return 0;
}
