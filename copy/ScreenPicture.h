#pragma once

#include "copy/PictureContent.h"

#include <windows.h>

#include <string>

// The pictures "Copy" and "Save Picture..." take, and what the ruler keeps between
// one and the next: the surface the screen is copied into (made again only when the
// picture's size changes, so a copy does not pay for fresh memory twice) and the
// folder a picture was last saved to, for this run of the program.
class CScreenPicture {
public:
    CScreenPicture() = default;
    ~CScreenPicture();
    CScreenPicture(const CScreenPicture&) = delete;
    CScreenPicture& operator=(const CScreenPicture&) = delete;

    // A new packed CF_DIB (header, then bottom-up 24-bit rows) of the content, owned by
    // the caller; null when the screen cannot be read or no memory is left.
    HGLOBAL Take(const PictureContent& content);

    const std::wstring& LastFolder() const { return m_lastFolder; }
    void SetLastFolder(const std::wstring& folder) { m_lastFolder = folder; }
    // Set while the Save dialog is open: a second save then waits for the first.
    bool m_saving = false;

private:
    bool PrepareSurface(int width, int height);
    void ReleaseSurface();

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
    std::wstring m_lastFolder;
};
