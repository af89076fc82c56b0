#include "copy/MeasureLayout.h"

#include <algorithm>

namespace {

// Along the band, in 64 bits: a value from a template file can be anything a 32-bit number holds.
struct Span {
    int64_t from = 0, to = 0; // `to` exclusive

    bool Meets(const Span& o) const { return from < o.to && o.from < to; }
    bool Holds(int64_t at) const { return at >= from && at < to; }
};

// A gap between two edges, and where its number's leader leaves it.
struct Gap {
    int64_t from = 0, to = 0;
    int32_t numberWidth = 0;
    int64_t Centre() const { return (from + to) / 2; }
};

class BandPlanner {
public:
    BandPlanner(int64_t length, int32_t margin, int64_t start, int64_t end)
        : m_length(length), m_margin(margin), m_clear(std::max(1, margin / 2)), m_start(start), m_end(end)
    {
    }

    DimensionBand Plan(const std::vector<int64_t>& edges, const NumberWidth& numberWidth);

private:
    int64_t MarkOf(int64_t edge) const { return edge == m_end ? m_end - 1 : edge; }
    // What a number keeps to itself on its row: its extent with the margin on either side,
    // its leader's run and foot with m_clear.
    Span Claim(const DimensionLabel& label) const;
    // What a leader passing the number's row must keep clear of: the number with half
    // the margin around it, and its own leader's run.
    bool Blocks(const DimensionLabel& label, int64_t leaderAt) const;
    // A mark may stand beside a leader's run, but not within a number's margins or under the run.
    bool ClearOfMarks(const DimensionLabel& label, const std::vector<int64_t>& marks) const;
    DimensionLabel Label(int32_t value, int64_t from, int32_t width, int32_t row, int64_t leaderAt) const;
    bool InBand(const DimensionLabel& label) const { return label.from >= 0 && label.to <= m_length; }
    bool FreeOnRow(const Span& claim, int32_t row) const;
    // On a staggered row: the number and its run cross no leader on its way deeper, its
    // own leader crosses no number or run on its way there, and it covers none of the
    // leaders still to come.
    bool LeadersClear(const DimensionLabel& label) const;

    // Centred between its marks, the margins clear; false when it does not fit there.
    bool PlaceInside(const Gap& gap, int32_t row);
    bool PlaceBesideMarks(const Gap& gap, const std::vector<int64_t>& marks, int32_t row);
    bool PlaceStaggered(const Gap& gap);
    // The last resort, a new row: the place nearest the gap where the number covers no
    // leader still to come, its run crossing them if it must.
    bool PlaceOnNewRow(const Gap& gap);
    void DrawLines();

    const int64_t m_length;
    const int32_t m_margin;
    // What a leader keeps between itself and a number: a line, not a number to read.
    const int32_t m_clear;
    const int64_t m_start, m_end; // the inner area's edges
    std::vector<int64_t> m_marks;
    std::vector<int64_t> m_endMarks;
    std::vector<int64_t> m_reserved; // the feet of the leaders still to come
    DimensionBand m_band;
    // The first row after the staggered rows; the whole length goes there at the end.
    int32_t m_rows = 1;
    bool m_gapsRow = true; // false when no line divides the length
};

Span BandPlanner::Claim(const DimensionLabel& label) const
{
    Span claim = {int64_t{label.from} - m_margin, int64_t{label.to} + m_margin};
    if (label.leaderAt >= 0) {
        claim.from = std::min<int64_t>(claim.from, int64_t{label.leaderAt} - m_clear);
        claim.to = std::max<int64_t>(claim.to, int64_t{label.leaderAt} + 1 + m_clear);
    }
    return claim;
}

DimensionLabel BandPlanner::Label(int32_t value, int64_t from, int32_t width, int32_t row, int64_t leaderAt) const
{
    DimensionLabel label;
    label.value = value;
    // Out-of-band places are refused by InBand before they are kept; clamp so the 32-bit fields say so.
    const auto fit = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -1, INT32_MAX)); };
    label.from = fit(from);
    label.to = fit(from + width);
    label.centre = fit(from + width / 2);
    label.row = row;
    label.leaderAt = leaderAt < 0 ? -1 : fit(leaderAt);
    return label;
}

// The stretch of row a staggered number's leader runs along to reach it, its foot excepted.
Span Run(const DimensionLabel& label)
{
    if (label.leaderAt >= 0 && label.leaderAt < label.from) return {int64_t{label.leaderAt} + 1, label.from};
    if (label.leaderAt >= label.to) return {label.to, label.leaderAt};
    return {0, 0};
}

bool BandPlanner::Blocks(const DimensionLabel& label, int64_t leaderAt) const
{
    const Span box = {int64_t{label.from} - m_clear, int64_t{label.to} + m_clear};
    return box.Holds(leaderAt) || Run(label).Holds(leaderAt);
}

bool BandPlanner::ClearOfMarks(const DimensionLabel& label, const std::vector<int64_t>& marks) const
{
    const Span padded = {int64_t{label.from} - m_margin, int64_t{label.to} + m_margin};
    const Span run = Run(label);
    return std::none_of(marks.begin(), marks.end(),
                        [&](int64_t m) { return (m > padded.from && m < padded.to) || run.Holds(m); });
}

