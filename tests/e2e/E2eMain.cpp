#include "e2e/UserInput.h"
#include "support/CrashExit.h"

#include <gtest/gtest.h>

#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    SetUnhandledExceptionFilter(ExitOnCrash);
    // Coordinates in the tests are screen pixels, whatever the display's scaling.
    SetProcessDPIAware();
    testing::InitGoogleTest(&argc, argv);
    if (!UserInput::Available()) return 2;
    return RUN_ALL_TESTS();
}
