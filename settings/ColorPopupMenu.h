#pragma once

#include "framework/Menu.h"
#include "settings/SettingsRules.h"

// The colour button's drop-down: 4 columns of 6 owner-drawn cells, the 20
// default-palette colours, the menu, window and button-face colours and a "..."
// cell for any other colour. The table is read afresh by every instance, so the
// system colours are those of the moment.
class CColorPopupMenu : public CMenu {
public:
    CColorPopupMenu();

    // Creates the popup with the first cell of `colour` checked ("..." if none has it).
    bool Build(COLORREF colour);
    const ColorTable& Table() const { return m_table; }
    // The colour of a cell; kMoreColors for the "..." cell and for ids outside the table.
    int32_t CellColor(int index) const;

    void MeasureItem(MEASUREITEMSTRUCT* item) override;
    void DrawItem(DRAWITEMSTRUCT* item) override;

    // One cell (also the button's swatch): highlight or background on a selection
    // change, a pushed frame when checked, then "..." or the colour inset by 3.
    static void DrawCell(HDC dc, const RECT& rect, int32_t colour, bool selectionChange, bool selected, bool checked);

private:
    int m_columns = kColorColumns;
    int m_rows = kColorRows;
    ColorTable m_table = {};
    RECT m_itemSize = {0, 0, 16, 16};
};
