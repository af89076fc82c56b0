#include "support/EdgeScenes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

using Rgb = std::array<double, 3>;

struct Rng {
    uint32_t s;
    int32_t I(int32_t a, int32_t b) { return s ^= s << 13, s ^= s >> 17, s ^= s << 5, a + int32_t(s % uint32_t(b - a + 1)); }
    double U(double a, double b) { return a + (b - a) * I(0, 10000) / 10000.0; }
    Rgb Colour(int32_t lo, int32_t hi) { return {double(I(lo, hi)), double(I(lo, hi)), double(I(lo, hi))}; }
    Rgb Away(std::initializer_list<Rgb> others, double by) // at least `by` from each in some channel
    {
        for (Rgb c = Colour(0, 255);; c = Colour(0, 255))
            if (std::all_of(others.begin(), others.end(), [&](const Rgb& o) {
                    return std::max({std::abs(c[0] - o[0]), std::abs(c[1] - o[1]), std::abs(c[2] - o[2])}) >= by;
                }))
                return c;
    }
};

// A rectangle, its edges spread over `spread` px (hard at 0), its corners rounded.
struct Shape {
    double l, t, r, b;
    Rgb colour;
    int16_t label;
    double spread = 0, radius = 0;
    bool shadow = false; // casts the scene's drop shadow
};

