// "Copy": after the delay, the screen under the ruler goes onto the clipboard.
#include "copy/ScreenCopy.h"

#include "copy/ClipboardPicture.h"
#include "copy/CopyRules.h"
#include "copy/OpenedClipboard.h"
#include "copy/SavePicture.h"
#include "copy/ScreenPicture.h"
#include "framework/Handles.h"
#include "framework/StringMessageBox.h"
#include "resources/resource.h"
#include "ruler/Win32Rect.h"
#include "ruler/scalebar/ScaleBarStyle.h"

#include <algorithm>
#include <utility>


HGLOBAL CaptureDib(const WindowRect& area, bool withCursor, int32_t offsetX, int32_t offsetY)
{
    PictureContent content;
    content.area = area;
    content.withCursor = withCursor;
    content.offsetX = offsetX;
    content.offsetY = offsetY;
    CScreenPicture picture;
    return picture.Take(content);
}

PictureContent RulerPictureContent(const WindowRect& window, const RulerModel& model, int32_t thickness,
                                   const LOGFONTW& font)
{
    const RulerOptions& options = model.options;
    const bool withScale = (options.Option & OptCopyScale) != 0;
    PictureContent content;
    content.area = CaptureRect(window, withScale, thickness);
    content.withCursor = (options.Option & OptCopyCursor) != 0;
    content.offsetX = options.CopyOffsetX;
    content.offsetY = options.CopyOffsetY;
    if (options.Option & OptCopyMeasure) {
        content.band = thickness;
        content.origin = withScale ? thickness : 0;
        content.innerWidth = window.Width() - 2 * thickness;
        content.innerHeight = window.Height() - 2 * thickness;
        content.linesX = model.lines.X();
        content.linesY = model.lines.Y();
        content.alongX = model.Axis(content.innerWidth);
        content.alongY = model.Axis(content.innerHeight);
        content.markColour = AsRgb(options.LineTextColor);
        content.font = font;
    }
    return content;
}

bool HandDibToClipboard(HWND owner, HGLOBAL block, std::unique_ptr<CCaptureSurface> surface)
{
    GlobalBlock dib(block);
    if (!dib.get()) return false;
    const OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen()) return false;
    if (CClipboardPicture* picture = CClipboardPicture::Of(owner)) return picture->Put(dib.release(), std::move(surface));
    // Once SetClipboardData succeeds the clipboard owns the block.
    if (!EmptyClipboard() || !SetClipboardData(CF_DIB, dib.get())) return false;
    dib.release();
    return true;
}

bool CaptureToClipboard(HWND ruler, CScreenPicture& picture, const PictureContent& content)
{
    if (content.area.IsEmpty()) return false;
    std::unique_ptr<CCaptureSurface> surface;
    const HGLOBAL block = picture.Take(content, &surface);
    return HandDibToClipboard(ruler, block, std::move(surface));
}

void ReportCopyResult(HWND ruler, const RulerOptions& options, bool success)
{
    if (!(options.Option & OptCopyMessage)) return;
    if (success)
        StringMessageBox(ruler, IDS_COPY_DONE, MB_OK | MB_ICONINFORMATION);
    else
        StringMessageBox(ruler, IDS_COPY_FAILED, MB_OK | MB_ICONEXCLAMATION);
}
