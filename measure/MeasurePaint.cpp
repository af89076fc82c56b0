#include "measure/MeasurePaint.h"

#include "framework/DibSurface.h"
#include "framework/GdiHolders.h"
#include "measure/LoupeModel.h"
#include "measure/MeasureLabels.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <utility>
#include <vector>

namespace {

constexpr COLORREF kLabelBack = RGB(24, 24, 24);
constexpr COLORREF kLabelText = RGB(255, 255, 255);
constexpr int32_t kTick96 = 5;      // half the length of the tick at a found edge
constexpr int32_t kLabelGap96 = 6;  // between a line and its label
constexpr int32_t kPad96 = 3;       // inside a label's box
constexpr int32_t kMargin96 = 64;   // room for labels around a measurement
constexpr int32_t kLabelSpacing96 = 2; // between two labels pushed apart
constexpr int32_t kArrowWidth96 = 12;  // the arrow pointer's reach right of its hot spot
constexpr int32_t kArrowHeight96 = 20; // and below it

int32_t Scaled(int32_t value96, int32_t dpi)
{
    return MulDiv(value96, dpi, 96);
}

std::wstring Degrees(double angle)
{
    wchar_t text[32];
    std::swprintf(text, 32, L"%.1f\u00B0", angle);
    return text;
}

// A label's box: its text's size and the padding round it.
SIZE LabelSize(HDC dc, const std::wstring& text, int32_t dpi)
{
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const int32_t pad = Scaled(kPad96, dpi);
    return {size.cx + 2 * pad, size.cy + 2 * pad};
}

// A label whose box's top-left corner is at (x, y).
void Label(HDC dc, int32_t x, int32_t y, const std::wstring& text, int32_t dpi)
{
    const SIZE size = LabelSize(dc, text, dpi);
    const int32_t pad = Scaled(kPad96, dpi);
    RECT box = {x, y, x + size.cx, y + size.cy};
    const GdiObject<HBRUSH> back(CreateSolidBrush(kLabelBack));
    FillRect(dc, &box, back.get());
    SetTextColor(dc, kLabelText);
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, x + pad, y + pad, text.c_str(), static_cast<int>(text.size()));
}

// A label centred on (x, y).
void CentredLabel(HDC dc, int32_t x, int32_t y, const std::wstring& text, int32_t dpi)
{
    const SIZE size = LabelSize(dc, text, dpi);
    Label(dc, x - size.cx / 2, y - size.cy / 2, text, dpi);
}

