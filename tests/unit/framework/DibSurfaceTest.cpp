#include "framework/DibSurface.h"

#include "copy/ScreenGrab.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace {

int Stride(int width)
{
    return (24 * width + 31) / 32 * 4;
}

// Byte offset of pixel (x, y), counted from the top row, in bottom-up rows.
size_t Offset(const DibSurface& s, int x, int y)
{
    return static_cast<size_t>(s.Height() - 1 - y) * Stride(s.Width()) + 3 * x;
}

TEST(DibSurface, HeaderDescribesBottomUpRows)
{
    DibSurface s(3, 2, 24);
    ASSERT_NE(s.Pixels(), nullptr);
    const BITMAPINFOHEADER& h = *s.Header();
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 3);
    EXPECT_EQ(h.biHeight, 2);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(h.biSizeImage, 24u);
    EXPECT_EQ(h.biXPelsPerMeter | h.biYPelsPerMeter | h.biClrUsed | h.biClrImportant, 0u);
    EXPECT_EQ(s.Width(), 3);
    EXPECT_EQ(s.Height(), 2);
}

TEST(DibSurface, FillSetsAlignmentBytesToo)
{
    for (int width : {1, 3, 5}) {
        SCOPED_TRACE(width);
        DibSurface s(width, 2, 24);
        const size_t size = s.Header()->biSizeImage;
        ASSERT_EQ(size, static_cast<size_t>(2 * Stride(width)));
        std::memset(s.Pixels(), 0, size);
        s.Fill(0x55);
        for (size_t i = 0; i < size; ++i) ASSERT_EQ(s.Pixels()[i], 0x55) << "byte " << i;
    }
}

TEST(DibSurface, PackDibIsHeaderThenRows)
{
    for (SIZE size : {SIZE{1, 1}, SIZE{3, 2}, SIZE{5, 7}, SIZE{640, 480}}) {
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        DibSurface s(size.cx, size.cy, 24);
        s.Fill(0x55);
        SetPixel(s.GetDC(), 0, 0, RGB(10, 20, 30)); // top-left: first pixel of the last row
        const size_t image = static_cast<size_t>(size.cy) * Stride(size.cx);

        HGLOBAL block = s.PackDib();
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(GlobalSize(block), 40 + image);
        const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
        ASSERT_NE(bytes, nullptr);
        BITMAPINFOHEADER header;
        std::memcpy(&header, bytes, sizeof(header));
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biHeight, size.cy);
        EXPECT_EQ(header.biSizeImage, image);
        EXPECT_EQ(std::memcmp(bytes + 40, s.Pixels(), image), 0);
        const unsigned char* topLeft = bytes + 40 + Offset(s, 0, 0);
        EXPECT_EQ(topLeft[0], 30); // blue first
        EXPECT_EQ(topLeft[2], 10);
        GlobalUnlock(block);
        GlobalFree(block);
    }
}

TEST(DibSurface, BlitToCopiesTheWholeSurfaceFromItsOrigin)
{
    DibSurface source(5, 4, 24), target(20, 20, 24);
    source.Fill(0x11);
    SetPixel(source.GetDC(), 4, 3, RGB(200, 100, 50));
    target.Fill(0x00);
    SetViewportOrgEx(source.GetDC(), 2, 2, nullptr); // as left behind by a caller

    EXPECT_TRUE(source.BlitTo(target.GetDC(), 3, 2));
    EXPECT_EQ(GetPixel(target.GetDC(), 3, 2), RGB(0x11, 0x11, 0x11));
    EXPECT_EQ(GetPixel(target.GetDC(), 7, 5), RGB(200, 100, 50));
    EXPECT_EQ(GetPixel(target.GetDC(), 8, 5), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(target.GetDC(), 7, 6), RGB(0, 0, 0));
}

TEST(DibSurface, CreateAgainFreesTheFormerBitmapAndDc)
{
    DibSurface s(10, 10, 24);
    const HDC firstDc = s.GetDC();
    const HGDIOBJ firstBitmap = GetCurrentObject(firstDc, OBJ_BITMAP);
    ASSERT_TRUE(s.Create(20, 5, 24));
    const HDC secondDc = s.GetDC();
    const HGDIOBJ secondBitmap = GetCurrentObject(secondDc, OBJ_BITMAP);
    EXPECT_EQ(s.Width(), 20);
    EXPECT_EQ(s.Header()->biSizeImage, 5u * 60u);
    EXPECT_TRUE(SetPixel(secondDc, 19, 4, RGB(1, 1, 1)) != CLR_INVALID);

    s.Release();
    // After Release only the second generation was freed by it; the first must
    // already be gone (a reused handle value is gone as well).
    EXPECT_EQ(GetObjectType(firstDc), 0u);
    EXPECT_EQ(GetObjectType(firstBitmap), 0u);
    EXPECT_EQ(GetObjectType(secondDc), 0u);
    EXPECT_EQ(GetObjectType(secondBitmap), 0u);
    EXPECT_EQ(s.GetDC(), nullptr);
    EXPECT_EQ(s.Header(), nullptr);
}

TEST(DibSurface, RefusedSizesLeaveAnInertSurface)
{
    struct Size {
        int w, h, bits;
    };
    const Size refused[] = {{0, 10, 24},        {10, 0, 24}, {-4, 4, 24}, {100000, 100000, 24}, {INT_MAX, INT_MAX, 24},
                            {70000, 70000, 32}, {10, 10, 8}, {10, 10, 0}};
    DibSurface target(4, 4, 24);
    for (const Size& size : refused) {
        SCOPED_TRACE(testing::Message() << size.w << "x" << size.h << "x" << size.bits);
        DibSurface s(8, 8, 24);
        EXPECT_FALSE(s.Create(size.w, size.h, size.bits));
        EXPECT_EQ(s.Pixels(), nullptr);
        EXPECT_EQ(s.GetDC(), nullptr);
        EXPECT_EQ(s.Width(), 0);
        EXPECT_EQ(s.PackDib(), nullptr);
        EXPECT_FALSE(GrabScreenInto(s, 0, 0));
        EXPECT_FALSE(s.BlitTo(target.GetDC(), 0, 0));
        s.Fill(0x55);
        // The same object takes a good size afterwards.
        EXPECT_TRUE(s.Create(2, 2, 24));
        EXPECT_EQ(s.Header()->biSizeImage, 16u);
    }
}

TEST(DibSurface, GrabScreenCopiesWhatTheScreenShows)
{
    // A small topmost window of a known colour, then a grab of its client area.
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(10, 200, 30));
    wc.lpszClassName = L"DibSurfaceGrabTest";
    ASSERT_TRUE(RegisterClassW(&wc));
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP, 100, 120, 40, 30, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    // Not activated: Wine takes seconds to destroy an active window without a window manager.
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    // The grab is made once, when the screen shows the window.
    ASSERT_TRUE(WaitForScreenPixel(115, 135, RGB(10, 200, 30)));
    DibSurface s(10, 10, 24);
    s.Fill(0x55);
    ASSERT_TRUE(GrabScreenInto(s, 110, 130));
    EXPECT_EQ(GetPixel(s.GetDC(), 5, 5), RGB(10, 200, 30));
    DestroyWindow(window);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
    DeleteObject(wc.hbrBackground);
}

} // namespace
