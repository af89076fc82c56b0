#pragma once

#include "copy/CaptureSurface.h"
#include "framework/Handles.h"

#include <windows.h>

#include <memory>

// The PNG of the picture the ruler put on the clipboard, rendered only when asked for.
// Encoding costs several times the grab itself, and most pastes read the bitmap, so the
// clipboard gets the bitmap at once and only the promise of the PNG; the picture behind the
// promise is kept here, unchanged, until a program asks for the PNG (WM_RENDERFORMAT), the
// ruler ends (WM_RENDERALLFORMATS: a paste after Exit still finds it), or another program
// takes the clipboard (WM_DESTROYCLIPBOARD). The window it is attached to is the clipboard's
// owner and hands it these messages.
class CClipboardPicture {
public:
    CClipboardPicture() = default;
    ~CClipboardPicture() { Detach(); }
    CClipboardPicture(const CClipboardPicture&) = delete;
    CClipboardPicture& operator=(const CClipboardPicture&) = delete;

    // From now on pictures put on the clipboard for `owner` come with their PNG promised.
    void Attach(HWND owner);
    void Detach();
    // The one attached to `owner`; null when none is.
    static CClipboardPicture* Of(HWND owner);

    // On the clipboard, opened by the owner: replaces everything with the packed DIB and
    // promises its PNG. Takes the block whatever the outcome; true when the clipboard took
    // the DIB. The PNG is made from `surface`, which holds the same picture, when given;
    // otherwise from a copy of the block, as the clipboard owns the block itself.
    bool Put(HGLOBAL dib, std::unique_ptr<CCaptureSurface> surface = nullptr);
    // The clipboard's messages to its owner; true when taken.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    // Sets the PNG of the kept picture on the open clipboard; the promise is then kept.
    void Render();
    void Forget();

    HWND m_owner = nullptr;
    // The picture whose PNG is promised: one of the two, or neither when nothing is.
    GlobalBlock m_pending{nullptr};
    std::unique_ptr<CCaptureSurface> m_pendingSurface;
};
