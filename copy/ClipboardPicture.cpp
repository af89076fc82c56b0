#include "copy/ClipboardPicture.h"

#include "copy/OpenedClipboard.h"
#include "copy/PictureEncoder.h"

#include <cstring>
#include <utility>

namespace {

// The window property that leads from the owner to its picture.
constexpr wchar_t kProperty[] = L"Mensuro.ClipboardPicture";

// A copy of a block: the clipboard owns the one it takes, and the promise needs the
// picture unchanged.
HGLOBAL CopyOf(HGLOBAL block)
{
    const SIZE_T size = GlobalSize(block);
    const void* from = size ? GlobalLock(block) : nullptr;
    if (!from) return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    void* to = copy ? GlobalLock(copy) : nullptr;
    if (to) {
        std::memcpy(to, from, size);
        GlobalUnlock(copy);
    } else if (copy) {
        GlobalFree(copy);
        copy = nullptr;
    }
    GlobalUnlock(block);
    return copy;
}

} // namespace

void CClipboardPicture::Attach(HWND owner)
{
    Detach();
    if (owner && SetPropW(owner, kProperty, this)) m_owner = owner;
}

void CClipboardPicture::Detach()
{
    if (m_owner && IsWindow(m_owner)) RemovePropW(m_owner, kProperty);
    m_owner = nullptr;
}

CClipboardPicture* CClipboardPicture::Of(HWND owner)
{
    return owner ? static_cast<CClipboardPicture*>(GetPropW(owner, kProperty)) : nullptr;
}

bool CClipboardPicture::Put(HGLOBAL dib, std::unique_ptr<CCaptureSurface> surface)
{
    if (surface && !surface->DC()) surface.reset();
    GlobalBlock picture(dib), kept(dib && !surface ? CopyOf(dib) : nullptr);
    // Emptying tells the last owner, maybe this one, that its promise is void.
    if (!picture.get() || !EmptyClipboard() || !SetClipboardData(CF_DIB, picture.get())) return false;
    // Once SetClipboardData succeeds the clipboard owns the block.
    picture.release();
    // Without the copy, or refused, the DIB alone is still a copy: programs that take
    // pictures all read it.
    if (!kept.get() && !surface) return true;
    // A promise returns no handle, success or not: whether the format is there tells.
    SetClipboardData(PngClipboardFormat(), nullptr);
    if (!IsClipboardFormatAvailable(PngClipboardFormat())) return true;
    m_pending.reset(kept.release());
    m_pendingSurface = std::move(surface);
    return true;
}

void CClipboardPicture::Forget()
{
    m_pending.reset();
    m_pendingSurface.reset();
}

void CClipboardPicture::Render()
{
    if (!m_pending.get() && !m_pendingSurface) return;
    GlobalBlock png(m_pendingSurface ? EncodePng(*m_pendingSurface) : EncodePng(m_pending.get()));
    if (png.get() && SetClipboardData(PngClipboardFormat(), png.get())) png.release();
    // Rendered or not, the promise is over: a failed encode fails the same way again.
    Forget();
}

bool CClipboardPicture::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case WM_RENDERFORMAT:
        // The asking program holds the clipboard open.
        if (static_cast<UINT>(wParam) != PngClipboardFormat()) return false;
        Render();
        break;
    case WM_RENDERALLFORMATS: {
        // The owner goes: the promise is kept now, while the clipboard still holds our picture.
        const OpenedClipboard clipboard(m_owner);
        if (clipboard.IsOpen() && GetClipboardOwner() == m_owner) Render();
        break;
    }
    case WM_DESTROYCLIPBOARD: Forget(); break;
    default: return false;
    }
    result = 0;
    return true;
}
