#include "support/EdgeScenes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

using Rgb = std::array<double, 3>;

struct Rng {
    uint32_t s;
    uint32_t Next() { return s ^= s << 13, s ^= s >> 17, s ^= s << 5; }
    int32_t I(int32_t a, int32_t b) { return a + int32_t(Next() % uint32_t(b - a + 1)); }
    double U(double a, double b) { return a + (b - a) * (Next() % 10001) / 10000.0; }
    Rgb Colour(int32_t lo = 0, int32_t hi = 255) { return {double(I(lo, hi)), double(I(lo, hi)), double(I(lo, hi))}; }
    // A colour at least `by` levels from each of `others` in some channel.
    Rgb Away(std::initializer_list<Rgb> others, double by)
    {
        for (;;) {
            const Rgb c = Colour();
            if (std::all_of(others.begin(), others.end(), [&](const Rgb& o) {
                    return std::max({std::abs(c[0] - o[0]), std::abs(c[1] - o[1]), std::abs(c[2] - o[2])}) >= by;
                }))
                return c;
        }
    }
};

// Coverage along one axis of [lo, hi) at pixel centre c, its edges spread over s pixels.
double Span(double c, double lo, double hi, double s)
{
    if (s <= 0) return c >= lo && c < hi;
    return std::clamp(std::min(c - lo, hi - c) / s + 0.5, 0.0, 1.0);
}
// The same span blurred by a Gaussian of deviation sigma.
double Blur(double c, double lo, double hi, double sigma)
{
    return 0.5 * (std::erfc((lo - c) / (sigma * std::sqrt(2.0))) - std::erfc((hi - c) / (sigma * std::sqrt(2.0))));
}

struct Canvas : EdgeScene {
    std::vector<double> rgb;
    Canvas(const char* name, bool hard, int32_t width, int32_t height, Rgb fill)
    {
        family = name, flat = hard, w = width, h = height;
        labels.assign(size_t(w * h), 0);
        for (int32_t i = 0; i < w * h; ++i) rgb.insert(rgb.end(), fill.begin(), fill.end());
    }
    // Paints colour(x, y) by coverage(x, y) at pixel centres; the pixels at least half covered join region id.
    template <class Cover, class Colour> void Paint(Cover cover, Colour colour, int16_t id)
    {
        for (int32_t i = 0; i < w * h; ++i) {
            const double x = i % w + 0.5, y = i / w + 0.5, a = cover(x, y);
            const Rgb c = colour(x, y);
            for (int k = 0; k < 3; ++k) rgb[size_t(3 * i + k)] += a * (c[size_t(k)] - rgb[size_t(3 * i + k)]);
            if (a >= 0.5) labels[size_t(i)] = id;
        }
    }
    void Rect(double l, double t, double r, double b, Rgb c, int16_t id, double spread = 0)
    {
        Paint([=](double x, double y) { return Span(x, l, r, spread) * Span(y, t, b, spread); }, [c](double, double) { return c; }, id);
    }
    // A card's drop shadow in black: the card's rectangle moved by (dx, dy), blurred.
    void Shadow(double l, double t, double r, double b, double sigma, double opacity, double dx, double dy)
    {
        for (int32_t i = 0; i < w * h; ++i) {
            const double a = opacity * Blur(i % w + 0.5, l + dx, r + dx, sigma) * Blur(i / w + 0.5, t + dy, b + dy, sigma);
            for (int k = 0; k < 3; ++k) rgb[size_t(3 * i + k)] *= 1 - a;
        }
    }
    EdgeScene Done()
    {
        const int32_t rowBytes = (w * 3 + 3) & ~3;
        bits.assign(size_t(rowBytes * h), 0);
        for (int32_t i = 0; i < w * h; ++i)
            for (int k = 0; k < 3; ++k)
                bits[size_t((h - 1 - i / w) * rowBytes + i % w * 3 + k)] = uint8_t(std::lround(std::clamp(rgb[size_t(3 * i + k)], 0.0, 255.0)));
        return *this;
    }
};

