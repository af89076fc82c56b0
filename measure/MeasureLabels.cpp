#include "measure/MeasureLabels.h"

#include <cstddef>

namespace {

bool Overlap(const WindowRect& a, const WindowRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

std::vector<WindowRect> PlaceLabels(const std::vector<LabelWish>& wishes, std::vector<WindowRect> taken,
                                    int32_t spacing)
{
    std::vector<WindowRect> placed;
    placed.reserve(wishes.size());
    for (const LabelWish& wish : wishes) {
        WindowRect box = wish.box;
        // Every move goes the same way past one box, so the boxes bound the moves.
        for (std::size_t moves = 0; moves <= taken.size(); ++moves) {
            const WindowRect* hit = nullptr;
            for (const WindowRect& t : taken)
                if (!t.IsEmpty() && Overlap(box, t.Inflated(spacing))) {
                    hit = &t;
                    break;
                }
            if (!hit || (wish.dx == 0 && wish.dy == 0)) break;
            int32_t mx = 0, my = 0;
            if (wish.dx < 0) mx = hit->left - spacing - box.right;
            if (wish.dx > 0) mx = hit->right + spacing - box.left;
            if (wish.dy < 0) my = hit->top - spacing - box.bottom;
            if (wish.dy > 0) my = hit->bottom + spacing - box.top;
            box = box.Offset(mx, my);
        }
        placed.push_back(box);
        taken.push_back(box);
    }
    return placed;
}
