#include "measure/Calibration.h"

#include "measure/ScreenScale.h"
#include "profile/ProfileStore.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

const char kSection[] = "Calibration";

// Metres in one of each LengthUnit.
constexpr double kMetresPer[kLengthUnitCount] = {0.001, 0.01, kMetresPerInch};

// A Japanese input method types full-width digits and signs; they mean the same.
wchar_t Narrow(wchar_t c)
{
    if (c >= L'\uFF10' && c <= L'\uFF19') return static_cast<wchar_t>(L'0' + (c - L'\uFF10'));
    switch (c) {
    case L'\uFF0E': return L'.';
    case L'\uFF0C': return L',';
    case L'\uFF0D':
    case L'\u2212': return L'-';
    case L'\uFF0B': return L'+';
    case L'\u3000':
    case L'\t': return L' ';
    default: return c;
    }
}

// The text as a plain decimal number ("-12.5"), or empty when it is none.
std::string DecimalText(const std::wstring& typed)
{
    std::string text;
    for (wchar_t c : typed) {
        c = Narrow(c);
        if (c > 0x7F) return std::string();
        text += static_cast<char>(c);
    }
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    size_t at = text[0] == '-' || text[0] == '+' ? 1 : 0, digits = 0;
    bool separator = false;
    for (; at < text.size(); ++at) {
        char& c = text[at];
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
            c = '.';
        } else {
            return std::string();
        }
    }
    return digits ? text : std::string();
}

// Registry value names are narrow here; a device name is plain ASCII.
std::string KeyOf(const std::wstring& monitor)
{
    std::string key;
    for (wchar_t c : monitor) key += c > 0 && c < 0x80 ? static_cast<char>(c) : '?';
    return key;
}

} // namespace

bool IsValidCalibration(int64_t pixelsPerMetre)
{
    return pixelsPerMetre >= kMinPixelsPerMetre && pixelsPerMetre <= kMaxPixelsPerMetre;
}

const wchar_t* LengthUnitName(LengthUnit unit)
{
    static const wchar_t* const kNames[kLengthUnitCount] = {L"mm", L"cm", L"in"};
    const auto index = static_cast<int32_t>(unit);
    return index >= 0 && index < kLengthUnitCount ? kNames[index] : kNames[0];
}

Calibration CalibrationFromLength(const std::wstring& text, LengthUnit unit, int32_t innerWidth)
{
    if (text.find_first_not_of(L" \t\u3000") == std::wstring::npos) return {CalibrationError::Empty};
    const std::string number = DecimalText(text);
    if (number.empty()) return {CalibrationError::NotANumber};
    const double length = std::strtod(number.c_str(), nullptr);
    if (length == 0) return {CalibrationError::Zero};
    if (length < 0) return {CalibrationError::Negative};
    const auto index = static_cast<int32_t>(unit);
    const double metres = length * kMetresPer[index >= 0 && index < kLengthUnitCount ? index : 0];
    const double scale = std::round(innerWidth / metres);
    if (!IsPixelsPerMetre(scale)) return {CalibrationError::OutOfRange};
    return {CalibrationError::None, static_cast<int32_t>(scale)};
}

int32_t ReadCalibration(ProfileStore& store, const std::wstring& monitor)
{
    const int32_t stored = store.ReadInt(kSection, KeyOf(monitor).c_str(), 0);
    return IsValidCalibration(stored) ? stored : 0;
}

bool WriteCalibration(ProfileStore& store, const std::wstring& monitor, int32_t pixelsPerMetre)
{
    return IsValidCalibration(pixelsPerMetre) && store.WriteInt(kSection, KeyOf(monitor).c_str(), pixelsPerMetre);
}

bool ForgetCalibration(ProfileStore& store, const std::wstring& monitor)
{
    return store.WriteInt(kSection, KeyOf(monitor).c_str(), 0);
}
