#include "e2e/UserInput.h"
#include "support/CrashExit.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// A test that ends in the middle of a drag leaves nothing held for the next one.
class LetGoAfterEachTest : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override { UserInput::ReleaseAll(); }
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    SetUnhandledExceptionFilter(ExitOnCrash);
    // Coordinates in the tests are screen pixels, whatever the display's scaling.
    SetProcessDPIAware();
    testing::InitGoogleTest(&argc, argv);
    if (!UserInput::Available()) return 2;
    // Every test starts with the buttons of a right-handed mouse, whatever a crashed one left.
    SwapMouseButton(FALSE);
    testing::UnitTest::GetInstance()->listeners().Append(new LetGoAfterEachTest);
    const int result = RUN_ALL_TESTS();
    // A filter that matches no test is a mistake, not a pass.
    if (!testing::GTEST_FLAG(list_tests) && testing::UnitTest::GetInstance()->test_to_run_count() == 0) return 1;
    return result;
}
