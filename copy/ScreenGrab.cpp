#include "copy/ScreenGrab.h"

#include "framework/Handles.h"
#include "ruler/MonitorList.h"

bool GrabScreenParts(HDC target, int32_t x, int32_t y, const ScreenCoverage& coverage, GrabPace pace)
{
    const WindowRect& area = coverage.Area();
    if (!target || area.IsEmpty()) return false;
    if (!coverage.IsWhole() && !PatBlt(target, x, y, area.Width(), area.Height(), BLACKNESS)) return false;
    if (coverage.Parts().empty()) return true;
    const WindowDC screen(nullptr);
    if (!screen.get()) return false;
    const DWORD rop = pace == GrabPace::Once ? SRCCOPY | CAPTUREBLT : SRCCOPY;
    bool read = true;
    for (const WindowRect& part : coverage.Parts())
        read = BitBlt(target, x + part.left - area.left, y + part.top - area.top, part.Width(), part.Height(),
                      screen.get(), part.left, part.top, rop) &&
               read;
    return read;
}

bool GrabScreenArea(HDC target, int32_t x, int32_t y, const WindowRect& area, GrabPace pace)
{
    return GrabScreenParts(target, x, y, ScreenCoverage(area, MonitorRects()), pace);
}

bool GrabScreenInto(DibSurface& surface, int32_t x, int32_t y)
{
    if (!surface.GetDC()) return false;
    return GrabScreenArea(surface.GetDC(), 0, 0, {x, y, x + surface.Width(), y + surface.Height()});
}

bool GrabScreenInto(DibSurface& surface, const ScreenCoverage& coverage)
{
    if (!surface.GetDC() || coverage.Area().Width() != surface.Width() ||
        coverage.Area().Height() != surface.Height())
        return false;
    return GrabScreenParts(surface.GetDC(), 0, 0, coverage);
}
