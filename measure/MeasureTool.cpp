#include "measure/MeasureTool.h"

#include "copy/OpenedClipboard.h"
#include "copy/SavePicture.h"
#include "copy/ScreenCopy.h"
#include "copy/ScreenGrab.h"
#include "framework/Handles.h"
#include "framework/StringMessageBox.h"
#include "measure/MeasureStrips.h"
#include "measure/MonitorScale.h"
#include "profile/RegistryProfile.h"
#include "resources/resource.h"
#include "ruler/MonitorList.h"
#include "ruler/MonitorRect.h"
#include "ruler/RulerTimers.h"

#include <algorithm>
#include <cwchar>

namespace {

// Time for what lay below the ruler's own windows to paint once they stepped aside.
constexpr UINT kAsideSettleMs = 100;
// The hint's distance from the monitor's edge, and its padding.
constexpr int32_t kHintMargin96 = 8;
constexpr int32_t kHintPad96 = 6;
constexpr int32_t kLoupeZoom = 8;

WindowRect Union(const std::vector<WindowRect>& rects)
{
    WindowRect all = rects.front();
    for (const WindowRect& r : rects) {
        all.left = std::min(all.left, r.left);
        all.top = std::min(all.top, r.top);
        all.right = std::max(all.right, r.right);
        all.bottom = std::max(all.bottom, r.bottom);
    }
    return all;
}

} // namespace

CMeasureTool::CMeasureTool(RulerHost& host) : m_host(host)
{
    m_labels = MeasureTableLabelsFrom(LoadResourceString(IDS_MEASURE_LABELS));
}

CMeasureTool::~CMeasureTool()
{
    End();
}

bool CMeasureTool::OnCommand(UINT id)
{
    if (id != ID_MEASURE) return false;
    if (Active())
        End();
    else
        Start();
    return true;
}

bool CMeasureTool::OnKey(WPARAM key, bool ctrl)
{
    if (key != 'M' || ctrl || Active()) return false;
    Start();
    return true;
}

void CMeasureTool::AddOwnWindows(std::vector<HWND>& windows) const
{
    const std::vector<HWND> overlays = OverlayWindows();
    windows.insert(windows.end(), overlays.begin(), overlays.end());
}

void CMeasureTool::AddMenuImages(std::vector<MenuImage>& images) const
{
    images.push_back({ID_MEASURE, IDI_MEASURE});
}

std::vector<HWND> CMeasureTool::OverlayWindows() const
{
    std::vector<HWND> windows;
    for (const auto& overlay : m_overlays)
        if (overlay->GetSafeHwnd()) windows.push_back(overlay->GetSafeHwnd());
    return windows;
}

void CMeasureTool::Start()
{
    // A dialog of the ruler's keeps the keyboard until it closes.
    if (m_host.DialogOpen() || !IsWindowEnabled(m_host.Window())) return;
    m_closed.clear();
    m_previous = GetForegroundWindow();
    // The frame is taken as a picture is: the ruler's own windows aside first, and time for
    // what lay below them to paint, when any of them showed.
    const HWND ruler = m_host.Window();
    const std::vector<HWND> own = m_host.OwnWindows();
    const bool anyShown =
        std::any_of(own.begin(), own.end(), [ruler](HWND w) { return w != ruler && IsWindowVisible(w); });
    m_host.PutAsideForPicture(true);
    m_waiting = true;
    if (anyShown)
        m_host.StartTimer(*this, TimerMeasureGrab, kAsideSettleMs);
    else
        TakeFrame();
}

void CMeasureTool::OnTimer(UINT_PTR id)
{
    if (id != TimerMeasureGrab) return;
    m_host.StopTimer(id);
    if (m_waiting) TakeFrame();
}

