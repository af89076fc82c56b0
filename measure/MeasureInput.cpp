// The Measure mode's input: what a key, a click or a drag on an overlay does.
#include "measure/MeasureTool.h"

#include <algorithm>

namespace {

bool KeyDown(int key)
{
    return GetKeyState(key) < 0;
}

Measurement BoxMeasurement(const WindowRect& r, int32_t monitor)
{
    Measurement m;
    m.kind = MeasureKind::Box;
    m.left = r.left;
    m.top = r.top;
    m.right = r.right - 1;
    m.bottom = r.bottom - 1;
    m.from = {r.left, r.top};
    m.monitor = monitor;
    return m;
}

WindowRect DraggedRect(MeasurePoint a, MeasurePoint b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
}

// How near a pin's line Delete finds it.
constexpr int32_t kPinReach96 = 6;

} // namespace

void CMeasureTool::OnOverlayInput(UINT message, WPARAM wParam, POINT screen)
{
    if (!m_running) return;
    const MeasurePoint p = {screen.x, screen.y};
    switch (message) {
    case WM_MOUSEMOVE: Follow(p); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: Press(p); break;
    case WM_LBUTTONUP: Release(p); break;
    // The release, not the press: the button's up must not reach the window below.
    case WM_RBUTTONUP: End(); break;
    case WM_MOUSEWHEEL: StepTolerance(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? 1 : -1); break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: OnKeyDown(wParam); break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (wParam == VK_SHIFT) Follow(m_pointer);
        break;
    case WM_CAPTURECHANGED:
        // A drag whose capture went elsewhere ends with nothing pinned.
        if (m_drag == Drag::Box || m_drag == Drag::Line || m_drag == Drag::FirstArm) {
            m_drag = Drag::None;
            Follow(m_pointer);
        }
        break;
    default: break;
    }
}

void CMeasureTool::OnKeyDown(WPARAM key)
{
    const bool ctrl = KeyDown(VK_CONTROL), shift = KeyDown(VK_SHIFT);
    if (key >= '1' && key < '1' + kMeasureKindCount && !ctrl) return SetKind(static_cast<MeasureKind>(key - '1'));
    if (key >= VK_NUMPAD1 && key < VK_NUMPAD1 + kMeasureKindCount)
        return SetKind(static_cast<MeasureKind>(key - VK_NUMPAD1));
    const int32_t step = shift ? 10 : 1;
    switch (key) {
    case VK_ESCAPE: End(); break;
    case VK_F4: End(); break; // Alt+F4 ends the mode, never the overlay alone
    case VK_TAB: SetKind(NextMeasureKind(m_kind)); break;
    case VK_LEFT: MovePointer(-step, 0); break;
    case VK_RIGHT: MovePointer(step, 0); break;
    case VK_UP: MovePointer(0, -step); break;
    case VK_DOWN: MovePointer(0, step); break;
    case VK_SHIFT: Follow(m_pointer); break;
    case VK_OEM_PLUS:
    case VK_ADD: StepTolerance(1); break;
    case VK_OEM_MINUS:
    case VK_SUBTRACT: StepTolerance(-1); break;
    case VK_BACK:
        if (m_pins.RemoveLast()) RebuildBases();
        break;
    case VK_DELETE: {
        const CMeasureOverlay* overlay = OverlayAt(m_pointer);
        const int32_t reach = MulDiv(kPinReach96, overlay ? overlay->Dpi() : 96, 96);
        if (m_pins.RemoveAt(m_pointer, reach)) RebuildBases();
        break;
    }
    case 'L':
        if (ctrl) break;
        m_magnifier = !m_magnifier;
        Follow(m_pointer);
        break;
    case 'U':
        if (!ctrl) NextUnit();
        break;
    case 'C':
        if (ctrl && shift) CopyTable();
        else if (ctrl) CopyPicture();
        break;
    case 'S':
        if (ctrl) SavePicture();
        break;
    default: break;
    }
}

void CMeasureTool::SetKind(MeasureKind kind)
{
    if (GetCapture()) ReleaseCapture();
    m_kind = kind;
    m_drag = Drag::None;
    Follow(m_pointer);
}