bool BandPlanner::FreeOnRow(const Span& claim, int32_t row) const
{
    return std::none_of(m_band.labels.begin(), m_band.labels.end(),
                        [&](const DimensionLabel& l) { return l.row == row && Claim(l).Meets(claim); });
}

bool BandPlanner::LeadersClear(const DimensionLabel& label) const
{
    for (const DimensionLabel& l : m_band.labels) {
        if (l.row > label.row && l.leaderAt >= 0 && Blocks(label, l.leaderAt)) return false;
        if (l.row > 0 && l.row < label.row && Blocks(l, label.leaderAt)) return false;
    }
    return std::none_of(m_reserved.begin(), m_reserved.end(),
                        [&](int64_t at) { return at != label.leaderAt && Blocks(label, at); });
}

bool BandPlanner::PlaceInside(const Gap& gap, int32_t row)
{
    const int32_t value = static_cast<int32_t>(gap.to - gap.from);
    const DimensionLabel label = Label(value, gap.Centre() - gap.numberWidth / 2, gap.numberWidth, row, -1);
    // The far end's mark stands on the last pixel, a pixel inside its edge.
    if (label.from < MarkOf(gap.from) + m_margin || int64_t{label.to} + m_margin > MarkOf(gap.to)) return false;
    m_band.labels.push_back(label);
    return true;
}

bool BandPlanner::PlaceBesideMarks(const Gap& gap, const std::vector<int64_t>& marks, int32_t row)
{
    const int32_t value = static_cast<int32_t>(gap.to - gap.from), w = gap.numberWidth;
    // Only past the first or the last mark, where no other gap's number could claim it;
    // after the far mark first: numbers read on from their gap.
    std::vector<int64_t> places;
    if (gap.to == m_end) places.push_back(MarkOf(gap.to) + 1 + m_margin);
    if (gap.from == m_start) places.push_back(MarkOf(gap.from) - m_margin - w);
    for (const int64_t from : places) {
        const DimensionLabel label = Label(value, from, w, row, -1);
        if (InBand(label) && ClearOfMarks(label, marks) && FreeOnRow(Claim(label), row)) {
            m_band.labels.push_back(label);
            return true;
        }
    }
    return false;
}

bool BandPlanner::PlaceStaggered(const Gap& gap)
{
    const int32_t value = static_cast<int32_t>(gap.to - gap.from), w = gap.numberWidth;
    const int64_t c = gap.Centre();
    const int32_t deepest = std::min(m_rows, kMaxStaggeredRows);
    // Under the gap, else beside the leader's foot on either side, else just clear of the
    // end mark nearer the foot, which may stand too near it for either.
    const int64_t first = m_endMarks.front(), last = m_endMarks.back();
    const int64_t clearOfEnd = c - first < last - c ? first + 1 + m_margin : last - m_margin - w;
    const int64_t places[] = {c - w / 2, c + m_margin, c + 1 - m_margin - w, clearOfEnd};
    for (int32_t row = 1; row <= deepest; ++row) {
        for (const int64_t from : places) {
            const DimensionLabel label = Label(value, from, w, row, c);
            const Span claim = Claim(label);
            if (InBand(label) && ClearOfMarks(label, m_endMarks) && FreeOnRow(claim, row) && LeadersClear(label)) {
                m_band.labels.push_back(label);
                m_rows = std::max(m_rows, row + 1);
                return true;
            }
        }
    }
    return false;
}

bool BandPlanner::PlaceOnNewRow(const Gap& gap)
{
    const int32_t row = m_rows, w = gap.numberWidth;
    const int64_t c = gap.Centre(), ideal = c - w / 2;
    if (row > kMaxStaggeredRows || w > m_length) return false;
    // Where the number may not start: over a leader still to come, or within its margin of an end mark.
    std::vector<Span> refused;
    for (int64_t at : m_reserved)
        if (at != c) refused.push_back({at - w - m_clear + 1, at + m_clear + 1});
    for (int64_t mark : m_endMarks) refused.push_back({mark - w - m_margin + 1, mark + m_margin});
    std::sort(refused.begin(), refused.end(), [](const Span& a, const Span& b) { return a.from < b.from; });
    // In every stretch of starts left open, the one nearest the gap.
    std::vector<int64_t> starts;
    int64_t open = 0;
    for (const Span& r : refused) {
        if (r.from > open) starts.push_back(std::clamp(ideal, open, r.from - 1));
        open = std::max(open, r.to);
    }
    if (open <= m_length - w) starts.push_back(std::clamp(ideal, open, m_length - w));
    std::sort(starts.begin(), starts.end(),
              [&](int64_t a, int64_t b) { return std::abs(a - ideal) < std::abs(b - ideal); });
    for (int64_t from : starts) {
        const DimensionLabel label = Label(static_cast<int32_t>(gap.to - gap.from), from, w, row, c);
        if (!InBand(label) || !ClearOfMarks(label, m_endMarks)) continue;
        m_band.labels.push_back(label);
        m_rows = row + 1;
        return true;
    }
    return false;
}