void CMeasureTool::TakeFrame()
{
    const std::vector<WindowRect> monitors = MonitorRects();
    const WindowRect all = Union(monitors);
    // 32 bits a pixel, the screen's own format: the grab and the overlays' first full paint
    // copy it as it is, where 24 bits would be converted pixel by pixel both ways.
    const bool grabbed = m_frameSurface.Create(all.Width(), all.Height(), 32) &&
                         GrabScreenInto(m_frameSurface, ScreenCoverage(all, monitors));
    m_host.PutAsideForPicture(false);
    m_waiting = false;
    if (!grabbed) {
        Fail();
        return;
    }
    m_frame.block = BottomUpBlock(m_frameSurface.Pixels(), all.Width(), all.Height(), 4);
    m_frame.left = all.left;
    m_frame.top = all.top;
    m_frame.monitors = monitors;
    // Each monitor's unit as the ruler reads it there: its scale, and its DPI for logical pixels.
    m_bases.clear();
    RegistryProfile profile(nullptr, HKEY_CURRENT_USER);
    for (const WindowRect& r : monitors) {
        const HMONITOR monitor = MonitorFromPoint({r.left, r.top}, MONITOR_DEFAULTTONEAREST);
        m_bases.push_back(ScreenBasis{MonitorDpi(monitor), MonitorScreenScale(monitor, profile).pixelsPerMetre});
    }
    m_running = true;
    m_kind = MeasureKind::Spacing;
    m_drag = Drag::None;
    m_pins.Clear();
    m_hasLive = false;
    m_hint = {};
    for (size_t i = 0; i < monitors.size(); ++i) {
        auto overlay = std::make_unique<CMeasureOverlay>(*this, monitors[i], m_bases[i].dpi);
        if (!overlay->Open(m_host.Window(), m_frameSurface.GetDC(), all.left, all.top)) {
            m_overlays.push_back(std::move(overlay));
            Fail();
            return;
        }
        m_overlays.push_back(std::move(overlay));
    }
    POINT pointer = {};
    GetCursorPos(&pointer);
    // The live measurement first, then shown: each overlay's first paint, of the whole
    // monitor, draws it too, and no second paint of its strips follows.
    Follow({pointer.x, pointer.y});
    for (const auto& overlay : m_overlays) overlay->Show();
    // The keyboard to the overlay under the pointer, whichever program had it.
    if (CMeasureOverlay* under = OverlayAt({pointer.x, pointer.y})) {
        SetForegroundWindow(under->GetSafeHwnd());
        SetFocus(under->GetSafeHwnd());
    }
}

void CMeasureTool::Fail()
{
    End();
    StringMessageBox(m_host.Window(), IDS_COPY_FAILED, MB_OK | MB_ICONEXCLAMATION);
}

void CMeasureTool::End()
{
    if (m_waiting) {
        m_host.StopTimer(TimerMeasureGrab);
        m_host.PutAsideForPicture(false);
        m_waiting = false;
    }
    if (!m_running && m_overlays.empty()) return;
    m_running = false;
    m_drag = Drag::None;
    m_hasLive = false;
    // The windows go now; the objects wait, as this may run inside one of their messages.
    for (auto& overlay : m_overlays) {
        overlay->Close();
        m_closed.push_back(std::move(overlay));
    }
    m_overlays.clear();
    m_frameSurface.Release();
    m_frame = FrozenFrame();
    m_pins.Clear();
    if (m_previous && IsWindow(m_previous)) SetForegroundWindow(m_previous);
    m_previous = nullptr;
}

void CMeasureTool::OnOverlayStale()
{
    End();
}

void CMeasureTool::Follow(MeasurePoint p)
{
    if (!m_running) return;
    std::vector<WindowRect> strips = LiveStrips();
    m_pointer = p;
    m_live = LiveAt(p);
    m_hasLive = m_live.monitor >= 0;
    // The hint stays at the top of the pointer's monitor unless the pointer comes under it.
    if (const CMeasureOverlay* overlay = OverlayAt(p)) {
        const int32_t dpi = overlay->Dpi();
        const SIZE text = overlay->TextSize(HintText());
        const int32_t pad = MulDiv(kHintPad96, dpi, 96);
        m_hint = PlaceMeasureHint(overlay->Monitor(), text.cx + 2 * pad, text.cy + 2 * pad,
                                  MulDiv(kHintMargin96, dpi, 96), p);
    }
    const std::vector<WindowRect> now = LiveStrips();
    strips.insert(strips.end(), now.begin(), now.end());
    Repaint(strips);
}

std::vector<WindowRect> CMeasureTool::LiveStrips() const
{
    std::vector<WindowRect> strips;
    const CMeasureOverlay* overlay = OverlayAt(m_pointer);
    const int32_t dpi = overlay ? overlay->Dpi() : 96;
    if (m_hasLive) strips = MeasurementStrips(m_live, MeasureLabelMargin(dpi));
    if (!m_hint.IsEmpty()) strips.push_back(m_hint);
    if (m_magnifier && overlay) strips.push_back(MagnifierRect(overlay->Monitor(), m_pointer, dpi, kLoupeZoom));
    return strips;
}

void CMeasureTool::Repaint(const std::vector<WindowRect>& strips)
{
    for (const auto& overlay : m_overlays)
        for (const WindowRect& strip : strips) overlay->Invalidate(strip);
}

void CMeasureTool::RebuildBases()
{
    for (const auto& overlay : m_overlays) overlay->RebuildBase(!m_pins.Empty());
}

