#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ProfileStore;

// A named set of guide-line coordinates: one section of the template file.
// "NumX" and "NumY" count the coordinates; "CursorX" and "CursorY" hold them as
// 32-bit little-endian integers and are written only for a non-empty list.
struct LineTemplate {
    // More lines than a window has pixels across (window coordinates are
    // 16-bit). A larger count was never written by this program: that axis
    // loads empty rather than allocating whatever the file claims.
    static constexpr int32_t MaxLines = 32768;

    std::vector<int32_t> linesX;
    std::vector<int32_t> linesY;

    // Loads both lists from section `name`, or saves them there. A save of a
    // list longer than MaxLines writes nothing; the result is false when
    // anything was not written. Loading always succeeds.
    bool Persist(ProfileStore& store, const char* name, bool loading);
};

// Whether the template file can keep a template of this name (ANSI bytes).
bool IsStorableTemplateName(const std::string& name);
