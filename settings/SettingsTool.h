#pragma once

// "Settings..." owns the Settings dialog's run: it edits the options and the four bars,
// saves the bars, sizes the ruler around the typed inner size. It changes the model's
// options and bars through the ruler.

#include "ruler/RulerHost.h"
#include "ruler/RulerTool.h"

class CSettingsTool : public RulerTool {
public:
    explicit CSettingsTool(RulerHost& host) : m_host(host) {}

    bool OnCommand(UINT id) override;

private:
    void EditSettings();

    RulerHost& m_host;
};
