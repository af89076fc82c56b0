#include "settings/ColorPopupMenu.h"

#include "framework/GdiHolders.h"
#include "resources/resource.h"
#include "ruler/scalebar/ScaleBarStyle.h"

namespace {

// Cells are drawn narrower and taller than the 16-pixel grid they start from.
constexpr int kCellShrink = 4;
constexpr int kSwatchInset = 3;
constexpr COLORREF kSwatchFrame = RGB(128, 128, 128);

// The 20 static colours of the default palette, as COLORREFs; false if unreadable.
bool ReadDefaultPalette(uint32_t (&colours)[kPaletteCells])
{
    PALETTEENTRY entries[kPaletteCells] = {};
    auto palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    if (!palette || GetPaletteEntries(palette, 0, kPaletteCells, entries) != kPaletteCells) return false;
    for (int i = 0; i < kPaletteCells; ++i) colours[i] = RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
    return true;
}

// A Rectangle under the null pen fills up to, not including, the right and bottom edges.
void FillWithNullPen(HDC dc, const RECT& r, COLORREF colour)
{
    GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    SelectedObject selected(dc, brush.get());
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

} // namespace

CColorPopupMenu::CColorPopupMenu()
{
    uint32_t palette[kPaletteCells] = {};
    const bool read = ReadDefaultPalette(palette);
    m_table = BuildColorTable(read ? palette : nullptr, GetSysColor(COLOR_MENU), GetSysColor(COLOR_WINDOW),
                              GetSysColor(COLOR_BTNFACE));
}

int32_t CColorPopupMenu::CellColor(int index) const
{
    if (index < 0 || index >= kColorCells) return kMoreColors;
    return m_table[static_cast<size_t>(index)];
}

bool CColorPopupMenu::Build(COLORREF colour)
{
    const int checked = FindColorCell(m_table, colour);
    Attach(CreatePopupMenu());
    if (!m_hMenu) return false;
    for (int column = 0; column < m_columns; ++column) {
        for (int row = 0; row < m_rows; ++row) {
            const int index = column * m_rows + row;
            const UINT flags = MF_OWNERDRAW | (row == 0 ? MF_MENUBREAK : 0);
            // An owner-drawn item carries its colour as item data.
            const auto data = static_cast<ULONG_PTR>(static_cast<LONG_PTR>(m_table[static_cast<size_t>(index)]));
            AppendMenuW(m_hMenu, flags, ID_COLOR_CELL_FIRST + index, reinterpret_cast<LPCWSTR>(data));
        }
    }
    CheckMenuRadioItem(m_hMenu, ID_COLOR_CELL_FIRST, ID_COLOR_CELL_FIRST + kColorCells - 1,
                       ID_COLOR_CELL_FIRST + checked, MF_BYCOMMAND);
    m_itemSize = {0, 0, 16 - kCellShrink, 16 + kCellShrink};
    return true;
}

void CColorPopupMenu::MeasureItem(MEASUREITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_MENU) return;
    item->itemWidth = static_cast<UINT>(m_itemSize.right - m_itemSize.left);
    item->itemHeight = static_cast<UINT>(m_itemSize.bottom - m_itemSize.top);
}

void CColorPopupMenu::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_MENU) return;
    DrawCell(item->hDC, item->rcItem, static_cast<int32_t>(static_cast<LONG_PTR>(item->itemData)),
             (item->itemAction & ODA_SELECT) != 0, (item->itemState & ODS_SELECTED) != 0,
             (item->itemState & ODS_CHECKED) != 0);
}

void CColorPopupMenu::DrawCell(HDC dc, const RECT& rect, int32_t colour, bool selectionChange, bool selected,
                               bool checked)
{
    SavedDC saved(dc);
    SelectObject(dc, GetStockObject(NULL_PEN));
    RECT r = rect;
    const bool drawnSelected = selectionChange && selected;
    if (selectionChange) {
        if (selected) {
            FillWithNullPen(dc, r, GetSysColor(COLOR_HIGHLIGHT));
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
            SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        } else {
            FillWithNullPen(dc, {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1}, GetBkColor(dc));
        }
    }
    if (!drawnSelected && checked) DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_CHECKED);

    if (colour == kMoreColors) {
        SetTextColor(dc, selected ? RGB(255, 255, 255) : RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, L"...", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
        return;
    }
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, kSwatchFrame));
    GdiObject<HBRUSH> brush(CreateSolidBrush(AsRgb(static_cast<uint32_t>(colour))));
    SelectObject(dc, pen.get());
    SelectObject(dc, brush.get());
    Rectangle(dc, r.left + kSwatchInset, r.top + kSwatchInset, r.right - kSwatchInset, r.bottom - kSwatchInset);
    // Back to stock objects before the pen and brush go; SavedDC restores the caller's.
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, GetStockObject(NULL_BRUSH));
}
