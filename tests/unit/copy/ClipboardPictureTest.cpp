#include "copy/ClipboardPicture.h"
#include "copy/PictureEncoder.h"
#include "copy/ScreenCopy.h"
#include "framework/DibSurface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The ruler's part: a window that hands the clipboard's messages to its picture.
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (CClipboardPicture* picture = CClipboardPicture::Of(window))
        if (picture->OnMessage(message, wParam, lParam, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateOwner()
{
    static const ATOM atom = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &OwnerProc;
        wc.lpszClassName = L"ClipboardPictureTestOwner";
        return RegisterClassW(&wc);
    }();
    return CreateWindowExW(0, MAKEINTATOM(atom), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

HGLOBAL Picture(unsigned char value)
{
    DibSurface surface(37, 23, 24);
    surface.Fill(value);
    return surface.PackDib();
}

std::string Bytes(HGLOBAL block, SIZE_T size)
{
    const char* data = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    std::string bytes = data ? std::string(data, size) : std::string();
    if (data) GlobalUnlock(block);
    return bytes;
}

std::string ExpectedPng(unsigned char value)
{
    const GlobalBlock dib(Picture(value));
    SIZE_T size = 0;
    const GlobalBlock png(EncodePng(dib.get(), size));
    return Bytes(png.get(), size);
}

// The clipboard's PNG as a paste reads it: "" when none comes; the file's bytes otherwise
// (the block may be longer).
std::string PastedPng(size_t length)
{
    if (!OpenClipboard(nullptr)) return "held";
    const HANDLE png = GetClipboardData(PngClipboardFormat());
    const std::string bytes = png && GlobalSize(png) >= length ? Bytes(png, length) : std::string();
    CloseClipboard();
    return bytes;
}

} // namespace

TEST(ClipboardPicture, ThePngIsPromisedAndRenderedFromThePictureAsItWasCopied)
{
    const HWND owner = CreateOwner();
    ASSERT_NE(nullptr, owner);
    CClipboardPicture picture;
    picture.Attach(owner);
    const std::string first = ExpectedPng(0x20), second = ExpectedPng(0xC0);

    // Asked for while the owner runs: rendered then, from the kept picture.
    ASSERT_TRUE(HandDibToClipboard(owner, Picture(0x20)));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_TRUE(IsClipboardFormatAvailable(PngClipboardFormat())) << "promised";
    CloseClipboard();
    EXPECT_EQ(first, PastedPng(first.size()));
    EXPECT_EQ(first, PastedPng(first.size())) << "a second paste reads the same";

    // A second picture replaces the first behind its promise; the owner then ends before any
    // paste asked: the promise is kept as it goes.
    ASSERT_TRUE(HandDibToClipboard(owner, Picture(0xC0)));
    DestroyWindow(owner);
    EXPECT_EQ(second, PastedPng(second.size())) << "a paste after the owner ended";

    // Without a picture attached to the owner, only the DIB goes: no promise nobody keeps.
    const HWND plain = CreateOwner();
    ASSERT_TRUE(HandDibToClipboard(plain, Picture(0x20)));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_FALSE(IsClipboardFormatAvailable(PngClipboardFormat()));
    CloseClipboard();
    DestroyWindow(plain);
}
