#include "copy/OpenedClipboard.h"
#include "copy/ScreenCopy.h"

#include <gtest/gtest.h>

namespace {

// Another thread holding the clipboard open with a window of its own (the clipboard tells
// holders apart by their windows), as a clipboard viewer does when the clipboard changes.
DWORD WINAPI HoldClipboard(void* ms)
{
    const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    while (!OpenClipboard(window)) Sleep(1);
    Sleep(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(ms)));
    CloseClipboard();
    DestroyWindow(window);
    return 0;
}

} // namespace

TEST(ScreenCopy, ARefusedHandOverIsAFailureAndFreesTheBlock)
{
    // Another program holds the clipboard longer than the ruler waits for it.
    const HANDLE holder =
        CreateThread(nullptr, 0, &HoldClipboard, reinterpret_cast<void*>(UINT_PTR{1000}), 0, nullptr);
    while (OpenClipboard(nullptr) && CloseClipboard()) Sleep(1); // until the thread has it
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
    ASSERT_NE(nullptr, block);
    EXPECT_FALSE(HandDibToClipboard(nullptr, block));
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(block)) << "the block was not freed";
    EXPECT_FALSE(HandDibToClipboard(nullptr, nullptr));
    WaitForSingleObject(holder, 5000);
    CloseHandle(holder);
}

TEST(ScreenCopy, TheClipboardIsWaitedForWhileAnotherProgramHoldsItForAMoment)
{
    for (const DWORD ms : {40, 1000}) {
        const HANDLE holder =
            CreateThread(nullptr, 0, &HoldClipboard, reinterpret_cast<void*>(UINT_PTR{ms}), 0, nullptr);
        while (OpenClipboard(nullptr) && CloseClipboard()) Sleep(1); // until the thread has it
        const DWORD start = GetTickCount();
        EXPECT_EQ(ms < 100, OpenedClipboard(nullptr).IsOpen()) << "held for " << ms << " ms";
        EXPECT_LT(GetTickCount() - start, 500u);
        WaitForSingleObject(holder, 5000);
        CloseHandle(holder);
    }
}