Rgb Plus(Rgb c, double d) { return {c[0] + d, c[1] + d, c[2] + d}; }

EdgeScene Flat(Rng& r)
{
    Canvas s("flat UI", true, 96, 64, r.Colour());
    const Rgb bg = {s.rgb[0], s.rgb[1], s.rgb[2]};
    for (int16_t i = 0; i < 3; ++i) {
        const int32_t l = 32 * i + r.I(2, 6), rt = 32 * i + 32 - r.I(2, 6), t = r.I(2, 20), b = r.I(36, 60);
        // The first panel only a shade off the background, as dialogs on white are.
        const Rgb panel = i ? r.Away({bg}, 40) : Plus(bg, bg[0] < 128 ? r.I(12, 20) : -r.I(12, 20));
        const Rgb border = r.Away({bg, panel}, 40);
        if (r.I(0, 1)) s.Rect(l - 1, t - 1, rt + 1, b + 1, border, int16_t(10 + i)); // a 1 px frame
        s.Rect(l, t, rt, b, panel, int16_t(1 + i));
        s.Rect(l + 4, t + 6, rt - 4, t + 14, r.Away({panel}, 40), int16_t(20 + i)); // a button on the panel
        s.probes.insert(s.probes.end(), {{(l + rt) / 2, (t + b) / 2 + 4}, {(l + rt) / 2, t + 10}, {32 * i, r.I(1, 62)}});
    }
    return s.Done();
}

EdgeScene Ramp(Rng& r)
{
    const bool button = r.I(0, 1);
    const int32_t dir = r.I(0, 2), dx = dir != 1, dy = dir != 0, l = r.I(12, 30), t = r.I(8, 20), rt = l + r.I(24, 40), b = t + r.I(16, 28);
    const double extent = button ? (rt - l) * dx + (b - t) * dy : 79 * dx + 55 * dy, top = std::min(3.0, 250 / extent);
    Rgb slope, base;
    for (size_t k = 0; k < 3; ++k) slope[k] = r.U(-top, top), base[k] = slope[k] > 0 ? r.U(0, 255 - slope[k] * extent) : r.U(-slope[k] * extent, 255);
    auto ramp = [=](double x, double y) {
        const double d = (button ? x - l : x) * dx + (button ? y - t : y) * dy - 0.5 * (dx + dy);
        return Rgb{base[0] + slope[0] * d, base[1] + slope[1] * d, base[2] + slope[2] * d};
    };
    const Rgb mid = ramp((l + rt) / 2.0, (t + b) / 2.0);
    Rgb away; // far from every value of the gradient near the box's edges
    for (size_t k = 0; k < 3; ++k) away[k] = mid[k] < 128 ? mid[k] + (button ? 160 : 100) : mid[k] - (button ? 160 : 100);
    for (double& v : away) v = std::clamp(v, 0.0, 255.0);
    Canvas s("gradients", false, 80, 56, away);
    if (button) s.Paint([=](double x, double y) { return Span(x, l, rt, 0) * Span(y, t, b, 0); }, ramp, 1);
    else s.Paint([](double, double) { return 1.0; }, ramp, 0), s.Rect(l, t, rt, b, away, 1);
    s.probes = {{l + 3, t + 3}, {rt - 3, b - 3}, {(l + rt) / 2, (t + b) / 2}, {r.I(1, 8), r.I(1, 54)}, {r.I(72, 78), r.I(1, 54)}};
    return s.Done();
}

