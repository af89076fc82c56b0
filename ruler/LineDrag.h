#pragma once

#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

#include <cstddef>
#include <cstdint>

class CCoordinateTip;

// Dragging a guide line with the left button. The line's old and new places show
// inverted on the screen while it moves; the model changes once, at the drop. A drag
// that ends any other way leaves the line exactly where it was. However it ends, the
// windows under the stretch it swept paint it again.
class CLineDrag : public MouseMode {
public:
    CLineDrag(RulerHost& host, const RulerTools& tools, CCoordinateTip& tip);

    // Takes line `index` of the vertical (X) or horizontal list, pressed at `client`.
    void Begin(bool vertical, size_t index, POINT client);

    WPARAM Button() const override { return MK_LBUTTON; }
    void OnModeMove(POINT client, bool ctrl) override;
    void OnModeEnd(ModeExit exit, POINT client, bool ctrl) override;

private:
    // Where the line goes for a pointer at `client`: held to the inner area, then snapped.
    int32_t ValueAt(POINT client) const;
    // Moves the feedback: both the old and the new place are inverted once more.
    void MoveTo(int32_t value);
    // Inverting undoes an inversion only where nothing painted in between (the tooltip
    // moving off the line, a window below redrawing): what was swept is painted anew.
    void RepaintSwept() const;
    void ShowTip() const;

    RulerHost& m_host;
    const RulerTools& m_tools;
    CCoordinateTip& m_tip;
    bool m_vertical = true;
    size_t m_index = 0;
    int32_t m_start = 0;
    int32_t m_value = 0;
    int32_t m_lowest = 0, m_highest = 0; // the stretch the line has swept
    POINT m_anchor = {0, 0};
};
