#pragma once

#include "copy/PictureContent.h"

#include <windows.h>

#include <string>

class CScreenPicture;

// "Save Picture...", once its delay has passed: takes the picture first (so the dialog
// is not in it), asks for a file in the system's Save dialog, which offers PNG, BMP, JPEG
// and TIFF, and writes the picture there in the type the name's extension names (a name
// with another ending gets the extension of the type chosen in the list). A picture that
// cannot be taken or written, or a dialog that fails, is reported in a message box; a
// cancelled dialog writes nothing.
void SavePicture(HWND owner, CScreenPicture& picture, const PictureContent& content);
// The same for a picture already taken (a packed CF_DIB, which it frees): the dialog, the
// write and the messages as above; a null block is reported as a picture not taken.
void SaveDibPicture(HWND owner, CScreenPicture& picture, HGLOBAL dib);

// The command line's save: takes the picture and writes it to `path` without asking, in
// the type its extension names, as "Save Picture..." writes it. Says nothing; false when
// the picture could not be taken or written (or `path` names no picture type), with
// `error` saying why: a system error code or an HRESULT.
bool SavePictureTo(const std::wstring& path, CScreenPicture& picture, const PictureContent& content, DWORD& error);

// A packed CF_DIB written to `path` in the type its extension names; false with `error`
// as above when it names none or the picture could not be written.
bool WritePictureFile(const std::wstring& path, HGLOBAL dib, DWORD& error);

// Tells the user that a picture could not be saved, naming the file (when there is one)
// and the system's reason for `error` (when it is not 0).
void ReportSaveFailure(HWND owner, const std::wstring& path, DWORD error);

// Writes the first `size` bytes of a global block as the whole file at `path`. They go
// to a new file in the same folder first, which takes the place of any file at `path`
// only once it is whole: a failed write leaves that file as it was, and nothing new.
// `error`, when given, says why a write failed.
bool WriteBlockToFile(const std::wstring& path, HGLOBAL block, SIZE_T size, DWORD* error = nullptr);
