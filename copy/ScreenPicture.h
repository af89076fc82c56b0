#pragma once

#include "copy/PictureContent.h"

#include <windows.h>

#include <memory>
#include <string>

class CCaptureSurface;

// The pictures "Copy" and "Save Picture..." take, and what the ruler keeps between one
// save and the next: the folder a picture was last saved to, for this run of the program.
class CScreenPicture {
public:
    // A new packed CF_DIB (header, then bottom-up 24-bit rows) of the content, owned by
    // the caller; null when the screen cannot be read or no memory is left. With `kept`,
    // the surface the picture was made on goes there too: it holds the same picture.
    HGLOBAL Take(const PictureContent& content, std::unique_ptr<CCaptureSurface>* kept = nullptr);

    const std::wstring& LastFolder() const { return m_lastFolder; }
    void SetLastFolder(const std::wstring& folder) { m_lastFolder = folder; }
    // Set while the Save dialog is open: a second save then waits for the first.
    bool m_saving = false;

private:
    std::wstring m_lastFolder;
};