void Segment(HDC dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// The horizontal or vertical rays of a span and their labels.
void DrawSpan(HDC dc, POINT o, const Measurement& m, const MeasureAxes& axes, int32_t dpi)
{
    const int32_t x = m.from.x - o.x, y = m.from.y - o.y;
    const int32_t l = m.left - o.x, r = m.right - o.x, t = m.top - o.y, b = m.bottom - o.y;
    const int32_t tick = Scaled(kTick96, dpi), gap = Scaled(kLabelGap96, dpi) * 2;
    const int32_t width = m.right - m.left + 1, height = m.bottom - m.top + 1;
    std::vector<LabelWish> wishes;
    std::vector<std::wstring> texts;
    // A ray's label centred on (cx, cy), giving way outward along the ray.
    const auto wish = [&](int32_t cx, int32_t cy, int32_t dx, int32_t dy, std::wstring text) {
        const SIZE size = LabelSize(dc, text, dpi);
        const int32_t left = cx - size.cx / 2, top = cy - size.cy / 2;
        wishes.push_back({WindowRect(left, top, left + size.cx, top + size.cy), dx, dy});
        texts.push_back(std::move(text));
    };
    std::wstring size;
    if (m.kind != MeasureKind::Vertical) {
        Segment(dc, l, y, r + 1, y);
        Segment(dc, l, y - tick, l, y + tick + 1);
        Segment(dc, r, y - tick, r, y + tick + 1);
        if (x > l) wish((l + x) / 2, y - gap, -1, 0, axes.first.Number(m.from.x - m.left));
        if (r > x) wish((x + r) / 2, y - gap, 1, 0, axes.first.Number(m.right - m.from.x));
        size = axes.first.NumberWithName(width);
    }
    if (m.kind != MeasureKind::Horizontal) {
        Segment(dc, x, t, x, b + 1);
        Segment(dc, x - tick, t, x + tick + 1, t);
        Segment(dc, x - tick, b, x + tick + 1, b);
        // Left of the line: the size label takes the right of the point.
        if (y > t) wish(x - 2 * gap, (t + y) / 2, 0, -1, axes.second.Number(m.from.y - m.top));
        if (b > y) wish(x - 2 * gap, (y + b) / 2, 0, 1, axes.second.Number(m.bottom - m.from.y));
        size = size.empty() ? axes.second.NumberWithName(height)
                            : axes.first.Number(width) + L" \u00D7 " + axes.second.NumberWithName(height);
    }
    const SIZE sizeBox = LabelSize(dc, size, dpi);
    // The pointer: its hot spot with the ticks round it, and the arrow below and right of it.
    const WindowRect pointer(x - tick, y - tick, x + Scaled(kArrowWidth96, dpi), y + Scaled(kArrowHeight96, dpi));
    const WindowRect sizeLabel(x + gap, y + gap, x + gap + sizeBox.cx, y + gap + sizeBox.cy);
    const std::vector<WindowRect> boxes = PlaceLabels(wishes, {pointer, sizeLabel}, Scaled(kLabelSpacing96, dpi));
    for (size_t i = 0; i < boxes.size(); ++i) Label(dc, boxes[i].left, boxes[i].top, texts[i], dpi);
    Label(dc, sizeLabel.left, sizeLabel.top, size, dpi);
}

void DrawBox(HDC dc, POINT o, const Measurement& m, const MeasureAxes& axes, int32_t dpi)
{
    const int32_t l = m.left - o.x, r = m.right - o.x, t = m.top - o.y, b = m.bottom - o.y;
    Segment(dc, l, t, r, t);
    LineTo(dc, r, b);
    LineTo(dc, l, b);
    LineTo(dc, l, t);
    const std::wstring size = axes.first.Number(m.right - m.left + 1) + L" \u00D7 " +
                              axes.second.NumberWithName(m.bottom - m.top + 1);
    Label(dc, l, b + Scaled(kLabelGap96, dpi), size, dpi);
}

void DrawLine(HDC dc, POINT o, const Measurement& m, const MeasureAxes& axes, int32_t dpi)
{
    Segment(dc, m.from.x - o.x, m.from.y - o.y, m.to.x - o.x, m.to.y - o.y);
    const LineReading reading = ReadLine(m.from, m.to);
    const std::wstring text = L"\u0394X " + axes.first.Number(reading.dx) + L"  \u0394Y " +
                              axes.second.Number(reading.dy) + L"  " + axes.first.NumberWithName(reading.length) +
                              L"  " + Degrees(reading.angle);
    const int32_t gap = Scaled(kLabelGap96, dpi);
    Label(dc, (m.from.x + m.to.x) / 2 - o.x + gap, (m.from.y + m.to.y) / 2 - o.y + gap, text, dpi);
}

void DrawAngle(HDC dc, POINT o, const Measurement& m, const MeasureAxes& axes, int32_t dpi)
{
    const int32_t vx = m.from.x - o.x, vy = m.from.y - o.y;
    const auto arm = [&](MeasurePoint end) {
        Segment(dc, vx, vy, end.x - o.x, end.y - o.y);
        const LineReading reading = ReadLine(m.from, end);
        CentredLabel(dc, (vx + end.x - o.x) / 2, (vy + end.y - o.y) / 2, axes.first.NumberWithName(reading.length),
                     dpi);
    };
    arm(m.to);
    if (m.third == m.from) return; // the second arm is still to come
    arm(m.third);
    const int32_t gap = Scaled(kLabelGap96, dpi) * 2;
    Label(dc, vx + gap, vy + gap, Degrees(ArmsAngle(m.from, m.to, m.third)), dpi);
}

} // namespace

int32_t MeasureLabelMargin(int32_t dpi)
{
    return Scaled(kMargin96, dpi);
}

