#pragma once

// "Copy Measurements" owns its command and Ctrl+Shift+C: the inner area's size and its
// guide lines as a table of text on the clipboard (measure/MeasurementTable.h), in the
// ruler's unit and in pixels. It reads the ruler's inner area, unit, lines and options and
// changes nothing of the ruler.

#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

class CMeasurementsTool : public RulerTool {
public:
    explicit CMeasurementsTool(RulerHost& host) : m_host(host) {}

    bool OnCommand(UINT id) override;
    // Ctrl+C with Shift: the ruler hands keys over with Ctrl alone, Shift is read here.
    bool OnKey(WPARAM key, bool ctrl) override;
    void AddMenuImages(std::vector<MenuImage>& images) const override;

private:
    void CopyMeasurements();

    RulerHost& m_host;
};
