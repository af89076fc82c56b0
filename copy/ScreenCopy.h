#pragma once

#include "copy/PictureContent.h"
#include "ruler/RulerModel.h"
#include "ruler/WindowRect.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class CScreenPicture;

// A packed CF_DIB (header, then bottom-up 24-bit rows) of what the screen shows
// in `area`, with the current cursor image drawn at the pointer moved by the
// offsets when `withCursor` is set. Null when no surface or block can be made;
// the caller owns the block.
HGLOBAL CaptureDib(const WindowRect& area, bool withCursor, int32_t offsetX, int32_t offsetY);

// What the ruler's copy shows with its options: the copy rectangle of the window (screen
// coordinates), the cursor, and the dimension bands of the guide lines in the ruler's unit;
// `thickness` is the bars' thickness on the ruler's screen.
PictureContent RulerPictureContent(const WindowRect& window, const RulerModel& model, int32_t thickness,
                                   const LOGFONTW& font);

// Empties the clipboard, which the caller holds open, and hands the blocks over: the
// CF_DIB, and beside it the same picture as "PNG" when `png` is given. True only when
// the clipboard took the DIB; a block it did not take is freed here, so a refused
// hand-over neither leaks nor passes for a copy.
bool HandDibToClipboard(HGLOBAL block, HGLOBAL png = nullptr);

// Puts the picture on the clipboard as CF_DIB and "PNG". False when the rectangle is
// empty, the picture cannot be made or the clipboard stays held by another program
// (the clipboard then keeps what it had), or when the emptied clipboard refuses the DIB.
bool CaptureToClipboard(HWND ruler, CScreenPicture& picture, const PictureContent& content);

// Tells the user how the copy went, when the options ask for a message.
void ReportCopyResult(HWND ruler, const RulerOptions& options, bool success);
