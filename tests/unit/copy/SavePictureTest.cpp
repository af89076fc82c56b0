#include "copy/DibSurface.h"
#include "copy/PictureEncoder.h"
#include "copy/SavePicture.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <wincodec.h>

#include <cstring>
#include <fstream>
#include <cstdlib>
#include <iterator>

namespace {

std::string Contents(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

int FileCount(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    int files = 0;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
        files += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return files;
}

// The first file's picture read back through WIC: its size and the colour at (x, y), as
// 0xRRGGBB; -1 when it cannot be read.
long ReadBackPixel(const std::wstring& path, UINT& width, UINT& height, UINT x, UINT y)
{
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    long colour = -1;
    BYTE bgr[3] = {};
    const WICRect one = {static_cast<INT>(x), static_cast<INT>(y), 1, 1};
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&width, &height)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->CopyPixels(&one, 3, 3, bgr)))
        colour = bgr[2] << 16 | bgr[1] << 8 | bgr[0];
    for (IUnknown* object : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                             static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)})
        if (object) object->Release();
    return colour;
}

} // namespace

TEST(SavePicture, EachTypeIsWrittenAsItsExtensionNamesAndReadsBack)
{
    // A picture whose right half is orange, and its top-left corner blue: rows and
    // sides that came out swapped or mirrored would show.
    DibSurface surface(40, 30, 24);
    surface.Fill(0xFF);
    RECT right = {20, 0, 40, 30}, top = {0, 0, 16, 8};
    const HBRUSH orange = CreateSolidBrush(RGB(240, 130, 20)), blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(surface.GetDC(), &right, orange);
    FillRect(surface.GetDC(), &top, blue);
    DeleteObject(orange);
    DeleteObject(blue);
    const GlobalBlock dib(surface.PackDib());

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const struct {
        const wchar_t* name;
        const char* magic;
        int tolerance; // JPEG is lossy
    } cases[] = {
        {L"mensuro-type.png", "\x89PNG", 0},
        {L"mensuro-type.BMP", "BM", 0},
        {L"mensuro-type.jpg", "\xFF\xD8\xFF", 40},
        {L"mensuro-type.jpeg", "\xFF\xD8\xFF", 40},
        {L"mensuro-type.tif", "II*", 0},
        {L"mensuro-type.tiff", "II*", 0},
    };
    for (const auto& c : cases) {
        const std::wstring path = temp + std::wstring(c.name);
        DWORD error = 0;
        ASSERT_TRUE(WritePictureFile(path, dib.get(), error)) << c.name << " " << std::hex << error;
        EXPECT_EQ(c.magic, Contents(path).substr(0, std::strlen(c.magic))) << c.name;
        UINT width = 0, height = 0;
        const long orangeAt = ReadBackPixel(path, width, height, 30, 15);
        const long blueAt = ReadBackPixel(path, width, height, 5, 3);
        EXPECT_EQ(40u, width) << c.name;
        EXPECT_EQ(30u, height) << c.name;
        auto close = [&](long got, long want) {
            for (int shift : {0, 8, 16})
                if (std::abs(((got >> shift) & 0xFF) - ((want >> shift) & 0xFF)) > c.tolerance) return false;
            return got >= 0;
        };
        EXPECT_TRUE(close(orangeAt, 0xF08214)) << c.name << " " << std::hex << orangeAt;
        EXPECT_TRUE(close(blueAt, 0x0000FF)) << c.name << " " << std::hex << blueAt;
        DeleteFileW(path.c_str());
    }
    CoUninitialize();
    DWORD error = 0;
    EXPECT_FALSE(WritePictureFile(temp + std::wstring(L"mensuro-type.gif"), dib.get(), error));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_NAME), error);
}

TEST(SavePicture, AWriteReplacesTheFileWholeOrLeavesItAsItWas)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = temp, path = folder + L"mensuro-picture.png";
    std::ofstream(path.c_str(), std::ios::binary) << "the old picture";
    const int files = FileCount(folder);
    // A block longer than its data, as a stream's grown block is.
    const GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64));
    std::memcpy(GlobalLock(block.get()), "new picture", 11);
    GlobalUnlock(block.get());

    EXPECT_FALSE(WriteBlockToFile(path, block.get(), 65)) << "past the block's end";
    EXPECT_FALSE(WriteBlockToFile(path, nullptr, 11));
    // Another program holds the old file open without sharing: it cannot be replaced.
    const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(WriteBlockToFile(path, block.get(), 11));
    CloseHandle(held);
    EXPECT_EQ("the old picture", Contents(path));
    EXPECT_EQ(files, FileCount(folder)) << "nothing left beside it";

    ASSERT_TRUE(WriteBlockToFile(path, block.get(), 11));
    EXPECT_EQ("new picture", Contents(path)) << "exactly the bytes given";
    EXPECT_EQ(files, FileCount(folder));

    // A PNG's file is as long as the encoded picture, ending with its closing chunk.
    DibSurface surface(37, 23, 24);
    const GlobalBlock dib(surface.PackDib());
    SIZE_T size = 0;
    const GlobalBlock png(EncodePng(dib.get(), size));
    ASSERT_TRUE(WriteBlockToFile(path, png.get(), size));
    const std::string file = Contents(path);
    EXPECT_EQ(size, file.size());
    EXPECT_EQ(std::string("IEND\xAE\x42\x60\x82"), file.substr(file.size() - 8));
    DeleteFileW(path.c_str());
}