void BandPlanner::DrawLines()
{
    // Row 0 and the whole length's row run from the first mark to the last and out to any
    // number beside them, broken around every number; a staggered number's leader runs
    // along its row from the leader's foot to the number.
    const int32_t totalRow = m_band.TotalRow();
    for (const int32_t row : {0, totalRow}) {
        if (row == 0 && !m_gapsRow) continue;
        Span run = {m_marks.front(), m_marks.back() + 1};
        std::vector<Span> numbers;
        for (const DimensionLabel& l : m_band.labels) {
            if (l.row != row) continue;
            numbers.push_back({l.from, l.to});
            run = {std::min<int64_t>(run.from, l.from), std::max<int64_t>(run.to, l.to)};
        }
        std::sort(numbers.begin(), numbers.end(), [](const Span& a, const Span& b) { return a.from < b.from; });
        int64_t at = run.from;
        for (const Span& n : numbers) {
            if (n.from > at) m_band.lines.push_back({row, static_cast<int32_t>(at), static_cast<int32_t>(n.from)});
            at = std::max(at, n.to);
        }
        if (run.to > at) m_band.lines.push_back({row, static_cast<int32_t>(at), static_cast<int32_t>(run.to)});
    }
    for (const DimensionLabel& l : m_band.labels) {
        if (l.leaderAt < 0) continue;
        if (l.leaderAt < l.from) m_band.lines.push_back({l.row, l.leaderAt, l.from});
        if (l.leaderAt >= l.to) m_band.lines.push_back({l.row, l.to, l.leaderAt + 1});
    }
}

DimensionBand BandPlanner::Plan(const std::vector<int64_t>& edges, const NumberWidth& numberWidth)
{
    for (int64_t edge : edges)
        if (m_marks.empty() || m_marks.back() != MarkOf(edge)) m_marks.push_back(MarkOf(edge));
    m_endMarks = {m_marks.front(), m_marks.back()};

    // With no line inside, the one gap is the whole length: it is written once, as the total.
    m_gapsRow = edges.size() > 2;
    std::vector<Gap> narrow;
    for (size_t i = 0; m_gapsRow && i + 1 < edges.size(); ++i) {
        const Gap gap = {edges[i], edges[i + 1], numberWidth(static_cast<int32_t>(edges[i + 1] - edges[i]))};
        if (!PlaceInside(gap, 0) && gap.numberWidth <= m_length) narrow.push_back(gap);
    }
    std::vector<Gap> staggered;
    for (const Gap& gap : narrow)
        if (!PlaceBesideMarks(gap, m_marks, 0)) staggered.push_back(gap);
    // From the right, so that a number set right of its leader's foot is clear of the
    // leaders still to come, which all stand left of it. A number that would cover one of
    // them (near the far end, with no room on its right) waits; the waiting ones go last,
    // from the left, set left of their feet, clear of the leaders still waiting.
    for (const Gap& gap : staggered) m_reserved.push_back(gap.Centre());
    const auto settle = [&](const Gap& gap) {
        m_reserved.erase(std::find(m_reserved.begin(), m_reserved.end(), gap.Centre()));
    };
    std::vector<Gap> waiting;
    for (auto gap = staggered.rbegin(); gap != staggered.rend(); ++gap) {
        if (PlaceStaggered(*gap))
            settle(*gap);
        else
            waiting.push_back(*gap);
    }
    for (auto gap = waiting.rbegin(); gap != waiting.rend(); ++gap) {
        if (!PlaceStaggered(*gap)) PlaceOnNewRow(*gap);
        settle(*gap);
    }

    // The whole length, on the last row; only the end marks reach it.
    m_band.rows = m_rows + 1;
    const Gap whole = {edges.front(), edges.back(), numberWidth(static_cast<int32_t>(edges.back() - edges.front()))};
    if (!PlaceInside(whole, m_band.TotalRow()) && whole.numberWidth <= m_length)
        PlaceBesideMarks(whole, m_endMarks, m_band.TotalRow());
    DrawLines();
    for (int64_t mark : m_marks) m_band.marks.push_back(static_cast<int32_t>(mark));
    return m_band;
}

} // namespace

DimensionBand LayoutDimensionBand(const std::vector<int32_t>& lines, int32_t origin, int32_t innerLength,
                                  int32_t length, const NumberWidth& numberWidth, int32_t margin)
{
    const int64_t start = std::clamp<int64_t>(origin, 0, length);
    const int64_t end = std::clamp<int64_t>(int64_t{origin} + innerLength, 0, length);
    if (length < 1 || end <= start) return DimensionBand();

    // Boundaries of the gaps: the inner area's two edges and every line strictly between them.
    std::vector<int64_t> edges = {start, end};
    for (int32_t value : lines) {
        const int64_t column = int64_t{origin} + value;
        if (value > 0 && value < innerLength && column > start && column < end) edges.push_back(column);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    return BandPlanner(length, std::max(margin, 0), start, end).Plan(edges, numberWidth);
}
