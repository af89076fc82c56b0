#include "ruler/TargetFrame.h"

#include "ruler/RectMath.h"

WindowRect ChooseVisibleFrame(bool child, const WindowRect& windowRect, const std::optional<WindowRect>& extendedFrame)
{
    if (child || !extendedFrame || extendedFrame->IsEmpty()) return windowRect;
    const WindowRect& e = *extendedFrame;
    const bool inside = e.left >= windowRect.left && e.top >= windowRect.top && e.right <= windowRect.right &&
                        e.bottom <= windowRect.bottom;
    return inside ? e : windowRect;
}

WindowRect ChooseTargetMonitor(const WindowRect& target, const std::vector<WindowRect>& monitors)
{
    const WindowRect* best = nullptr;
    int64_t bestOverlap = 0;
    for (const WindowRect& monitor : monitors) {
        const int64_t overlap = OverlapArea(target, monitor);
        if (overlap > bestOverlap) best = &monitor, bestOverlap = overlap;
    }
    if (best) return *best;
    for (const WindowRect& monitor : monitors)
        if (!best || GapSquared(target, monitor) < GapSquared(target, *best)) best = &monitor;
    return best ? *best : WindowRect();
}