void CMeasureTool::Pin(const Measurement& m)
{
    if (m.monitor < 0) return;
    m_pins.Add(m);
    // Only the pins' strips change on the base; it is drawn again whole, as pins come rarely.
    RebuildBases();
}

void CMeasureTool::DrawBase(HDC dc, const WindowRect& monitor, int32_t dpi) const
{
    const POINT origin = {monitor.left, monitor.top};
    for (const Measurement& m : m_pins.Items()) DrawMeasurement(dc, origin, m, AxesOf(m), kPinColour, dpi);
}

void CMeasureTool::DrawLive(HDC dc, const WindowRect& monitor, int32_t dpi, bool decorations) const
{
    const POINT origin = {monitor.left, monitor.top};
    if (m_hasLive) DrawMeasurement(dc, origin, m_live, AxesOf(m_live), kLiveColour, dpi);
    if (!decorations) return;
    if (!m_hint.IsEmpty() && monitor.Contains(m_hint.left, m_hint.top)) DrawHint(dc, origin, m_hint, HintText());
    if (m_magnifier && monitor.Contains(m_pointer.x, m_pointer.y))
        DrawMagnifier(dc, origin, m_frame, monitor, m_pointer, dpi, kLoupeZoom);
}

std::wstring CMeasureTool::HintText() const
{
    const std::wstring format = LoadResourceString(IDS_MEASURE_HINT);
    wchar_t text[512];
    std::swprintf(text, 512, format.c_str(), m_labels.kinds[static_cast<int>(m_kind)].c_str(), Tolerance());
    return text;
}

int32_t CMeasureTool::Tolerance() const
{
    // A stored tolerance out of the finder's range reads as the default.
    return ::StepTolerance(m_host.Model().options.EdgeTolerance, 0);
}

void CMeasureTool::StepTolerance(int direction)
{
    const int32_t tolerance = ::StepTolerance(Tolerance(), direction);
    m_host.ChangeModel([tolerance](RulerModel& model) { model.options.EdgeTolerance = tolerance; });
    Follow(m_pointer);
}

void CMeasureTool::NextUnit()
{
    // The same change as the ruler's key U, so Exit saves it.
    const int32_t next = (static_cast<int32_t>(m_host.Model().options.DisplayUnit) + 1) % kUnitCount;
    m_host.ChangeModel([next](RulerModel& model) { model.options.DisplayUnit = UnitFromStored(next); });
    RebuildBases();
    Follow(m_pointer);
}

MeasureAxes CMeasureTool::AxesOf(const Measurement& m) const
{
    if (m.monitor < 0 || m.monitor >= static_cast<int32_t>(m_bases.size())) return {};
    const Unit unit = m_host.Model().options.DisplayUnit;
    const WindowRect& monitor = m_frame.monitors[static_cast<size_t>(m.monitor)];
    const ScreenBasis& basis = m_bases[static_cast<size_t>(m.monitor)];
    return {UnitAxis(unit, basis, monitor.Width()), UnitAxis(unit, basis, monitor.Height())};
}

CMeasureOverlay* CMeasureTool::OverlayAt(MeasurePoint p) const
{
    for (const auto& overlay : m_overlays)
        if (overlay->Monitor().Contains(p.x, p.y)) return overlay.get();
    return m_overlays.empty() ? nullptr : m_overlays.front().get();
}

HWND CMeasureTool::MessageOwner() const
{
    // A message shows above the overlay that has the keyboard, never hidden under it.
    const CMeasureOverlay* overlay = OverlayAt(m_pointer);
    return overlay && overlay->GetSafeHwnd() ? overlay->GetSafeHwnd() : m_host.Window();
}

void CMeasureTool::CopyTable()
{
    std::vector<Measurement> items = m_pins.Items();
    if (items.empty() && m_hasLive) items.push_back(m_live);
    const std::wstring text = MeasureTableText(items, [this](const Measurement& m) { return AxesOf(m); }, m_labels);
    ReportCopyResult(MessageOwner(), m_host.Model().options, PutTextOnClipboard(m_host.Window(), text));
}

void CMeasureTool::CopyPicture()
{
    CMeasureOverlay* overlay = OverlayAt(m_pointer);
    GlobalBlock dib(overlay ? overlay->Picture() : nullptr);
    bool copied = false;
    // The ruler's window owns the clipboard: it renders the promised PNG when a program asks.
    if (dib.get()) copied = HandDibToClipboard(m_host.Window(), dib.release());
    ReportCopyResult(MessageOwner(), m_host.Model().options, copied);
}

void CMeasureTool::SavePicture()
{
    CMeasureOverlay* overlay = OverlayAt(m_pointer);
    if (!overlay) return;
    SaveDibPicture(MessageOwner(), m_picture, overlay->Picture());
}
