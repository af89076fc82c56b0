#include "framework/Application.h"

#include "support/CrashExit.h"

#include <gtest/gtest.h>

#include <commctrl.h>

int wmain(int argc, wchar_t** argv)
{
    SetUnhandledExceptionFilter(ExitOnCrash);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // The code under test keeps its settings where the program does, under this company.
    AppRegistry::SetCompany("Veltrin's Applications");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
