#pragma once

// One monitor's overlay of the Measure mode: a topmost popup over the whole monitor that
// shows the frozen frame and what the mode draws on it, and takes every key and click
// there. It owns its window, its font at the monitor's scale and two surfaces: the base
// (the frozen frame with the pins, redrawn from the client's frame only when the pins change) and the back buffer
// that each paint fills strip by strip. What it shows and what the input means belong to
// its client, the mode.

#include "framework/DibSurface.h"
#include "framework/GdiHolders.h"
#include "framework/MessageTable.h"
#include "framework/Window.h"
#include "ruler/WindowRect.h"

#include <windows.h>

#include <string>

class MeasureOverlayClient {
public:
    // A mouse message, WM_MOUSEWHEEL, WM_KEYDOWN / WM_SYSKEYDOWN / WM_KEYUP, with the
    // pointer in screen pixels.
    virtual void OnOverlayInput(UINT message, WPARAM wParam, POINT screen) = 0;
    // The displays or their scale changed: the frozen frame no longer matches them.
    virtual void OnOverlayStale() = 0;
    // Draws the pins onto the base (the frozen frame already there), the monitor's
    // top-left pixel at (0, 0) of `dc`.
    virtual void DrawBase(HDC dc, const WindowRect& monitor, int32_t dpi) const = 0;
    // Draws the live measurement, and with `decorations` the hint and the magnifier.
    virtual void DrawLive(HDC dc, const WindowRect& monitor, int32_t dpi, bool decorations) const = 0;

protected:
    ~MeasureOverlayClient() = default;
};

class CMeasureOverlay : public CWindow {
public:
    CMeasureOverlay(MeasureOverlayClient& client, const WindowRect& monitor, int32_t dpi);
    ~CMeasureOverlay() override;

    // Creates the window over the monitor, owned by `owner`, its base copied from `frame`
    // (whose top-left pixel lies at screen (frameLeft, frameTop)), which stays the client's
    // until Close; hidden until Show.
    bool Open(HWND owner, HDC frame, int32_t frameLeft, int32_t frameTop);
    // Shows the window and paints it whole at once.
    void Show();
    // Destroys the window and lets go of the surfaces; safe inside the window's own messages.
    void Close();

    const WindowRect& Monitor() const { return m_monitor; }
    int32_t Dpi() const { return m_dpi; }
    // Redraws the pins onto a fresh copy of the frame (none while there are no pins: the
    // frame itself is the base then), and repaints the whole monitor.
    void RebuildBase(bool pins);
    // Marks a screen rectangle to repaint (the part on this monitor).
    void Invalidate(const WindowRect& screen);
    // The size of a text in the overlay's font.
    SIZE TextSize(const std::wstring& text) const;
    // The monitor as shown, without the hint and the magnifier: a packed CF_DIB owned by
    // the caller, null when it cannot be made.
    HGLOBAL Picture();

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnInput(WPARAM, LPARAM);
    LRESULT OnWheel(WPARAM, LPARAM);
    LRESULT OnStale(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnMouseActivate(WPARAM, LPARAM);
    // Base and live drawing into the back buffer for one client rectangle.
    void Compose(const RECT& clip, bool decorations);
    // Copies the base's part at `clip` to the same place of `dc`.
    void CopyBase(HDC dc, const RECT& clip) const;

    static const MessageEntry<CMeasureOverlay> s_messages[];

    MeasureOverlayClient& m_client;
    WindowRect m_monitor;
    int32_t m_dpi;
    GdiObject<HFONT> m_font;
    HDC m_frame = nullptr; // the frozen frame, the client's
    POINT m_frameAt = {};   // this monitor's top-left pixel in it
    DibSurface m_base; // the frame with the pins; empty while there are none
    DibSurface m_back;
};
