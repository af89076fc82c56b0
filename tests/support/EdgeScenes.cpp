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
    Rgb Away(std::initializer_list<Rgb> others, double by) // at least `by` from each in some channel
    {
        for (Rgb c = Colour();; c = Colour())
            if (std::all_of(others.begin(), others.end(), [&](const Rgb& o) {
                    return std::max({std::abs(c[0] - o[0]), std::abs(c[1] - o[1]), std::abs(c[2] - o[2])}) >= by;
                }))
                return c;
    }
};

Rgb Plus(Rgb c, double d) { return {c[0] + d, c[1] + d, c[2] + d}; }

struct Shape {
    double l, t, r, b;
    Rgb colour;
    int16_t label;
    double spread = 0, radius = 0; // edges spread over `spread` px; corners rounded
    bool shadow = false;
};

// A scene's recipe: a background (its gradient per pixel along (dx, dy), its noise), the
// shapes painted on it in order, and the drop shadows of the shapes that cast one.
struct Look {
    Look(const char* name, bool hard, int32_t width, int32_t height, Rgb fill)
        : family(name), flat(hard), w(width), h(height), bg(fill) {}
    const char* family;
    bool flat;
    int32_t w, h;
    Rgb bg, slope = {};
    int32_t dx = 0, dy = 0, noise = 0;
    double sigma = 1, opacity = 0, ox = 0, oy = 0;
    std::vector<Shape> shapes;
    std::vector<std::pair<int32_t, int32_t>> probes;
};

double Span(double c, double lo, double hi, double spread)
{
    return spread <= 0 ? c >= lo && c < hi : std::clamp(std::min(c - lo, hi - c) / spread + 0.5, 0.0, 1.0);
}
double Blur(double c, double lo, double hi, double sigma)
{
    return 0.5 * (std::erfc((lo - c) / (sigma * std::sqrt(2.0))) - std::erfc((hi - c) / (sigma * std::sqrt(2.0))));
}
double Cover(const Shape& s, double x, double y)
{
    if (s.radius <= 0) return Span(x, s.l, s.r, s.spread) * Span(y, s.t, s.b, s.spread);
    int32_t in = 0; // 4 x 4 samples
    for (int32_t k = 0; k < 16; ++k) {
        const double u = x - 0.375 + 0.25 * (k % 4), v = y - 0.375 + 0.25 * (k / 4);
        const double ex = std::max({s.l + s.radius - u, u - s.r + s.radius, 0.0});
        const double ey = std::max({s.t + s.radius - v, v - s.b + s.radius, 0.0});
        in += u >= s.l && u < s.r && v >= s.t && v < s.b && ex * ex + ey * ey <= s.radius * s.radius;
    }
    return in / 16.0;
}

EdgeScene Render(Rng& r, const Look& k)
{
    EdgeScene s;
    s.family = k.family, s.flat = k.flat, s.w = k.w, s.h = k.h, s.probes = k.probes;
    const int32_t rowBytes = (s.w * 3 + 3) & ~3;
    s.bits.assign(size_t(rowBytes * s.h), 0);
    s.labels.assign(size_t(s.w * s.h), 0);
    for (int32_t i = 0; i < s.w * s.h; ++i) {
        const double x = i % s.w + 0.5, y = i / s.w + 0.5, d = (x - 0.5) * k.dx + (y - 0.5) * k.dy;
        double shade = 1;
        for (const Shape& c : k.shapes)
            if (c.shadow) shade *= 1 - k.opacity * Blur(x, c.l + k.ox, c.r + k.ox, k.sigma) * Blur(y, c.t + k.oy, c.b + k.oy, k.sigma);
        Rgb p;
        for (size_t ch = 0; ch < 3; ++ch) p[ch] = (k.bg[ch] + k.slope[ch] * d + (k.noise ? r.I(-k.noise, k.noise) : 0)) * shade;
        for (const Shape& c : k.shapes) {
            const double a = Cover(c, x, y);
            for (size_t ch = 0; ch < 3; ++ch) p[ch] += a * (c.colour[ch] - p[ch]);
            if (a >= 0.5) s.labels[size_t(i)] = c.label;
        }
        for (size_t ch = 0; ch < 3; ++ch)
            s.bits[size_t((s.h - 1 - i / s.w) * rowBytes + i % s.w * 3) + ch] = uint8_t(std::lround(std::clamp(p[ch], 0.0, 255.0)));
    }
    return s;
}

// Panels with buttons, some framed, one only a shade off the background as dialogs on
// white are; and text, dense strokes, beside the last.
Look Flat(Rng& r)
{
    Look k{"flat UI and text", true, 96, 64, r.Colour()};
    for (int16_t i = 0; i < 3; ++i) {
        const double l = 32 * i + r.I(2, 6), rt = i < 2 ? 32 * i + 32 - r.I(2, 6) : 76, t = r.I(2, 20), b = r.I(36, 60);
        const Rgb panel = i ? r.Away({k.bg}, 40) : Plus(k.bg, k.bg[0] < 128 ? r.I(12, 20) : -r.I(12, 20));
        if (r.I(0, 1)) k.shapes.push_back({l - 1, t - 1, rt + 1, b + 1, r.Away({k.bg, panel}, 40), int16_t(10 + i)});
        k.shapes.push_back({l, t, rt, b, panel, int16_t(1 + i)});
        k.shapes.push_back({l + 4, t + 6, rt - 4, t + 14, r.Away({panel}, 40), int16_t(20 + i)});
        k.probes.insert(k.probes.end(), {{int32_t(l + rt) / 2, int32_t(b) - 3}, {int32_t(l) + 5, int32_t(t) + 10}, {32 * i, r.I(1, 62)}});
    }
    const Rgb ink = r.Away({k.bg}, 60);
    for (int32_t x = 76 + r.I(2, 3), stroke = r.I(1, 2); x + stroke < 96; x += stroke + r.I(1, 3), stroke = r.I(1, 2))
        k.shapes.push_back({double(x), double(r.I(10, 20)), double(x + stroke), double(r.I(36, 44)), ink, 4});
    return k;
}

