#include "ruler/PointerTip.h"

#include "ruler/Geometry.h"
#include "ruler/InnerSizeText.h"

std::wstring PointerTipText(const RulerModel& model, const WindowRect& client, int32_t thickness, int32_t dpi,
                            int32_t x, int32_t y)
{
    const UnitAxis alongX = model.Axis(client.Width() - 2 * thickness);
    const UnitAxis alongY = model.Axis(client.Height() - 2 * thickness);
    const int32_t box = FramePixels(kBoxSize, dpi);
    if (WindowRect(client.left, client.top, client.left + box, client.top + box).Contains(x, y))
        return InnerSizeText(alongX, alongY);
    const auto onBar = [&](size_t i) { return i < model.bars.size() && model.bars[i].Rect.Contains(x, y); };
    if (onBar(LeftBar) || onBar(RightBar)) return alongY.NumberWithName(y - client.top - thickness);
    if (onBar(TopBar) || onBar(BottomBar)) return alongX.NumberWithName(x - client.left - thickness);
    return std::wstring();
}
