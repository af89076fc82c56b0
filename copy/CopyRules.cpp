#include "copy/CopyRules.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

WindowRect CaptureRect(const WindowRect& window, bool includeScale, int32_t scaleSize)
{
    return includeScale ? window : window.Deflated(scaleSize);
}

CapturePoint CursorImageOrigin(CapturePoint pointer, int32_t offsetX, int32_t offsetY, const WindowRect& capture)
{
    return {pointer.x + offsetX - capture.left, pointer.y + offsetY - capture.top};
}

std::vector<int32_t> CopyTimerChoices()
{
    std::vector<int32_t> choices = {100, 500};
    for (int32_t seconds = 1; seconds <= 10; ++seconds) choices.push_back(1000 * seconds);
    for (int32_t seconds : {15, 20, 30}) choices.push_back(1000 * seconds);
    return choices;
}

int TimerChoiceIndex(const std::vector<int32_t>& choices, int32_t timer)
{
    const auto found = std::find(choices.begin(), choices.end(), timer);
    return found == choices.end() ? 0 : static_cast<int>(found - choices.begin());
}

namespace {

// Puts `number` where the format's conversion is. The formats come from the
// string table, so they are spliced rather than handed to printf.
std::wstring Splice(const std::wstring& format, const wchar_t* conversion, const std::wstring& number)
{
    std::wstring text = format;
    const size_t at = text.find(conversion);
    if (at == std::wstring::npos) return number;
    return text.replace(at, std::wcslen(conversion), number);
}

} // namespace

std::wstring TimerChoiceText(int32_t timer, const std::wstring& secondsFormat, const std::wstring& fractionFormat)
{
    if (timer % 1000 == 0) return Splice(secondsFormat, L"%d", std::to_wstring(timer / 1000));
    const int32_t tenths = (timer + 50) / 100;
    return Splice(fractionFormat, L"%.1f", std::to_wstring(tenths / 10) + L"." + std::to_wstring(tenths % 10));
}

int32_t SteppedOffset(int32_t value, int32_t step)
{
    // 64 bits: a step near the int range must not wrap before the clamp.
    const int64_t stepped = int64_t{value} - step;
    return static_cast<int32_t>(std::clamp<int64_t>(stepped, -MaxCopyOffset, MaxCopyOffset));
}

CopySettings CopySettingsOf(const RulerOptions& options)
{
    CopySettings settings;
    settings.includeCursor = (options.Option & OptCopyCursor) ? 1 : 0;
    settings.includeScale = (options.Option & OptCopyScale) ? 1 : 0;
    settings.showMessage = (options.Option & OptCopyMessage) ? 1 : 0;
    settings.includeMeasure = (options.Option & OptCopyMeasure) ? 1 : 0;
    settings.timer = options.CopyTimer;
    settings.offsetX = options.CopyOffsetX;
    settings.offsetY = options.CopyOffsetY;
    return settings;
}

void ApplyCopySettings(const CopySettings& settings, RulerOptions& options)
{
    options.CopyTimer = settings.timer;
    SetOptionBit(options.Option, OptCopyCursor, settings.includeCursor != 0);
    SetOptionBit(options.Option, OptCopyScale, settings.includeScale != 0);
    SetOptionBit(options.Option, OptCopyMessage, settings.showMessage != 0);
    SetOptionBit(options.Option, OptCopyMeasure, settings.includeMeasure != 0);
    options.CopyOffsetY = settings.offsetY;
    options.CopyOffsetX = settings.offsetX;
}

std::wstring DefaultPictureName(int year, int month, int day, int hour, int minute, int second)
{
    wchar_t name[64];
    std::swprintf(name, 64, L"Mensuro-%04d%02d%02d-%02d%02d%02d.png", year, month, day, hour, minute, second);
    return name;
}
