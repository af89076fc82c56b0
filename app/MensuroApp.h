#pragma once

#include "framework/Application.h"

// Runs the ruler window as a modal dialog; when it ends, the program ends.
class CMensuroApp : public CApplication {
public:
    bool InitInstance() override;
};
