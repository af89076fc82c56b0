#pragma once

#include "copy/CaptureSurface.h"
#include "copy/PictureContent.h"
#include "ruler/RulerModel.h"
#include "ruler/WindowRect.h"

#include <windows.h>

#include <cstdint>
#include <memory>
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

// The one way a picture goes onto the clipboard: opens it for `owner`, empties it and hands
// over the packed CF_DIB at once; beside it the "PNG" is promised and encoded only when a
// program asks for it, when `owner` has a CClipboardPicture attached (the ruler's window),
// which answers for it. Takes the block whatever the outcome. True only when the clipboard
// took the DIB: a clipboard held by another program (it keeps what it had) or one that
// refuses the DIB is a failure, and the block is freed, so a refused hand-over neither leaks
// nor passes for a copy. `surface`, when given, holds the same picture: the promise encodes
// from it instead of keeping a copy of the block.
bool HandDibToClipboard(HWND owner, HGLOBAL block, std::unique_ptr<CCaptureSurface> surface = nullptr);

// Puts the picture on the clipboard through HandDibToClipboard. False when the rectangle is
// empty, the picture cannot be made, or the hand-over fails.
bool CaptureToClipboard(HWND ruler, CScreenPicture& picture, const PictureContent& content);

// Tells the user how the copy went, when the options ask for a message.
void ReportCopyResult(HWND ruler, const RulerOptions& options, bool success);
