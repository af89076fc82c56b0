#pragma once

// The window commands own "Topmost", "Menu Icon", the size presets and "Version...": the
// toggles flip their option bit and apply it at once; a preset sets the inner area's size.
// They read the ruler's window and thickness and change only those option bits.

#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

class CWindowCommands : public RulerTool {
public:
    explicit CWindowCommands(RulerHost& host) : m_host(host) {}

    bool OnCommand(UINT id) override;
    void UpdateMenu(HMENU popup) const override;
    void AddMenuImages(std::vector<MenuImage>& images) const override;

private:
    void ToggleTopmost();
    void ApplyPresetSize(UINT command);
    void ShowVersion();

    RulerHost& m_host;
};
