#pragma once

#include <windows.h>

#include <cstring>
#include <string>

// The picture size a PNG file's header gives; 0 x 0 for a missing file or one that is no PNG.
inline SIZE PngFileSize(const std::wstring& path)
{
    unsigned char head[24] = {};
    DWORD read = 0;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {0, 0};
    const bool whole = ReadFile(file, head, sizeof(head), &read, nullptr) && read == sizeof(head);
    CloseHandle(file);
    const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!whole || std::memcmp(head, signature, 8) != 0 || std::memcmp(head + 12, "IHDR", 4) != 0) return {0, 0};
    auto bigEndian = [&](int at) {
        return static_cast<LONG>(head[at] << 24 | head[at + 1] << 16 | head[at + 2] << 8 | head[at + 3]);
    };
    return {bigEndian(16), bigEndian(20)};
}