EdgeScene Cards(Rng& r, bool two)
{
    const Rgb bg = r.Colour(150, 255);
    const double sigma = r.U(2, 8), opacity = r.U(0.1, 0.4), dx = r.I(-4, 4), dy = r.I(-4, 4);
    const bool light = r.I(0, 1) && std::max({bg[0], bg[1], bg[2]}) <= 210;
    const Rgb card = light ? Plus(bg, 45) : Plus(bg, -std::max({bg[0], bg[1], bg[2]}) * opacity - r.U(40, 80));
    Canvas s(two ? "two shadowed cards" : "shadowed cards", false, two ? 120 : 100, 80, bg);
    const int32_t gap = r.I(6, 20), t = r.I(26, 30), b = 80 - r.I(26, 30), cy = (t + b) / 2;
    const int32_t l1 = two ? r.I(14, 20) : r.I(34, 40), r1 = two ? 60 - gap / 2 : 100 - r.I(34, 40), l2 = r1 + gap, r2 = 120 - r.I(14, 20);
    s.Shadow(l1, t, r1, b, sigma, opacity, dx, dy);
    if (two) s.Shadow(l2, t, r2, b, sigma, opacity, dx, dy);
    s.Rect(l1, t, r1, b, card, 1);
    if (two) s.Rect(l2, t, r2, b, card, 2);
    s.probes = {{(l1 + r1) / 2, cy}, {l1 + 3, t + 3}, {2, cy}, {(l1 + r1) / 2, 3}, {l1 - r.I(3, 8), cy + 2}};
    if (two) s.probes.insert(s.probes.end(), {{r1 + gap / 2, cy}, {r1 + gap / 2, cy - 6}, {(l2 + r2) / 2, cy}});
    return s.Done();
}

EdgeScene Border(Rng& r)
{
    const Rgb bg = r.Colour(40, 215);
    Rgb line = bg;
    line[size_t(r.I(0, 2))] += 32 * (r.I(0, 1) ? 1 : -1);
    Canvas s("1 px borders", true, 80, 56, bg);
    const int32_t l = r.I(10, 25), rt = 80 - r.I(10, 25), t = r.I(8, 18), b = 56 - r.I(8, 18);
    s.Rect(l, t, rt, b, line, 1);
    s.Rect(l + 1, t + 1, rt - 1, b - 1, bg, 2);
    s.probes = {{(l + rt) / 2, (t + b) / 2}, {l + 3, t + 3}, {r.I(2, 6), (t + b) / 2}, {(l + rt) / 2, r.I(2, 5)}};
    return s.Done();
}

EdgeScene Smooth(Rng& r)
{
    const Rgb bg = r.Colour(), shape = r.Away({bg}, 32);
    Canvas s("anti-aliased shapes", false, 80, 56, bg);
    const double l = r.U(15, 25), rt = 80 - r.U(15, 25), t = r.U(10, 18), b = 56 - r.U(10, 18), spread = r.U(2, 3);
    s.Rect(l, t, rt, b, shape, 1, spread);
    s.probes = {{40, 28}, {int32_t(l) + 4, 28}, {r.I(2, 8), 28}, {40, r.I(2, 6)}, {r.I(72, 78), r.I(50, 54)}};
    return s.Done();
}

EdgeScene Noise(Rng& r)
{
    const Rgb bg = r.Colour(20, 235), box = r.Away({bg}, 32);
    Canvas s("noise", false, 80, 56, bg);
    const int32_t l = r.I(20, 30), rt = 80 - r.I(20, 30), t = r.I(14, 20), b = 56 - r.I(14, 20);
    for (size_t i = 0; i < s.rgb.size(); ++i) s.rgb[i] += r.I(-4, 4);
    s.Rect(l, t, rt, b, box, 1);
    s.probes = {{40, 28}, {l + 2, t + 2}, {r.I(2, 12), r.I(2, 54)}, {r.I(2, 78), r.I(2, 10)}, {r.I(70, 78), 28}};
    return s.Done();
}

