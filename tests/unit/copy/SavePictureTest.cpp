#include "copy/DibSurface.h"
#include "copy/PictureEncoder.h"
#include "copy/SavePicture.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
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

} // namespace

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
