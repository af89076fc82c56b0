#include "copy/CaptureSurface.h"
#include "copy/ClipboardPicture.h"
#include "copy/PictureEncoder.h"
#include "copy/ScreenCopy.h"
#include "framework/DibSurface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
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

namespace {

// A capture surface whose every row has its own colour, so rows out of order or out of
// their band show, and its picture packed as Copy packs it.
HGLOBAL PaintRows(CCaptureSurface& surface)
{
    const HDC dc = surface.DC();
    SelectObject(dc, GetStockObject(DC_BRUSH));
    for (int y = 0; y < surface.Height(); ++y) {
        SetDCBrushColor(dc, RGB(y & 0xFF, (y * 7) & 0xFF, 0x40));
        PatBlt(dc, 0, y, surface.Width(), 1, PATCOPY);
    }
    const int stride = (surface.Width() * 3 + 3) & ~3;
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + size_t(stride) * surface.Height());
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
    *header = {sizeof(BITMAPINFOHEADER), surface.Width(), surface.Height(), 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const bool read = surface.ReadRows(header, 0, surface.Height(), header + 1);
    *header = {sizeof(BITMAPINFOHEADER), surface.Width(), surface.Height(), 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    GlobalUnlock(block);
    EXPECT_TRUE(read);
    return block;
}

} // namespace

TEST(ClipboardPicture, ThePngPromisedFromTheCaptureSurfaceIsThatOfThePackedPicture)
{
    // Heights within one band of rows, at its edge, just past it and over several.
    for (int height : {1, 64, 65, 150}) {
        CCaptureSurface surface(37, height);
        ASSERT_NE(nullptr, surface.DC());
        const GlobalBlock dib(PaintRows(surface));
        SIZE_T size = 0;
        const GlobalBlock expected(EncodePng(dib.get(), size)), png(EncodePng(surface));
        ASSERT_NE(nullptr, expected.get());
        EXPECT_EQ(Bytes(expected.get(), size), Bytes(png.get(), size)) << height;
    }

    // Through the clipboard: the surface kept behind the promise, not a copy of the block.
    const HWND owner = CreateOwner();
    CClipboardPicture picture;
    picture.Attach(owner);
    auto surface = std::make_unique<CCaptureSurface>(37, 150);
    const HGLOBAL dib = PaintRows(*surface);
    SIZE_T size = 0;
    const GlobalBlock expected(EncodePng(dib, size));
    ASSERT_TRUE(HandDibToClipboard(owner, dib, std::move(surface)));
    EXPECT_EQ(Bytes(expected.get(), size), PastedPng(size));
    DestroyWindow(owner);
}