double Cover(const Shape& s, double x, double y)
{
    const double qx = std::max(s.l + s.radius - x, x - s.r + s.radius), qy = std::max(s.t + s.radius - y, y - s.b + s.radius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - s.radius;
    return s.spread > 0 || s.radius > 0 ? std::clamp(0.5 - outside / std::max(s.spread, 1.0), 0.0, 1.0) : outside < 0;
}
double Blur(double c, double lo, double hi, double sigma)
{
    return 0.5 * (std::erfc((lo - c) / (sigma * std::sqrt(2.0))) - std::erfc((hi - c) / (sigma * std::sqrt(2.0))));
}

const char* const kFamilies[] = {"flat UI and text", "1 px borders", "gradients", "anti-aliased shapes", "noise",
                                 "rounded corners", "shadowed cards", "two shadowed cards"};

// One scene of a family: a box on a background, changed as the family asks.
EdgeScene Make(Rng& r, int32_t kind)
{
    EdgeScene s;
    s.family = kFamilies[kind], s.flat = kind < 2, s.w = kind == 7 ? 120 : 80, s.h = 64;
    Rgb bg = r.Colour(kind >= 6 ? 150 : 20, kind >= 6 ? 255 : 235), slope = {};
    int32_t dx = 0, dy = 0; // the gradient's direction
    const int32_t l = r.I(10, 28), rt = kind == 7 ? r.I(50, 57) : 80 - r.I(10, 28), t = r.I(8, 20), b = 64 - r.I(8, 20);
    const int32_t cx = (l + rt) / 2, cy = (t + b) / 2, gap = r.I(6, 20);
    const double bright = std::max({bg[0], bg[1], bg[2]}), opacity = r.U(0.1, 0.4), sigma = r.U(2, 8), ox = r.I(-4, 4), oy = r.I(-4, 4);
    std::vector<Shape> shapes = {{double(l), double(t), double(rt), double(b), r.Away({bg}, 40), 1}};
    Shape& box = shapes[0];
    s.probes = {{cx, cy}, {l + 3, cy + 3}, {r.I(1, 6), cy + r.I(-5, 5)}, {cx + r.I(-5, 5), r.I(1, 6)}, {r.I(74, 78), cy + 8}};
    if (kind == 0) { // a panel, some a shade off the background as dialogs on white are, framed, a button, text beside
        if (r.I(0, 1)) box.colour = {bg[0] + (bg[0] < 128 ? 14 : -14), bg[1] + (bg[1] < 128 ? 14 : -14), bg[2] + (bg[2] < 128 ? 14 : -14)};
        if (r.I(0, 1)) shapes.insert(shapes.begin(), {l - 1.0, t - 1.0, rt + 1.0, b + 1.0, r.Away({bg, box.colour}, 40), 2});
        shapes.push_back({l + 4.0, t + 6.0, rt - 4.0, t + 14.0, r.Away({shapes.back().colour}, 40), 3});
        const Rgb ink = r.Away({bg}, 60);
        for (int32_t x = rt + r.I(2, 3), w = r.I(1, 2); x + w < 80; x += w + r.I(1, 3), w = r.I(1, 2))
            shapes.push_back({double(x), double(r.I(10, 20)), double(x + w), double(r.I(36, 44)), ink, 4});
        s.probes.push_back({l + 6, t + 10});
    }
    if (kind == 1) {
        const size_t c = size_t(r.I(0, 2));
        box.colour = bg, box.colour[c] += bg[c] < 128 ? 32 : -32;
        shapes.push_back({l + 1.0, t + 1.0, rt - 1.0, b - 1.0, bg, 2});
    }
    if (kind == 2) { // up to 3 levels a pixel across, the box (or the frame round a gradient button) far from it
        const int32_t dir = r.I(0, 2);
        dx = dir != 1, dy = dir != 0;
        const double extent = 79 * dx + 63 * dy, top = std::min(3.0, 250 / extent);
        for (size_t c = 0; c < 3; ++c) {
            slope[c] = r.U(-top, top), bg[c] = slope[c] > 0 ? r.U(0, 255 - slope[c] * extent) : r.U(-slope[c] * extent, 255);
            const double mid = bg[c] + slope[c] * (cx * dx + cy * dy);
            box.colour[c] = std::clamp(mid < 128 ? mid + 110 : mid - 110, 0.0, 255.0);
        }
        if (r.I(0, 1)) shapes = {{0, 0, 80, double(t), box.colour, 1}, {0, double(b), 80, 64, box.colour, 1}, {0, 0, double(l), 64, box.colour, 1}, {double(rt), 0, 80, 64, box.colour, 1}};
    }
    if (kind == 3) box.spread = r.U(2, 3);
    if (kind == 5) {
        box.radius = r.I(3, 12);
        for (int32_t i : {0, int32_t(box.radius) / 3, int32_t(box.radius) - 1})
            s.probes.insert(s.probes.end(), {{cx, t + i}, {l + i, cy}, {cx, b - 1 - i}});
    }
    if (kind >= 6) { // cards lighter or darker than the background, with drop shadows
        box.colour = r.I(0, 1) && bright <= 210 ? Rgb{bg[0] + 45, bg[1] + 45, bg[2] + 45} : Rgb{bg[0] - bright * opacity - 50, bg[1] - bright * opacity - 50, bg[2] - bright * opacity - 50};
        box.shadow = true;
        s.probes.push_back({l - r.I(3, 8), cy + 2});
    }
    if (kind == 7) {
        shapes.push_back(box), shapes.back().l = rt + gap, shapes.back().r = 120 - r.I(10, 20), shapes.back().label = 2;
        s.probes.insert(s.probes.end(), {{rt + gap / 2, cy}, {rt + gap / 2, cy - 6}, {rt + gap + 8, cy}});
    }
    const int32_t rowBytes = (s.w * 3 + 3) & ~3;
    s.bits.assign(size_t(rowBytes * s.h), 0);
    s.labels.assign(size_t(s.w * s.h), 0);
    for (int32_t i = 0; i < s.w * s.h; ++i) {
        const double x = i % s.w + 0.5, y = i / s.w + 0.5;
        double shade = 1;
        for (const Shape& c : shapes)
            if (c.shadow) shade *= 1 - opacity * Blur(x, c.l + ox, c.r + ox, sigma) * Blur(y, c.t + oy, c.b + oy, sigma);
        Rgb p;
        for (size_t c = 0; c < 3; ++c) p[c] = (bg[c] + slope[c] * ((x - 0.5) * dx + (y - 0.5) * dy) + (kind == 4 ? r.I(-4, 4) : 0)) * shade;
        for (const Shape& c : shapes) {
            const double a = Cover(c, x, y);
            for (size_t k = 0; k < 3; ++k) p[k] += a * (c.colour[k] - p[k]);
            if (a >= 0.5) s.labels[size_t(i)] = c.label;
        }
        for (size_t c = 0; c < 3; ++c)
            s.bits[size_t((s.h - 1 - i / s.w) * rowBytes + i % s.w * 3) + c] = uint8_t(std::lround(std::clamp(p[c], 0.0, 255.0)));
    }
    return s;
}

} // namespace

std::vector<EdgeScene> EdgeCorpus(uint32_t seed, int32_t perFamily)
{
    Rng r{seed | 1};
    std::vector<EdgeScene> corpus;
    for (int32_t kind = 0; kind < 8; ++kind)
        for (int32_t i = 0; i < perFamily; ++i) corpus.push_back(Make(r, kind));
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