// A box of one colour with a 1 px border off by 32 in one channel, on a gradient, with a
// gradient inside (in a frame), anti-aliased over 2 to 3 px, on noise, with rounded corners.
Look Box(Rng& r, int kind)
{
    const char* names[] = {"1 px borders", "gradients", "anti-aliased shapes", "noise", "rounded corners"};
    Look k{names[kind], kind == 0, 80, 64, r.Colour(20, 235)};
    const int32_t l = r.I(10, 28), rt = 80 - r.I(10, 28), t = r.I(8, 20), b = 64 - r.I(8, 20), radius = r.I(3, 12);
    Rgb box = r.Away({k.bg}, kind == 4 ? 48 : 32);
    k.shapes = {{double(l), double(t), double(rt), double(b), box, 1, kind == 2 ? r.U(2, 3) : 0, kind == 4 ? radius : 0.0}};
    k.probes = {{(l + rt) / 2, (t + b) / 2}, {l + 3, (t + b) / 2 + 3}, {r.I(1, 6), (t + b) / 2 + r.I(-5, 5)}, {(l + rt) / 2 + r.I(-5, 5), r.I(1, 6)}, {r.I(74, 78), 40}};
    if (kind == 0) box = k.bg, box[size_t(r.I(0, 2))] += k.bg[0] < 128 ? 32 : -32, k.shapes[0].colour = box;
    if (kind == 0) k.shapes.push_back({l + 1.0, t + 1.0, rt - 1.0, b - 1.0, k.bg, 2});
    k.noise = kind == 3 ? 4 : 0;
    for (int32_t i : {0, radius / 3, 2 * radius / 3, radius - 1})
        if (kind == 4) k.probes.insert(k.probes.end(), {{(l + rt) / 2, t + i}, {l + i, (t + b) / 2}, {(l + rt) / 2, b - 1 - i}});
    if (kind != 1) return k;
    // The gradient, up to 3 levels a pixel, across the scene; the box, or a frame round the
    // button that holds it, far from it near the box's edges.
    const int32_t dir = r.I(0, 2);
    k.dx = dir != 1, k.dy = dir != 0;
    const double extent = 79 * k.dx + 63 * k.dy, top = std::min(3.0, 250 / extent);
    for (size_t c = 0; c < 3; ++c) {
        k.slope[c] = r.U(-top, top);
        k.bg[c] = k.slope[c] > 0 ? r.U(0, 255 - k.slope[c] * extent) : r.U(-k.slope[c] * extent, 255);
        const double mid = k.bg[c] + k.slope[c] * ((l + rt) / 2 * k.dx + (t + b) / 2 * k.dy);
        box[c] = std::clamp(mid < 128 ? mid + 110 : mid - 110, 0.0, 255.0);
    }
    k.shapes = {{double(l), double(t), double(rt), double(b), box, 1}};
    if (r.I(0, 1)) k.shapes = {{0, 0, 80, double(t), box, 1}, {0, double(b), 80, 64, box, 1}, {0, 0, double(l), 64, box, 1}, {double(rt), 0, 80, 64, box, 1}};
    return k;
}

Look Cards(Rng& r, bool two)
{
    Look k{two ? "two shadowed cards" : "shadowed cards", false, two ? 120 : 100, 80, r.Colour(150, 255)};
    k.sigma = r.U(2, 8), k.opacity = r.U(0.1, 0.4), k.ox = r.I(-4, 4), k.oy = r.I(-4, 4);
    const double top = std::max({k.bg[0], k.bg[1], k.bg[2]});
    const Rgb card = r.I(0, 1) && top <= 210 ? Plus(k.bg, 45) : Plus(k.bg, -top * k.opacity - r.U(40, 80));
    const int32_t gap = r.I(6, 20), t = r.I(26, 30), b = 80 - r.I(26, 30), cy = (t + b) / 2;
    const int32_t l1 = two ? r.I(14, 20) : r.I(34, 40), r1 = two ? 60 - gap / 2 : 100 - r.I(34, 40), l2 = r1 + gap;
    k.shapes = {{double(l1), double(t), double(r1), double(b), card, 1, 0, 0, true}};
    if (two) k.shapes.push_back({double(l2), double(t), 120.0 - r.I(14, 20), double(b), card, 2, 0, 0, true});
    k.probes = {{(l1 + r1) / 2, cy}, {l1 + 3, t + 3}, {2, cy}, {(l1 + r1) / 2, 3}, {l1 - r.I(3, 8), cy + 2}};
    if (two) k.probes.insert(k.probes.end(), {{r1 + gap / 2, cy}, {r1 + gap / 2, cy - 6}, {l2 + 8, cy}});
    return k;
}

} // namespace

std::vector<EdgeScene> EdgeCorpus(uint32_t seed, int32_t perFamily)
{
    Rng r{seed | 1};
    std::vector<EdgeScene> corpus;
    for (int32_t family = 0; family < 8; ++family)
        for (int32_t i = 0; i < perFamily; ++i)
            corpus.push_back(Render(r, family == 0 ? Flat(r) : family < 6 ? Box(r, family - 1) : Cards(r, family == 7)));
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
