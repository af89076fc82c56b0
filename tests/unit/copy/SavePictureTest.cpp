#include "copy/PictureEncoder.h"
#include "copy/SavePicture.h"
#include "framework/DibSurface.h"
#include "framework/GdiHolders.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <wincodec.h>

#include <cstring>
#include <fstream>
#include <initializer_list>
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

// The colour at (x, y) of the picture a file holds, read back through WIC (0xRRGGBB), and
// its size; -1 when it cannot be read.
long ReadBack(const std::wstring& path, UINT x, UINT y, UINT& width, UINT& height)
{
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICBitmapSource* bgr = nullptr;
    BYTE pixel[3] = {};
    const WICRect one = {static_cast<INT>(x), static_cast<INT>(y), 1, 1};
    const bool read = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                                 IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
                      SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                                   WICDecodeMetadataCacheOnDemand, &decoder)) &&
                      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
                      SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat24bppBGR, frame, &bgr)) &&
                      SUCCEEDED(bgr->GetSize(&width, &height)) && SUCCEEDED(bgr->CopyPixels(&one, 3, 3, pixel));
    for (IUnknown* object : std::initializer_list<IUnknown*>{bgr, frame, decoder, factory})
        if (object) object->Release();
    return read ? pixel[2] << 16 | pixel[1] << 8 | pixel[0] : -1;
}

} // namespace

TEST(SavePicture, EachTypeIsWrittenAsItsExtensionNamesAndReadsBack)
{
    // Blue above orange: rows written upside down would show.
    DibSurface surface(40, 32, 24);
    const RECT top = {0, 0, 40, 16}, bottom = {0, 16, 40, 32};
    const GdiObject<HBRUSH> blue(CreateSolidBrush(RGB(0, 0, 255))), orange(CreateSolidBrush(RGB(240, 130, 20)));
    FillRect(surface.GetDC(), &top, blue.get());
    FillRect(surface.GetDC(), &bottom, orange.get());
    const GlobalBlock dib(surface.PackDib());
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const struct {
        const wchar_t* name;
        const char* magic;
        long tolerance; // JPEG is lossy
    } cases[] = {{L"t.png", "\x89PNG", 0}, {L"t.BMP", "BM", 0}, {L"t.jpeg", "\xFF\xD8\xFF", 24}, {L"t.tif", "II*", 0}};
    for (const auto& c : cases) {
        const std::wstring path = temp + std::wstring(L"mensuro-") + c.name;
        DWORD error = 0;
        ASSERT_TRUE(WritePictureFile(path, dib.get(), error)) << c.name << " " << std::hex << error;
        EXPECT_EQ(c.magic, Contents(path).substr(0, std::strlen(c.magic))) << c.name;
        UINT width = 0, height = 0;
        for (const auto& [y, colour] : {std::make_pair(4u, 0x0000FFL), std::make_pair(28u, 0xF08214L)}) {
            const long got = ReadBack(path, 20, y, width, height);
            for (int shift : {0, 8, 16})
                EXPECT_NEAR((colour >> shift) & 0xFF, (got >> shift) & 0xFF, c.tolerance) << c.name << " " << y;
        }
        EXPECT_EQ(40u, width) << c.name;
        EXPECT_EQ(32u, height) << c.name;
        DeleteFileW(path.c_str());
    }
    CoUninitialize();
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
