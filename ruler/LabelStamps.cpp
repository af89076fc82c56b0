#include "ruler/LabelStamps.h"

#include "framework/GdiHolders.h"
#include "framework/TextPlacement.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

// Labels come and go as lines are dragged; past this many the kept ones start over.
constexpr size_t kMaxStamps = 4096;

// Whether every pixel of the w x h corner of `pixels` outside the cell is `ground`.
bool OnlyCellPainted(const PixelCanvas& pixels, int32_t w, int32_t h, const RECT& cell, uint8_t ground)
{
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* row = pixels.Row(y);
        for (int32_t x = 0; x < w; ++x) {
            if (y >= cell.top && y < cell.bottom && x >= cell.left && x < cell.right) continue;
            if (row[x * 3] != ground || row[x * 3 + 1] != ground || row[x * 3 + 2] != ground) return false;
        }
    }
    return true;
}

} // namespace

bool CLabelStamps::Look::operator==(const Look& other) const
{
    return std::memcmp(&font, &other.font, offsetof(LOGFONTW, lfFaceName)) == 0 &&
           std::wcsncmp(font.lfFaceName, other.font.lfFaceName, LF_FACESIZE) == 0 && text == other.text &&
           back == other.back && mode == other.mode && align == other.align;
}

void CLabelStamps::Begin(HDC dc, const std::optional<PixelCanvas>& canvas)
{
    m_dc = dc;
    m_canvas.reset();
    Look look;
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    if (!font || !GetObjectW(font, sizeof(look.font), &look.font)) return;
    look.text = GetTextColor(dc);
    look.back = GetBkColor(dc);
    look.mode = GetBkMode(dc);
    look.align = GetTextAlign(dc);
    // Copies are placed as DrawText places text aligned top-left at its origin.
    if (look.align == (TA_LEFT | TA_TOP | TA_NOUPDATECP)) m_canvas = canvas;
    if (!(look == m_look)) {
        m_stamps.clear();
        m_look = look;
    }
}

void CLabelStamps::Draw(const std::wstring& text, const RECT& box, UINT align)
{
    if (m_canvas) {
        const Stamp& stamp = StampOf(text);
        if (!stamp.pixels.empty()) {
            const TextAcross across = (align & DT_CENTER)  ? TextAcross::Centre
                                      : (align & DT_RIGHT) ? TextAcross::Right
                                                           : TextAcross::Left;
            const TextDown down = (align & DT_VCENTER)  ? TextDown::Centre
                                  : (align & DT_BOTTOM) ? TextDown::Bottom
                                                        : TextDown::Top;
            const TextOrigin at =
                SingleLineOrigin(box.left, box.top, box.right, box.bottom, stamp.width, stamp.height, across, down);
            m_canvas->Stamp(stamp.pixels.data(), stamp.width, stamp.height, at.x, at.y);
            return;
        }
    }
    RECT drawn = box;
    DrawTextW(m_dc, text.c_str(), -1, &drawn, DT_SINGLELINE | DT_NOCLIP | align);
    // A copy written after it must not land under this text still queued in GDI.
    if (m_canvas) GdiFlush();
}

const CLabelStamps::Stamp& CLabelStamps::StampOf(const std::wstring& text)
{
    const auto found = m_stamps.find(text);
    if (found != m_stamps.end()) return found->second;
    if (m_stamps.size() >= kMaxStamps) m_stamps.clear();
    return m_stamps.emplace(text, Render(text)).first->second;
}

// The text is drawn twice, over a black and over a white background with room all round:
// a copy is exact only when both drawings fill the text cell alike and leave the rest alone.
CLabelStamps::Stamp CLabelStamps::Render(const std::wstring& text)
{
    Stamp stamp;
    const int length = static_cast<int>(text.size());
    SIZE size = {};
    // DrawText would take an '&' for a mnemonic's mark; such a text goes through it.
    if (!length || text.find(L'&') != std::wstring::npos || !GetTextExtentPoint32W(m_dc, text.c_str(), length, &size) ||
        size.cx <= 0 || size.cy <= 0)
        return stamp;
    const int32_t margin = size.cy, w = size.cx + 2 * margin, h = size.cy + 2 * margin;
    if ((m_scratch.Width() < w || m_scratch.Height() < h) &&
        !m_scratch.Create(std::max(w, m_scratch.Width()), std::max(h, m_scratch.Height()), 24))
        return stamp;
    const HDC scratch = m_scratch.GetDC();
    SavedDC saved(scratch);
    SelectObject(scratch, GetCurrentObject(m_dc, OBJ_FONT));
    SetTextColor(scratch, m_look.text);
    SetBkColor(scratch, m_look.back);
    SetBkMode(scratch, m_look.mode);
    SetTextAlign(scratch, m_look.align);
    const RECT cell = {margin, margin, margin + size.cx, margin + size.cy};
    std::vector<uint8_t> drawn[2];
    const uint8_t grounds[2] = {0x00, 0xFF};
    for (int i = 0; i < 2; ++i) {
        m_scratch.Fill(grounds[i]);
        if (!ExtTextOutW(scratch, margin, margin, 0, nullptr, text.c_str(), length, nullptr)) return stamp;
        const PixelCanvas pixels(m_scratch.Pixels(), m_scratch.Width(), m_scratch.Height());
        if (!OnlyCellPainted(pixels, w, h, cell, grounds[i])) return stamp;
        for (int32_t y = cell.top; y < cell.bottom; ++y) {
            const uint8_t* row = pixels.Row(y) + cell.left * 3;
            drawn[i].insert(drawn[i].end(), row, row + size.cx * 3);
        }
    }
    if (drawn[0] != drawn[1]) return stamp;
    stamp.width = size.cx;
    stamp.height = size.cy;
    stamp.pixels = std::move(drawn[0]);
    return stamp;
}
