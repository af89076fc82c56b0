#include "copy/PictureFormat.h"

namespace {

struct FormatNames {
    PictureFormat format;
    const wchar_t* extensions[2]; // the first is the one added to a name
    const wchar_t* pattern;
};

constexpr FormatNames kFormats[kPictureFormatCount] = {
    {PictureFormat::Png, {L".png", nullptr}, L"*.png"},
    {PictureFormat::Bmp, {L".bmp", nullptr}, L"*.bmp"},
    {PictureFormat::Jpeg, {L".jpg", L".jpeg"}, L"*.jpg;*.jpeg"},
    {PictureFormat::Tiff, {L".tif", L".tiff"}, L"*.tif;*.tiff"},
};

bool SameIgnoringAsciiCase(const std::wstring& a, const wchar_t* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        const wchar_t c = a[i] >= L'A' && a[i] <= L'Z' ? static_cast<wchar_t>(a[i] - L'A' + L'a') : a[i];
        if (c != b[i]) return false;
    }
    return i == a.size() && !b[i];
}

const FormatNames& NamesOf(PictureFormat format)
{
    for (const FormatNames& names : kFormats)
        if (names.format == format) return names;
    return kFormats[0];
}

} // namespace

std::wstring ExtensionOf(const std::wstring& path)
{
    const size_t nameStart = path.find_last_of(L"\\/:");
    const size_t start = nameStart == std::wstring::npos ? 0 : nameStart + 1;
    const size_t dot = path.find_last_of(L'.');
    if (dot == std::wstring::npos || dot <= start) return std::wstring();
    return path.substr(dot);
}

std::optional<PictureFormat> PictureFormatOf(const std::wstring& path)
{
    const std::wstring extension = ExtensionOf(path);
    for (const FormatNames& names : kFormats)
        for (const wchar_t* known : names.extensions)
            if (known && SameIgnoringAsciiCase(extension, known)) return names.format;
    return std::nullopt;
}

const wchar_t* DefaultExtension(PictureFormat format)
{
    return NamesOf(format).extensions[0];
}

const wchar_t* FilterPattern(PictureFormat format)
{
    return NamesOf(format).pattern;
}

std::wstring WithPictureExtension(const std::wstring& path, PictureFormat chosen)
{
    return PictureFormatOf(path) ? path : path + DefaultExtension(chosen);
}
