#pragma once

// The file types a picture is saved as, chosen by the file's extension (any case):
//   .png          PNG (also what the clipboard's "PNG" holds)
//   .bmp          BMP
//   .jpg, .jpeg   JPEG
//   .tif, .tiff   TIFF
// "Save Picture..." offers them in this order; /save FILE takes the type FILE names and
// refuses any other. Window-free, so the native build tests it.

#include <optional>
#include <string>

enum class PictureFormat { Png, Bmp, Jpeg, Tiff };

constexpr int kPictureFormatCount = 4;

// The extension of the file's name, with its dot (".gif"); empty when the name has none
// (a dot in a folder's name is not one, nor a name's leading dot).
std::wstring ExtensionOf(const std::wstring& path);

// The type a file's extension names; none for any other extension, and for none.
std::optional<PictureFormat> PictureFormatOf(const std::wstring& path);

// The type's first extension (".png", ".bmp", ".jpg", ".tif") and the dialog's pattern
// ("*.jpg;*.jpeg").
const wchar_t* DefaultExtension(PictureFormat format);
const wchar_t* FilterPattern(PictureFormat format);

// The file a picture chosen in the dialog goes to: the name as typed when its extension
// names a type, else the name with the extension of `chosen` (the dialog's type) added,
// so that no picture passes under another type's name.
std::wstring WithPictureExtension(const std::wstring& path, PictureFormat chosen);
