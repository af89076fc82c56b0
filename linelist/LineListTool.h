#pragma once

// "Line List..." owns the Line list dialog's run: the dialog edits copies of both lists
// and only OK hands them back, as the ruler's guide lines.

#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

class CLineListTool : public RulerTool {
public:
    explicit CLineListTool(RulerHost& host) : m_host(host) {}

    bool OnCommand(UINT id) override;
    void AddMenuImages(std::vector<MenuImage>& images) const override;

private:
    RulerHost& m_host;
};
