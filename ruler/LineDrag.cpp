#include "ruler/LineDrag.h"

#include "framework/Handles.h"
#include "ruler/CoordinateTip.h"
#include "ruler/Geometry.h"
#include "ruler/LineGaps.h"
#include "ruler/Win32Rect.h"

#include <algorithm>

namespace {

WindowRect ClientOf(HWND window)
{
    RECT rc = {};
    GetClientRect(window, &rc);
    return FromRect(rc);
}

} // namespace

CLineDrag::CLineDrag(RulerHost& host, const RulerTools& tools, CCoordinateTip& tip)
    : m_host(host), m_tools(tools), m_tip(tip)
{
}

void CLineDrag::Begin(bool vertical, size_t index, POINT client)
{
    const std::vector<int32_t>& lines = m_host.Model().lines.Of(vertical);
    m_vertical = vertical;
    m_index = index;
    m_start = m_value = m_lowest = m_highest = index < lines.size() ? lines[index] : 0;
    m_anchor = client;
    for (RulerTool* tool : m_tools) tool->OnLineDrag(vertical, true);
}

int32_t CLineDrag::ValueAt(POINT client) const
{
    const int64_t moved = m_vertical ? client.x - m_anchor.x : client.y - m_anchor.y;
    int32_t value = ClampLineValue(m_start + moved, ClientOf(m_host.Window()), m_vertical, m_host.Thickness());
    for (RulerTool* tool : m_tools) value = tool->SnapLine(m_vertical, value, true);
    return value;
}

void CLineDrag::MoveTo(int32_t value)
{
    const HWND window = m_host.Window();
    const WindowRect client = ClientOf(window);
    const int32_t lineSize = m_host.Model().options.LineSize;
    CreatedDC screen(CreatedDC::Display());
    auto invert = [&](int32_t at) {
        // The painted band only: the rectangle's last column (row) is not painted.
        RECT r = ToRect(LineRect(client, at, m_vertical, m_host.Thickness(), lineSize));
        if (m_vertical)
            --r.right;
        else
            --r.bottom;
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        PatBlt(screen.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, DSTINVERT);
    };
    if (screen.get()) invert(m_value);
    m_value = value;
    m_lowest = std::min(m_lowest, value);
    m_highest = std::max(m_highest, value);
    if (screen.get()) invert(m_value);
}

void CLineDrag::RepaintSwept() const
{
    const HWND window = m_host.Window();
    const WindowRect client = ClientOf(window);
    const int32_t s = m_host.Thickness(), lineSize = m_host.Model().options.LineSize;
    RECT swept = ToRect(LineRect(client, m_lowest, m_vertical, s, lineSize));
    const RECT highest = ToRect(LineRect(client, m_highest, m_vertical, s, lineSize));
    UnionRect(&swept, &swept, &highest);
    // The ruler paints its part from its image at once; the windows below are asked to paint theirs.
    RedrawWindow(window, &swept, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&swept), 2);
    RedrawWindow(GetDesktopWindow(), &swept, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CLineDrag::ShowTip() const
{
    if (!(m_host.Model().options.Option & OptTooltip)) return;
    std::vector<int32_t> lines = m_host.Model().lines.Of(m_vertical);
    if (m_index >= lines.size()) return;
    lines[m_index] = m_value;
    const WindowRect client = ClientOf(m_host.Window());
    const int32_t extent = (m_vertical ? client.Width() : client.Height()) - 2 * m_host.Thickness();
    m_tip.SetText(LineGapText(lines, m_index, m_host.Model().Axis(extent)));
}

void CLineDrag::OnModeMove(POINT client, bool)
{
    MoveTo(ValueAt(client));
    ShowTip();
}

void CLineDrag::OnModeEnd(ModeExit exit, POINT client, bool)
{
    if (exit == ModeExit::Drop) {
        MoveTo(ValueAt(client));
        const bool vertical = m_vertical;
        const size_t index = m_index;
        const int32_t value = m_value;
        // The one composition of a drag; it repaints both bands' places.
        m_host.ChangeModel([&](RulerModel& model) { model.lines.Move(vertical, index, value); });
    } else {
        // Back exactly where it started, unsnapped: that takes both bands off the screen.
        MoveTo(m_start);
    }
    RepaintSwept();
    ShowTip();
    for (RulerTool* tool : m_tools) tool->OnLineDrag(m_vertical, false);
}
