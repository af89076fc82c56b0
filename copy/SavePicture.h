#pragma once

#include "copy/PictureContent.h"

#include <windows.h>

#include <string>

class CScreenPicture;

// "Save Picture...", once its delay has passed: takes the picture first (so the dialog
// is not in it), asks for a file in the system's Save dialog, and writes the picture
// there as PNG (".png" added to a name typed with another ending). A picture that
// cannot be taken or written, or a dialog that fails, is reported in a message box; a
// cancelled dialog writes nothing.
void SavePicture(HWND owner, CScreenPicture& picture, const PictureContent& content);

// The command line's save: takes the picture and writes it as PNG to `path` without
// asking, as "Save Picture..." writes it. Says nothing; false when the picture could not
// be taken or written.
bool SavePictureTo(const std::wstring& path, CScreenPicture& picture, const PictureContent& content);

// Tells the user that a picture could not be saved.
void ReportSaveFailure(HWND owner);

// Writes the first `size` bytes of a global block as the whole file at `path`. They go
// to a new file in the same folder first, which takes the place of any file at `path`
// only once it is whole: a failed write leaves that file as it was, and nothing new.
bool WriteBlockToFile(const std::wstring& path, HGLOBAL block, SIZE_T size);
