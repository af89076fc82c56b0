#include "measure/LoupeModel.h"

#include "ruler/Geometry.h"
#include "ruler/RulerOptions.h"

#include <algorithm>
#include <iterator>

namespace {

// The loupe's client area at 96 DPI.
constexpr int32_t kWidth96 = 170;
constexpr int32_t kStrip96 = 32;
constexpr int32_t kGap96 = 24;
// The grid appears from this zoom up; below it, it would hide more than it shows.
constexpr int32_t kGridZoom = 8;

constexpr uint32_t kRingInner = 0xFFFFFF;
constexpr uint32_t kRingOuter = 0x000000;

uint32_t Red(uint32_t color)
{
    return color & 0xFF;
}
uint32_t Green(uint32_t color)
{
    return (color >> 8) & 0xFF;
}
uint32_t Blue(uint32_t color)
{
    return (color >> 16) & 0xFF;
}

// A grid pixel: its cell's colour a quarter of the way towards black or white, whichever is
// farther, so the grid shows on any colour without hiding it.
uint32_t GridShade(uint32_t rgb)
{
    const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    const bool light = r * 3 + g * 6 + b > 128 * 10;
    auto shade = [light](uint32_t c) { return light ? c - c / 4 : c + (255 - c) / 4; };
    return (shade(r) << 16) | (shade(g) << 8) | shade(b);
}

// Floor division and remainder for cells left of and above the centre.
int32_t FloorDiv(int32_t a, int32_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

void Ring(uint32_t* image, ptrdiff_t stride, int32_t side, int32_t left, int32_t top, int32_t right, int32_t bottom,
          uint32_t color)
{
    auto put = [&](int32_t x, int32_t y) {
        if (x >= 0 && x < side && y >= 0 && y < side) image[y * stride + x] = color;
    };
    for (int32_t x = left; x <= right; ++x) {
        put(x, top);
        put(x, bottom);
    }
    for (int32_t y = top; y <= bottom; ++y) {
        put(left, y);
        put(right, y);
    }
}

} // namespace

std::wstring LoupePositionText(int32_t x, int32_t y)
{
    return L"X " + std::to_wstring(x) + L"  Y " + std::to_wstring(y);
}

std::wstring LoupePositionText(int32_t x, int32_t y, const UnitAxis& alongX, const UnitAxis& alongY)
{
    if (alongX.GetUnit() == Unit::Pixels) return LoupePositionText(x, y);
    return L"X " + alongX.Number(x) + L"  Y " + alongY.NumberWithName(y);
}

std::wstring LoupeColorText(uint32_t color)
{
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text = L"#";
    for (uint32_t channel : {Red(color), Green(color), Blue(color)}) {
        text += kDigits[channel >> 4];
        text += kDigits[channel & 0xF];
    }
    return text;
}

std::wstring LoupeChannelsText(uint32_t color)
{
    return L"(" + std::to_wstring(Red(color)) + L", " + std::to_wstring(Green(color)) + L", " +
           std::to_wstring(Blue(color)) + L")";
}

std::wstring LoupeReadout(int32_t x, int32_t y, uint32_t color)
{
    return LoupePositionText(x, y) + L"  " + LoupeColorText(color) + L"  " + LoupeChannelsText(color);
}

std::wstring LoupeReadout(int32_t x, int32_t y, uint32_t color, const UnitAxis& alongX, const UnitAxis& alongY)
{
    return LoupePositionText(x, y, alongX, alongY) + L"  " + LoupeColorText(color) + L"  " + LoupeChannelsText(color);
}

int32_t StepLoupeZoom(int32_t zoom, int direction)
{
    const auto* first = std::begin(kLoupeZooms);
    const auto* last = std::end(kLoupeZooms) - 1;
    const auto* at = std::find(first, last + 1, zoom);
    if (at == last + 1) return RulerOptions().LoupeZoom;
    if (direction > 0 && at != last) ++at;
    if (direction < 0 && at != first) --at;
    return *at;
}

LoupeSize LoupeSizeAt(int32_t dpi)
{
    LoupeSize size;
    size.width = FramePixels(kWidth96, dpi);
    size.imageSide = size.width;
    size.height = size.imageSide + FramePixels(kStrip96, dpi);
    return size;
}

int32_t LoupeGrabRadius(int32_t imageSide, int32_t zoom)
{
    const int32_t cellOrigin = (imageSide - zoom) / 2;
    return (imageSide - cellOrigin - zoom + zoom - 1) / zoom;
}

WindowRect LoupeGrabRect(int32_t x, int32_t y, int32_t imageSide, int32_t zoom)
{
    const int32_t r = LoupeGrabRadius(imageSide, zoom);
    return {x - r, y - r, x + r + 1, y + r + 1};
}

WindowRect PlaceLoupe(int32_t x, int32_t y, int32_t width, int32_t height, const WindowRect& workArea, int32_t gap)
{
    int32_t left = x + gap, top = y + gap;
    if (left + width > workArea.right) left = x - gap - width;
    if (top + height > workArea.bottom) top = y - gap - height;
    // Neither side has room (a work area narrower than two loupes): keep it on the monitor.
    left = std::max(std::min(left, workArea.right - width), workArea.left);
    top = std::max(std::min(top, workArea.bottom - height), workArea.top);
    return {left, top, left + width, top + height};
}

int32_t LoupeGap(int32_t dpi, int32_t imageSide, int32_t zoom)
{
    return std::max(FramePixels(kGap96, dpi), LoupeGrabRadius(imageSide, zoom) + 1);
}

void MagnifyBlock(const uint32_t* block, ptrdiff_t blockStride, int32_t blockSide, int32_t zoom, uint32_t* image,
                  ptrdiff_t imageStride, int32_t imageSide)
{
    if (zoom <= 0 || imageSide <= 0 || blockSide <= 0) return;
    const int32_t cellOrigin = (imageSide - zoom) / 2;
    const int32_t centre = blockSide / 2;
    const bool grid = zoom >= kGridZoom;
    // Each image column's block column (or -1 outside the block) and whether it starts a cell.
    std::vector<int32_t> source(static_cast<size_t>(imageSide));
    std::vector<bool> edge(static_cast<size_t>(imageSide));
    for (int32_t i = 0; i < imageSide; ++i) {
        const int32_t d = i - cellOrigin;
        const int32_t k = centre + FloorDiv(d, zoom);
        source[static_cast<size_t>(i)] = k >= 0 && k < blockSide ? k : -1;
        edge[static_cast<size_t>(i)] = grid && d - FloorDiv(d, zoom) * zoom == 0;
    }
    for (int32_t y = 0; y < imageSide; ++y) {
        uint32_t* out = image + y * imageStride;
        const int32_t sy = source[static_cast<size_t>(y)];
        if (sy < 0) {
            std::fill(out, out + imageSide, 0u);
            continue;
        }
        const uint32_t* row = block + sy * blockStride;
        const bool edgeRow = edge[static_cast<size_t>(y)];
        for (int32_t x = 0; x < imageSide; ++x) {
            const int32_t sx = source[static_cast<size_t>(x)];
            const uint32_t rgb = sx < 0 ? 0u : row[sx] & 0xFFFFFF;
            out[x] = edgeRow || edge[static_cast<size_t>(x)] ? GridShade(rgb) : rgb;
        }
    }
    const int32_t last = cellOrigin + zoom - 1;
    Ring(image, imageStride, imageSide, cellOrigin - 1, cellOrigin - 1, last + 1, last + 1, kRingInner);
    Ring(image, imageStride, imageSide, cellOrigin - 2, cellOrigin - 2, last + 2, last + 2, kRingOuter);
}
