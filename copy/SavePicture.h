#pragma once

#include "copy/PictureContent.h"

#include <windows.h>

#include <string>

class CScreenPicture;

// "Save Picture...", once its delay has passed: takes the picture first (so the dialog
// is not in it), asks for a file in the system's Save dialog, and writes the picture
// there as PNG. A picture that cannot be taken or written is reported in a message box;
// a cancelled dialog writes nothing.
void SavePicture(HWND owner, CScreenPicture& picture, const PictureContent& content);

// Writes a global block's bytes as the whole file at `path`; a file that could not be
// written completely is removed again.
bool WriteBlockToFile(const std::wstring& path, HGLOBAL block);
