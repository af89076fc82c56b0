#pragma once

// Window-free rules of the screen copy and its settings: the captured rectangle,
// where the cursor image lands, the delay list, the offset steps, and how the
// settings map onto the ruler's options.

#include "ruler/RulerOptions.h"
#include "ruler/WindowRect.h"

#include <cstdint>
#include <string>
#include <vector>

// The screen rectangle a copy captures: the whole window with the scale bars,
// otherwise the inner area (the window deflated by the bar thickness). Empty
// when the window is no larger than the bars.
WindowRect CaptureRect(const WindowRect& window, bool includeScale, int32_t scaleSize);

struct CapturePoint {
    int32_t x = 0;
    int32_t y = 0;
};

// Top-left corner of the cursor image in the captured picture: the pointer moved
// by the user's offsets. The hot spot is deliberately not subtracted; the
// offsets are there to line the image up with the pointer.
CapturePoint CursorImageOrigin(CapturePoint pointer, int32_t offsetX, int32_t offsetY, const WindowRect& capture);

// The delays the Copy Setting dialog offers, in list order (milliseconds).
std::vector<int32_t> CopyTimerChoices();

// Index of the first choice equal to `timer`; 0 (the first entry) when none is,
// so a stored delay the list does not offer shows as the shortest one.
int TimerChoiceIndex(const std::vector<int32_t>& choices, int32_t timer);

// The list text of a delay: whole seconds through `secondsFormat` (one %d),
// fractions through `fractionFormat` (one %.1f), both from the string table.
std::wstring TimerChoiceText(int32_t timer, const std::wstring& secondsFormat, const std::wstring& fractionFormat);

// An offset edit after one up-down step: the step is subtracted (the control's
// default range runs backwards) and the result kept within the offset range.
int32_t SteppedOffset(int32_t value, int32_t step);

// What the Copy Setting dialog edits. The flags are 0 or 1, as check boxes give them.
struct CopySettings {
    int includeCursor = 0;
    int includeScale = 0;
    int showMessage = 0;
    int includeMeasure = 0;
    int32_t timer = 0;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
};

CopySettings CopySettingsOf(const RulerOptions& options);
// Sets or clears only the copy bits of Option and takes the delay and offsets.
void ApplyCopySettings(const CopySettings& settings, RulerOptions& options);

// The name "Save Picture" offers first: Mensuro-YYYYMMDD-HHMMSS.png at the given local time.
std::wstring DefaultPictureName(int year, int month, int day, int hour, int minute, int second);
