#pragma once

#include "ruler/RulerOptions.h"
#include "ruler/WindowRect.h"

#include <windows.h>

#include <cstdint>

// The copy delay's timer on the ruler window (the window has no other timer).
constexpr UINT_PTR kCopyTimerId = 1;

// Starts the delay before the capture, or starts it again: two "Copy" commands
// within one delay give one capture, a full delay after the second.
void StartCopy(HWND ruler, int32_t delayMs);

// A packed CF_DIB (header, then bottom-up 24-bit rows) of what the screen shows
// in `area`, with the current cursor image drawn at the pointer moved by the
// offsets when `withCursor` is set. Null when no surface or block can be made;
// the caller owns the block.
HGLOBAL CaptureDib(const WindowRect& area, bool withCursor, int32_t offsetX, int32_t offsetY);

// Empties the clipboard, which the caller holds open, and hands the block over.
// True only when the clipboard took it; otherwise the block is freed here, so a
// refused hand-over neither leaks nor passes for a copy.
bool HandDibToClipboard(HGLOBAL block);

// Puts the ruler's copy rectangle on the clipboard as the only format, CF_DIB.
// False when the rectangle is empty, the clipboard is held by another program,
// or the picture cannot be made or handed over; the clipboard then keeps what
// it had.
bool CaptureToClipboard(HWND ruler, const RulerOptions& options, int32_t thickness);

// Tells the user how the copy went, when the options ask for a message.
void ReportCopyResult(HWND ruler, const RulerOptions& options, bool success);