void DrawMeasurement(HDC dc, POINT origin, const Measurement& m, const MeasureAxes& axes, COLORREF colour,
                     int32_t dpi)
{
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, std::max(1, dpi / 96), colour));
    SelectedObject selected(dc, pen.get());
    switch (m.kind) {
    case MeasureKind::Spacing:
    case MeasureKind::Horizontal:
    case MeasureKind::Vertical: DrawSpan(dc, origin, m, axes, dpi); break;
    case MeasureKind::Box: DrawBox(dc, origin, m, axes, dpi); break;
    case MeasureKind::Line: DrawLine(dc, origin, m, axes, dpi); break;
    case MeasureKind::Angle: DrawAngle(dc, origin, m, axes, dpi); break;
    }
}

void DrawHint(HDC dc, POINT origin, const WindowRect& box, const std::wstring& text)
{
    RECT r = {box.left - origin.x, box.top - origin.y, box.right - origin.x, box.bottom - origin.y};
    const GdiObject<HBRUSH> back(CreateSolidBrush(kLabelBack));
    FillRect(dc, &r, back.get());
    SetTextColor(dc, kLabelText);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

WindowRect MagnifierRect(const WindowRect& monitor, MeasurePoint pointer, int32_t dpi, int32_t zoom)
{
    const LoupeSize size = LoupeSizeAt(dpi);
    return PlaceLoupe(pointer.x, pointer.y, size.width, size.height, monitor, LoupeGap(dpi, size.imageSide, zoom));
}

void DrawMagnifier(HDC dc, POINT origin, const FrozenFrame& frame, const WindowRect& monitor, MeasurePoint pointer,
                   int32_t dpi, int32_t zoom)
{
    const LoupeSize size = LoupeSizeAt(dpi);
    const WindowRect place = MagnifierRect(monitor, pointer, dpi, zoom);
    const int32_t radius = LoupeGrabRadius(size.imageSide, zoom);
    const int32_t side = 2 * radius + 1;
    // The block around the pointer from the frozen frame, black off it, as the loupe reads the screen.
    std::vector<uint32_t> block(static_cast<size_t>(side) * side, 0);
    for (int32_t dy = 0; dy < side; ++dy) {
        for (int32_t dx = 0; dx < side; ++dx) {
            const int32_t fx = pointer.x - radius + dx - frame.left, fy = pointer.y - radius + dy - frame.top;
            if (fx < 0 || fy < 0 || fx >= frame.block.width || fy >= frame.block.height) continue;
            const uint8_t* p = frame.block.At(fx, fy);
            block[static_cast<size_t>(dy) * side + dx] = (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
        }
    }
    DibSurface image(size.imageSide, size.imageSide, 32);
    auto* pixels = reinterpret_cast<uint32_t*>(image.Pixels());
    if (!pixels) return;
    // A bottom-up DIB: its top row is the last in memory.
    uint32_t* top = pixels + static_cast<ptrdiff_t>(size.imageSide - 1) * size.imageSide;
    MagnifyBlock(block.data(), side, side, zoom, top, -size.imageSide, size.imageSide);
    const int32_t x = place.left - origin.x, y = place.top - origin.y;
    image.BlitTo(dc, x, y);
    uint32_t colour = 0;
    const int32_t cx = pointer.x - frame.left, cy = pointer.y - frame.top;
    if (cx >= 0 && cy >= 0 && cx < frame.block.width && cy < frame.block.height) {
        const uint8_t* p = frame.block.At(cx, cy);
        colour = RGB(p[2], p[1], p[0]);
    }
    RECT strip = {x, y + size.imageSide, x + size.width, y + size.height};
    const GdiObject<HBRUSH> back(CreateSolidBrush(kLabelBack));
    FillRect(dc, &strip, back.get());
    SetTextColor(dc, kLabelText);
    const std::wstring lines = LoupePositionText(pointer.x, pointer.y) + L"\n" + LoupeColorText(colour) + L"  " +
                               LoupeChannelsText(colour);
    InflateRect(&strip, -Scaled(kPad96, dpi), 0);
    DrawTextW(dc, lines.c_str(), static_cast<int>(lines.size()), &strip, DT_LEFT | DT_NOPREFIX);
}