void CMeasureTool::Press(MeasurePoint p)
{
    m_pointer = p;
    switch (m_kind) {
    case MeasureKind::Spacing:
    case MeasureKind::Horizontal:
    case MeasureKind::Vertical:
        // Read at the click's own point: the move before it may not have been seen yet.
        Pin(LiveAt(p));
        Follow(p);
        return;
    case MeasureKind::Box: m_drag = Drag::Box; break;
    case MeasureKind::Line: m_drag = Drag::Line; break;
    case MeasureKind::Angle:
        if (m_drag == Drag::SecondArm) {
            // The click that ends the second arm pins the angle.
            const Measurement angle = LiveAt(p);
            m_drag = Drag::None;
            Pin(angle);
            Follow(p);
            return;
        }
        m_drag = Drag::FirstArm;
        break;
    }
    m_anchor = p;
    if (CMeasureOverlay* overlay = OverlayAt(p)) SetCapture(overlay->GetSafeHwnd());
    Follow(p);
}

void CMeasureTool::Release(MeasurePoint p)
{
    const Drag drag = m_drag;
    if (drag != Drag::Box && drag != Drag::Line && drag != Drag::FirstArm) return;
    m_pointer = p;
    const Measurement m = LiveAt(p);
    m_drag = drag == Drag::FirstArm && p != m_anchor ? Drag::SecondArm : Drag::None;
    m_armEnd = p;
    if (GetCapture()) ReleaseCapture();
    // A click without a drag measures nothing.
    if (p != m_anchor) {
        if (drag == Drag::Box) {
            // Alt at the release keeps the rectangle as dragged.
            const WindowRect dragged = DraggedRect(m_anchor, p);
            const WindowRect box = KeyDown(VK_MENU) ? dragged : ShrinkBox(m_frame, dragged, Tolerance());
            Pin(BoxMeasurement(box, MonitorAt(m_frame.monitors, m_anchor.x, m_anchor.y)));
        } else if (drag == Drag::Line) {
            Pin(m);
        }
    }
    Follow(p);
}

Measurement CMeasureTool::LiveAt(MeasurePoint p) const
{
    Measurement m;
    m.kind = m_kind;
    m.from = p;
    m.monitor = MonitorAt(m_frame.monitors, p.x, p.y);
    switch (m_kind) {
    case MeasureKind::Spacing:
    case MeasureKind::Horizontal:
    case MeasureKind::Vertical: {
        const EdgeArea area = MeasureSpan(m_frame, m_kind, p.x, p.y, Tolerance());
        if (!area.valid) m.monitor = -1;
        m.left = area.left;
        m.right = area.right;
        m.top = area.top;
        m.bottom = area.bottom;
        return m;
    }
    case MeasureKind::Box:
        if (m_drag != Drag::Box) break;
        m = BoxMeasurement(DraggedRect(m_anchor, p), MonitorAt(m_frame.monitors, m_anchor.x, m_anchor.y));
        return m;
    case MeasureKind::Line:
        if (m_drag != Drag::Line) break;
        m.from = m_anchor;
        m.to = KeyDown(VK_SHIFT) ? ConstrainTo45(m_anchor, p) : p;
        m.monitor = MonitorAt(m_frame.monitors, m_anchor.x, m_anchor.y);
        return m;
    case MeasureKind::Angle:
        if (m_drag == Drag::None) break;
        m.from = m_anchor;
        m.monitor = MonitorAt(m_frame.monitors, m_anchor.x, m_anchor.y);
        if (m_drag == Drag::FirstArm) {
            m.to = p;
            m.third = m_anchor; // no second arm yet
        } else {
            m.to = m_armEnd;
            m.third = p;
        }
        return m;
    }
    m.monitor = -1; // nothing to show until a drag starts
    return m;
}

void CMeasureTool::MovePointer(int32_t dx, int32_t dy)
{
    const MeasurePoint p = {m_pointer.x + dx, m_pointer.y + dy};
    SetCursorPos(p.x, p.y);
    Follow(p);
}

