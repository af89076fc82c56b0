#include "ruler/LineLabelLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// A label with the range of begins where it touches its line and stays on the bar.
struct Candidate {
    size_t index = 0;
    int64_t lineBegin = 0;
    int64_t lowest = 0, highest = 0;
    int64_t centred = 0;
    int64_t extent = 0;
};

bool AlongTheBar(const Candidate& a, const Candidate& b)
{
    return a.lineBegin != b.lineBegin ? a.lineBegin < b.lineBegin : a.index < b.index;
}

// The earliest begins of labels in their order along the bar, each `gap` after the one
// before; false when one cannot begin by its highest. Earliest first is the test: if
// this fails, so does every other way of placing them in this order.
bool Earliest(const std::vector<Candidate>& labels, int64_t gap, std::vector<int64_t>& begins)
{
    begins.assign(labels.size(), 0);
    for (size_t i = 0; i < labels.size(); ++i) {
        begins[i] = i == 0 ? labels[i].lowest : std::max(labels[i].lowest, begins[i - 1] + labels[i - 1].extent + gap);
        if (begins[i] > labels[i].highest) return false;
    }
    return true;
}

// The latest begins, the mirror of Earliest; only called on labels that fit.
std::vector<int64_t> Latest(const std::vector<Candidate>& labels, int64_t gap)
{
    std::vector<int64_t> begins(labels.size(), 0);
    for (size_t i = labels.size(); i-- > 0;) {
        begins[i] = i + 1 == labels.size() ? labels[i].highest
                                           : std::min(labels[i].highest, begins[i + 1] - labels[i].extent - gap);
    }
    return begins;
}

// Begins as near their centred places as the order allows: with each label's begin
// written as a shift from the sum of the extents before it, the shifts must not fall,
// and the least-squares answer pools neighbours that would (pool adjacent violators).
// Held between the earliest and latest begins, it keeps them apart and on their lines.
std::vector<int64_t> NearestToCentred(const std::vector<Candidate>& labels, int64_t gap,
                                      const std::vector<int64_t>& earliest, const std::vector<int64_t>& latest)
{
    const size_t n = labels.size();
    std::vector<int64_t> before(n, 0);
    for (size_t i = 1; i < n; ++i) before[i] = before[i - 1] + labels[i - 1].extent + gap;
    struct Pool {
        double sum;
        size_t count;
        double Mean() const { return sum / static_cast<double>(count); }
    };
    std::vector<Pool> pools;
    for (size_t i = 0; i < n; ++i) {
        pools.push_back({static_cast<double>(labels[i].centred - before[i]), 1});
        while (pools.size() > 1 && pools[pools.size() - 2].Mean() > pools.back().Mean()) {
            pools[pools.size() - 2].sum += pools.back().sum;
            pools[pools.size() - 2].count += pools.back().count;
            pools.pop_back();
        }
    }
    std::vector<int64_t> begins;
    for (const Pool& pool : pools) {
        const int64_t shift = static_cast<int64_t>(std::floor(pool.Mean()));
        for (size_t k = 0; k < pool.count; ++k) {
            const size_t i = begins.size();
            begins.push_back(std::clamp(shift + before[i], earliest[i], latest[i]));
        }
    }
    return begins;
}

} // namespace

std::vector<LabelPlace> PlaceLineLabels(const std::vector<LineLabel>& labels, int64_t barLength, bool hasLengthLabel,
                                        const BarSpan& lengthLabel, int32_t gap)
{
    std::vector<LabelPlace> places(labels.size());
    std::vector<Candidate> kept, trial;
    std::vector<int64_t> begins;
    for (size_t i = 0; i < labels.size(); ++i) {
        const LineLabel& label = labels[i];
        Candidate c;
        c.index = i;
        c.lineBegin = label.lineBegin;
        c.centred = label.centred;
        c.extent = std::max(label.extent, 0);
        // Touching its line; moved aside, not past the bar's start nor (where no length
        // label stands) its end; clear of the length label, centred or not.
        const int64_t lastEnd =
            hasLengthLabel ? lengthLabel.begin - gap : std::max(barLength, label.centred + c.extent);
        c.lowest = std::max(label.lineBegin - c.extent, std::min<int64_t>(label.centred, 0));
        c.highest = std::min(label.lineEnd, lastEnd - c.extent);
        if (c.lowest > c.highest) continue;
        // The lines added first keep their labels: a later one goes in only if all still fit.
        trial = kept;
        trial.insert(std::upper_bound(trial.begin(), trial.end(), c, AlongTheBar), c);
        if (Earliest(trial, gap, begins)) kept.swap(trial);
    }
    if (kept.empty()) return places;
    Earliest(kept, gap, begins);
    const std::vector<int64_t> placed = NearestToCentred(kept, gap, begins, Latest(kept, gap));
    for (size_t k = 0; k < kept.size(); ++k) places[kept[k].index] = {true, placed[k]};
    return places;
}
