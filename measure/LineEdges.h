#pragma once

// Window-free: the edges along one line of pixels, as a person sees them. The line is
// read as a series of changes between neighbouring clear pixels (the largest of the three
// channel differences, in wide integers). Changes of at most kRampSlope levels, as a
// gradient makes, separate transitions; a transition is a run of larger changes that keep
// their direction. It is an edge when it is loud enough (one change above the tolerance,
// or more in all than a gradient makes over its length plus the tolerance) and sharp: a
// transition spread over kSoftWidth pixels or more, counting the smaller changes the same
// way beside it, is the flank of a shadow or a gradient; a flank three pixels wide or more
// that runs straight into a change half as large again as its peak is that change's
// lead-in. An edge lies where its transition has crossed half way; a pixel between two
// changes above the tolerance is an area of its own, its first change the edge. The same
// rule holds in every direction.

#include "measure/EdgeFinder.h"

#include <cstdint>
#include <vector>

class CLineEdges {
public:
    // `sides` is the line's mask (MaskSide per pixel), or empty; it must outlive the object.
    CLineEdges(const std::vector<uint8_t>& sides, int32_t tolerance);

    // The first edge from the clear pixel `start` of the line (row 0 of `line`) towards
    // higher (dir > 0) or lower indices: the boundary k (the edge lies before pixel k),
    // or -1 when the line ends first.
    int32_t FirstEdge(const PixelBlock& line, int32_t start, int dir);

    // Adds one to counts[k] for every edge the line holds on a boundary k in from..to.
    // Transitions are read up to kContext pixels beyond that range.
    void CountEdges(const PixelBlock& line, int32_t from, int32_t to, std::vector<int32_t>& counts);

    static constexpr int32_t kRampSlope = 3;  // levels per pixel that are never an edge
    static constexpr int32_t kSoftWidth = 6;  // pixels over which a transition is a flank
    static constexpr int32_t kCoreShare = 4;  // a change of 1 / kCoreShare of the peak counts to the width
    // A flank this wide that runs into a step of this many percent of its size is the step's lead-in.
    static constexpr int32_t kLeadInWidth = 3, kLeadInPercent = 150;
    static constexpr int32_t kContext = 32;
    static constexpr int32_t kPrefetch = 16; // pixels read ahead

private:
    struct Transition {
        int32_t first = 0, end = 0; // its changes, first..end - 1, in reading order
        int32_t peak = 0;           // the largest change, in its channel
        int channel = 0;
        int32_t width = 0;    // its changes of a quarter of its peak, with those beside it going its way
        bool between = false; // two changes above the tolerance: a pixel of its own between two areas
        bool loud = false, sharp = false;
    };

    // Reads the clear pixels of line indices from..to (inclusive), starting at `from`.
    void Begin(const PixelBlock& line, int32_t from, int dir, int32_t to);
    bool Has(int32_t change) const { return change >= 0 && change + 1 < m_count; }
    int32_t ClearAt(int32_t i) const; // the number of clear pixels before line index i
    int32_t Index(int32_t j) const     // the line index of read pixel j
    {
        const int32_t k = m_base + m_dir * j;
        return m_allClear ? k : m_clear[size_t(k)];
    }
    const uint8_t* Pixel(int32_t j) const { return m_origin + Index(j) * m_step; }
    int32_t Ch(int32_t j, int c) const; // channel c of read pixel j
    int32_t SkipQuiet(int32_t j) const; // the first change from j on that is not quiet
    // Change j (between read pixels j and j + 1): its largest channel difference and that channel.
    int32_t Size(int32_t j, int& channel) const;
    bool Quiet(int32_t j) const;
    bool Along(int32_t j) const; // whether changes j and j + 1 go the same way
    Transition Next(int32_t j);  // the transition at or after change j
    bool IsEdge(const Transition& t, const Transition* before, const Transition* after) const;
    int32_t EdgeChange(const Transition& t) const; // the change an edge lies on
    int32_t Boundary(int32_t j) const;             // the line's boundary at change j
    // Calls onEdge(transition) for every edge read, in order, until it returns true.
    template <class OnEdge>
    void Walk(OnEdge onEdge);

    const std::vector<uint8_t>& m_sides;
    int32_t m_tolerance;
    int32_t m_quiet;
    const uint8_t* m_origin = nullptr;
    ptrdiff_t m_step = 0;
    std::vector<int32_t> m_clear; // the line's clear pixels, for lines m_width long
    int32_t m_width = -1;
    bool m_allClear = true; // nothing masked: read pixel j is line index m_base + dir * j
    int32_t m_base = 0, m_dir = 1, m_count = 0;
    int32_t m_startRead = 0; // a ray's start among the read pixels
};
