#include "settings/ColorButton.h"

#include "framework/GdiHolders.h"
#include "resources/resource.h"
#include "settings/ColorPopupMenu.h"

#include <commdlg.h>

#include <array>

namespace {

constexpr int kArrowWidth = 16;
constexpr COLORREF kDisabledBack = RGB(128, 128, 128);
constexpr COLORREF kEnabledBack = RGB(255, 255, 255);

CColorButton* ColorButtonOf(HWND hwnd)
{
    return dynamic_cast<CColorButton*>(CWindow::FromHandle(hwnd));
}

} // namespace

const MessageEntry<CColorButton> CColorButton::s_messages[] = {
    {WM_REFLECT_BASE + WM_COMMAND, &CColorButton::OnReflectedCommand},
    {WM_REFLECT_BASE + WM_DRAWITEM, &CColorButton::OnReflectedDrawItem},
    {WM_MEASUREITEM, &CColorButton::OnMeasureItem},
    {WM_DRAWITEM, &CColorButton::OnDrawItem},
    {WM_OPEN_COLOR_DIALOG, &CColorButton::OnOpenColorDialog},
};

bool CColorButton::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    HWND child = nullptr;
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        child = reinterpret_cast<HWND>(lParam);
    else if (message == WM_DRAWITEM && lParam)
        child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    if (!child || !ColorButtonOf(child)) return false;
    result = SendMessageW(child, WM_REFLECT_BASE + message, wParam, lParam);
    return true;
}

bool CColorButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (DispatchMessageTable(this, s_messages, message, wParam, lParam, result)) return true;
    // The popup's cells; the command reaches the button after the popup has closed.
    if (message == WM_COMMAND && LOWORD(wParam) >= ID_COLOR_CELL_FIRST && LOWORD(wParam) <= ID_COLOR_CELL_LAST) {
        ChooseCell(LOWORD(wParam) - ID_COLOR_CELL_FIRST);
        result = 0;
        return true;
    }
    return false;
}

void CColorButton::SetColor(COLORREF colour)
{
    m_color = colour;
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CColorButton::Notify()
{
    if (m_notifyWnd) SendMessageW(m_notifyWnd, m_notifyMsg, m_notifyWParam, m_notifyLParam);
}

LRESULT CColorButton::OnReflectedCommand(WPARAM, LPARAM)
{
    OpenPopup();
    return 0;
}

LRESULT CColorButton::OnReflectedDrawItem(WPARAM, LPARAM lParam)
{
    if (const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) DrawButton(*item);
    return TRUE;
}

LRESULT CColorButton::OnMeasureItem(WPARAM, LPARAM lParam)
{
    if (!m_popup) return Default();
    m_popup->MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    return TRUE;
}

LRESULT CColorButton::OnDrawItem(WPARAM, LPARAM lParam)
{
    if (!m_popup) return Default();
    m_popup->DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
}

void CColorButton::OpenPopup()
{
    RECT rect = {};
    GetWindowRect(m_hWnd, &rect);
    CColorPopupMenu popup;
    if (!popup.Build(m_color)) return;
    m_popup = &popup;
    TrackPopupMenu(popup.GetSafeHmenu(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, rect.left, rect.bottom, 0, m_hWnd, nullptr);
    m_popup = nullptr;
}

void CColorButton::ChooseCell(int index)
{
    if (index == kMoreColorsCell) {
        PostMessageW(m_hWnd, WM_OPEN_COLOR_DIALOG, kColorCells, kColorCells);
        return;
    }
    // The command range runs past the table; those ids have no colour.
    if (index < 0 || index >= kColorCells) return;
    // Read afresh: the system colours may have changed since the popup was built.
    const CColorPopupMenu table;
    SetColor(static_cast<COLORREF>(table.CellColor(index)));
    Notify();
}

LRESULT CColorButton::OnOpenColorDialog(WPARAM, LPARAM)
{
    // Custom colours last as long as the program; they are not stored.
    static std::array<COLORREF, 16> s_customColors = [] {
        std::array<COLORREF, 16> colours;
        colours.fill(RGB(255, 255, 255));
        return colours;
    }();
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = GetParent(m_hWnd);
    choose.rgbResult = m_color;
    choose.lpCustColors = s_customColors.data();
    choose.Flags = CC_RGBINIT;
    if (ChooseColorW(&choose)) {
        SetColor(choose.rgbResult);
        Notify();
    }
    return 0;
}

void CColorButton::DrawButton(const DRAWITEMSTRUCT& item) const
{
    HDC dc = item.hDC;
    SavedDC saved(dc);
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool selectionChange = (item.itemAction & ODA_SELECT) != 0;
    const RECT full = item.rcItem;
    RECT arrow = {full.right - 18, full.top + 2, full.right - 2, full.bottom - 2};
    UINT arrowState = DFCS_SCROLLDOWN | (disabled ? DFCS_INACTIVE : 0);
    SetBkColor(dc, disabled ? kDisabledBack : kEnabledBack);
    SelectObject(dc, GetStockObject(disabled ? LTGRAY_BRUSH : WHITE_BRUSH));

    RECT box = full;
    box.right -= kArrowWidth;
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    RECT swatch = box;
    InflateRect(&swatch, -1, -1);
    CColorPopupMenu::DrawCell(dc, swatch, static_cast<int32_t>(m_color), selectionChange, pressed,
                              (item.itemState & ODS_CHECKED) != 0);

    RECT edge = full;
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    if (selectionChange && pressed) arrowState |= DFCS_FLAT;
    DrawFrameControl(dc, &arrow, DFC_SCROLL, arrowState);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&swatch, -2, -2);
        DrawFocusRect(dc, &swatch);
    }
}
