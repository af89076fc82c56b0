#pragma once

#include "framework/DibSurface.h"
#include "framework/GdiHolders.h"
#include "framework/MessageTable.h"
#include "framework/Window.h"
#include "measure/LoupeModel.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The loupe: a small window beside the pointer with the pixels around it magnified,
// the pointer's position in ruler coordinates (in the ruler's unit) and the colour under it. It never takes
// focus or clicks and never lies over the pixels it reads, so it never shows itself.
// Its window text is the readout line, for screen readers.
class CLoupeWnd : public CWindow {
public:
    // Where the ruler's inner area starts on the screen and its unit along each side; asked
    // at every update, so the readout follows the ruler when it moves or changes its unit.
    struct InnerArea {
        POINT origin = {0, 0};
        UnitAxis alongX;
        UnitAxis alongY;
    };
    using InnerAreaSource = std::function<InnerArea()>;
    explicit CLoupeWnd(InnerAreaSource innerArea);
    ~CLoupeWnd() override;

    // Shows the loupe at the pointer, owned by `owner` so it stays above it.
    bool Show(HWND owner, int32_t zoom);
    void Hide();
    // True while shown, and while put aside for a grab of the screen.
    bool IsShown() const;
    // Puts the loupe aside while the screen is read for a picture, and back afterwards,
    // where and as it was.
    void PutAside(bool aside);
    int32_t Zoom() const { return m_zoom; }
    // One zoom step up (direction > 0) or down.
    void StepZoom(int direction);
    // A frozen loupe keeps its image, readout and place until it is unfrozen.
    void ToggleFrozen();
    bool IsFrozen() const { return m_frozen; }
    // Puts the colour under the pointer on the clipboard as text ("#00C000"). False when
    // the clipboard stays held by another program or refuses the text: the caller reports
    // it as a copy's result (ReportCopyResult).
    bool CopyColor(HWND owner) const;
    // One full update at a screen point: grab, magnify, readout, show.
    void Update(POINT pointer);
    const std::wstring& Readout() const { return m_readout; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnMouseActivate(WPARAM, LPARAM);
    LRESULT OnDisplayChange(WPARAM, LPARAM);

    bool Create(HWND owner);
    // Follows the pointer: a full update when it moved, otherwise a fresh grab a few
    // times a second, drawn only when the screen or the ruler's place changed.
    void Tick();
    // Size and font at the scale of the monitor under the pointer.
    void FitToMonitorAt(POINT pointer);
    // Reads the pixels around the pointer; true when they differ from the last ones.
    bool Grab(POINT pointer);
    void Compose();
    // The strip below the image; drawn only when its text or the frozen state changes.
    void DrawReadout(HDC dc);
    void Present();

    static const MessageEntry<CLoupeWnd> s_messages[];

    InnerAreaSource m_innerArea;
    int32_t m_zoom = 8;
    bool m_frozen = false;
    bool m_aside = false;
    // The monitor under the pointer (empty until asked), its work area and every monitor.
    WindowRect m_monitorRect;
    WindowRect m_workArea;
    std::vector<WindowRect> m_monitors;
    int32_t m_dpi = 0;
    LoupeSize m_size;
    std::unique_ptr<GdiObject<HFONT>> m_font;
    DibSurface m_block; // the screen pixels around the pointer
    DibSurface m_image; // the whole client area, shown as it is
    std::vector<uint32_t> m_lastBlock;
    POINT m_pointer = {INT32_MIN, INT32_MIN};
    InnerArea m_inner;
    DWORD m_grabbedAt = 0;
    DWORD m_lastInput = 0; // GetLastInputInfo's time at the last tick
    uint32_t m_color = 0; // COLORREF under the pointer
    std::wstring m_readout;
    bool m_stripFrozen = false; // the state the strip was drawn for
    WindowRect m_placed;
};
