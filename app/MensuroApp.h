#pragma once

#include "app/CommandLine.h"
#include "framework/Application.h"

// Runs the ruler window as a modal dialog; when it ends, the program ends.
class CMensuroApp : public CApplication {
public:
    // The command this process runs the ruler for (Run, Show, Copy or Save).
    void SetStartCommand(const CommandLine& command) { m_start = command; }
    bool InitInstance() override;

private:
    CommandLine m_start;
};