EdgeScene Corners(Rng& r)
{
    const Rgb bg = r.Colour(), box = r.Away({bg}, 48);
    Canvas s("rounded corners", false, 80, 64, bg);
    const int32_t l = r.I(10, 16), rt = 80 - r.I(10, 16), t = r.I(8, 12), b = 64 - r.I(8, 12), radius = r.I(3, 12);
    s.Paint(
        [=](double x, double y) {
            int32_t in = 0; // 4 x 4 samples of the pixel
            for (int32_t k = 0; k < 16; ++k) {
                const double u = x - 0.375 + 0.25 * (k % 4), v = y - 0.375 + 0.25 * (k / 4);
                const double ex = std::max({l + radius - u, u - (rt - radius), 0.0}), ey = std::max({t + radius - v, v - (b - radius), 0.0});
                in += u >= l && u < rt && v >= t && v < b && ex * ex + ey * ey <= radius * radius;
            }
            return in / 16.0;
        },
        [box](double, double) { return box; }, 1);
    for (int32_t i : {0, radius / 3, 2 * radius / 3, radius - 1})
        s.probes.insert(s.probes.end(), {{(l + rt) / 2, t + i}, {l + i, (t + b) / 2}, {(l + rt) / 2, b - 1 - i}});
    return s.Done();
}

EdgeScene Text(Rng& r)
{
    const Rgb bg = r.Colour(170, 255), box = r.Away({bg}, 40), ink = r.Colour(0, 60);
    Canvas s("text beside a box", true, 96, 56, bg);
    const int32_t rt = r.I(30, 40);
    s.Rect(8, 10, rt, 46, box, 1);
    for (int32_t x = rt + r.I(1, 3); x < 88; x += r.I(1, 3)) {
        const int32_t stroke = r.I(1, 2), t = r.I(12, 20);
        s.Rect(x, t, x + stroke, r.I(36, 44), ink, 3);
        if (r.I(0, 3) == 0) s.Rect(x, t + r.I(2, 10), x + r.I(3, 6), t + 12, ink, 3);
        x += stroke;
    }
    s.probes = {{20, 28}, {rt - 3, 20}, {rt - 1, 40}, {r.I(40, 80), 5}};
    return s.Done();
}

} // namespace

std::vector<EdgeScene> EdgeCorpus(uint32_t seed, int32_t perFamily)
{
    Rng r{seed | 1};
    std::vector<EdgeScene> corpus;
    EdgeScene (*const make[])(Rng&) = {Flat, Border, Text, Ramp, [](Rng& g) { return Cards(g, false); },
                                       [](Rng& g) { return Cards(g, true); }, Smooth, Noise, Corners};
    for (auto family : make)
        for (int32_t i = 0; i < perFamily; ++i) corpus.push_back(family(r));
    return corpus;
}

RayEdge TrueEdge(const EdgeScene& s, int32_t x, int32_t y, RayDirection direction)
{
    const bool across = direction == RayDirection::Left || direction == RayDirection::Right;
    const int32_t step = direction == RayDirection::Right || direction == RayDirection::Down ? 1 : -1;
    const int32_t n = across ? s.w : s.h, start = across ? x : y;
    auto label = [&](int32_t i) { return s.labels[size_t(across ? y * s.w + i : i * s.w + x)]; };
    for (int32_t i = start + step; i >= 0 && i < n; i += step)
        if (label(i) != label(start)) return {true, step > 0 ? i : i + 1};
    return {false, step > 0 ? n : 0};
}

std::vector<FamilyScore> ScoreCorpus(const std::vector<EdgeScene>& corpus, const RayFinder& finder)
{
    std::vector<FamilyScore> scores;
    FamilyScore all{"all"}, flat{"flat scenes"};
    for (const EdgeScene& s : corpus) {
        if (scores.empty() || std::strcmp(scores.back().family, s.family) != 0) scores.push_back({s.family});
        for (const auto& p : s.probes)
            for (RayDirection d : {RayDirection::Left, RayDirection::Right, RayDirection::Up, RayDirection::Down}) {
                const RayEdge want = TrueEdge(s, p.first, p.second, d), got = finder(s.Block(), p.first, p.second, d);
                const int32_t off = want.found == got.found ? std::abs(want.boundary - got.boundary) : 1000;
                for (FamilyScore* f : {&scores.back(), &all, s.flat ? &flat : nullptr})
                    if (f) ++f->scans, f->exact += off == 0, f->near += off <= 1;
            }
    }
    scores.push_back(all);
    scores.push_back(flat);
    return scores;
}
