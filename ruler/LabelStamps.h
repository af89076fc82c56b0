#pragma once

#include "framework/DibSurface.h"
#include "framework/PixelCanvas.h"

#include <windows.h>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// The guide lines' labels, each drawn once with GDI and then copied into the composed image:
// a relayout redraws every label, hundreds with many lines, and copying a label's few
// hundred bytes costs a small part of a DrawText. A label whose drawing reaches outside its
// text cell or lets the background show through is drawn with DrawText every time, so a copy
// is always exactly what DrawText would paint.
class CLabelStamps {
public:
    // Starts drawing into dc in its selected font, text colour and background; the labels
    // kept for another font or other colours are dropped. `canvas` is dc's own pixels, or
    // none where labels must go through GDI.
    void Begin(HDC dc, const std::optional<PixelCanvas>& canvas);
    // Draws `text` as DrawTextW(dc, text, -1, box, DT_SINGLELINE | DT_NOCLIP | align) does,
    // align being DT_CENTER or DT_RIGHT with DT_VCENTER or DT_BOTTOM.
    void Draw(const std::wstring& text, const RECT& box, UINT align);

private:
    // No pixels: the label is drawn with DrawText each time.
    struct Stamp {
        int32_t width = 0;
        int32_t height = 0;
        std::vector<uint8_t> pixels;
    };
    // What a stamp depends on besides its text.
    struct Look {
        LOGFONTW font = {};
        COLORREF text = 0;
        COLORREF back = 0;
        int mode = 0;
        UINT align = 0;
        bool operator==(const Look& other) const;
    };

    const Stamp& StampOf(const std::wstring& text);
    Stamp Render(const std::wstring& text);

    HDC m_dc = nullptr;
    std::optional<PixelCanvas> m_canvas;
    Look m_look;
    std::unordered_map<std::wstring, Stamp> m_stamps;
    DibSurface m_scratch;
};
