#pragma once

// Window-free: the edges along one line of pixels, as a person sees them. The line is
// read as a series of changes between neighbouring clear pixels (the largest of the three
// channel differences, in wide integers). Changes of at most kRampSlope levels, as a
// gradient makes, separate transitions; a transition is a run of larger changes that keep
// their direction. It is an edge when it is loud enough (one change above the tolerance,
// or more in all than a gradient makes over its length plus the tolerance) and sharp: a
// transition spread over kSoftWidth pixels or more, counting the smaller changes the same
// way beside it, is the flank of a shadow or a gradient; a flank of three changes or more
// that runs straight into a change at least twice its peak is that change's lead-in. An
// edge lies where its transition has crossed half way; on the first change of a
// transition of one or two changes. The same rule holds in every direction.

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
    static constexpr int32_t kContext = 32;

private:
    struct Transition {
        int32_t first = 0, end = 0; // its changes, first..end - 1, in reading order
        int32_t peak = 0;           // the largest change, in its channel
        int channel = 0;
        bool loud = false, sharp = false;
    };

    // Reads the clear pixels from `start` in steps of `dir` up to (not past) `stop`.
    void Begin(const PixelBlock& line, int32_t start, int dir, int32_t stop);
    bool Has(int32_t change); // whether change j (between read pixels j and j + 1) exists
    int32_t Size(int32_t j, int& channel) const;
    bool Quiet(int32_t j);
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
    int32_t m_next = 0, m_dir = 1, m_stop = 0;
    int32_t m_start = -1, m_startRead = 0; // a ray's start: its index in the line and among the read pixels
    std::vector<int32_t> m_pos; // read pixels' indices in the line
    std::vector<int16_t> m_rgb; // and their channels, three each
};
