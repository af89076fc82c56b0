// The colour button and its popup: the table, the popup's cells, notifications, drawing.
#include "framework/GdiHolders.h"
#include "framework/Handles.h"
#include "resources/resource.h"
#include "settings/ColorButton.h"
#include "settings/ColorPopupMenu.h"

#include <gtest/gtest.h>

namespace {

// The standard static colours of the default palette, in palette order.
constexpr COLORREF kDefaultPalette[kPaletteCells] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
    RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
    RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),
    RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};

constexpr UINT kNotify = WM_APP + 7;
constexpr int kButtonId = 1006;

// A top-level window holding one colour button; it records the notifications it receives.
struct ButtonHost {
    HWND parent = nullptr;
    HWND button = nullptr;
    CColorButton colour;
    static inline int notifications = 0;
    static inline LPARAM lastParams = 0;

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == kNotify) {
            ++notifications;
            lastParams = MAKELPARAM(wParam, lParam);
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    ButtonHost()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ColorButtonTestHost";
        RegisterClassW(&wc);
        parent = CreateWindowExW(0, wc.lpszClassName, L"Host", WS_POPUP, 10, 10, 200, 100, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 60, 20, parent,
                                 reinterpret_cast<HMENU>(kButtonId), wc.hInstance, nullptr);
        colour.SubclassWindow(button);
        colour.m_notifyWnd = parent;
        colour.m_notifyMsg = kNotify;
        colour.m_notifyWParam = 11;
        colour.m_notifyLParam = 22;
        notifications = 0;
    }
    ~ButtonHost() { DestroyWindow(parent); }
};

int CountColour(HDC dc, const RECT& r, COLORREF colour)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == colour;
    return n;
}

} // namespace

TEST(ColorPopupMenu, DefaultPaletteAndSystemColoursInFourColumnsWithTheColourChecked)
{
    for (const auto& [colour, checked] : {std::pair{RGB(255, 0, 0), 13}, std::pair{RGB(1, 2, 3), 23}}) {
        CColorPopupMenu popup;
        const ColorTable& table = popup.Table();
        for (int i = 0; i < kPaletteCells; ++i) EXPECT_EQ(kDefaultPalette[i], COLORREF(table[i])) << i;
        EXPECT_EQ(GetSysColor(COLOR_MENU), COLORREF(table[20]));
        EXPECT_EQ(GetSysColor(COLOR_BTNFACE), COLORREF(table[22]));
        ASSERT_TRUE(popup.Build(colour));
        ASSERT_EQ(kColorCells, GetMenuItemCount(popup.GetSafeHmenu()));
        for (int i = 0; i < kColorCells; ++i) {
            MENUITEMINFOW info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_DATA;
            ASSERT_TRUE(GetMenuItemInfoW(popup.GetSafeHmenu(), static_cast<UINT>(i), TRUE, &info));
            EXPECT_EQ(i % kColorRows == 0 ? MFT_OWNERDRAW | MFT_MENUBREAK : MFT_OWNERDRAW,
                      info.fType & (MFT_OWNERDRAW | MFT_MENUBREAK))
                << i;
            EXPECT_EQ(UINT(ID_COLOR_CELL_FIRST + i), info.wID);
            EXPECT_EQ(table[i], static_cast<int32_t>(info.dwItemData)) << i;
            EXPECT_EQ(i == checked, (info.fState & MFS_CHECKED) != 0) << i;
        }
    }
}

TEST(ColorButton, EachCellChoiceNotifiesOnce)
{
    CColorButton unborn;
    unborn.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), unborn.GetColor()) << "kept without a window to repaint";

    ButtonHost host;
    SendMessageW(host.button, WM_COMMAND, ID_COLOR_CELL_FIRST + 13, 0);
    EXPECT_EQ(RGB(255, 0, 0), host.colour.GetColor());
    EXPECT_EQ(1, ButtonHost::notifications);
    EXPECT_EQ(MAKELPARAM(11, 22), ButtonHost::lastParams);

    // The button takes ids past the table; they choose nothing.
    SendMessageW(host.button, WM_COMMAND, ID_COLOR_CELL_LAST, 0);
    EXPECT_EQ(RGB(255, 0, 0), host.colour.GetColor());
    EXPECT_EQ(1, ButtonHost::notifications);

    // "..." leaves the colour dialog for after the popup has closed.
    SendMessageW(host.button, WM_COMMAND, ID_COLOR_CELL_FIRST + kMoreColorsCell, 0);
    EXPECT_EQ(1, ButtonHost::notifications);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, host.button, WM_OPEN_COLOR_DIALOG, WM_OPEN_COLOR_DIALOG, PM_REMOVE));
}

TEST(ColorButton, DrawsItsSwatchAndArrowAndLooksGreyWhenDisabled)
{
    ButtonHost host;
    host.colour.SetColor(RGB(255, 0, 0));
    const WindowDC screen(nullptr);
    const CreatedDC memory(CreateCompatibleDC(screen.get()));
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), 60, 20));
    HDC dc = memory.get();
    SelectedObject selected(dc, bitmap.get());
    const RECT arrow = {42, 2, 58, 18};
    const RECT boxRing = {2, 2, 4, 18}; // between the box's frame and the swatch

    for (const bool disabled : {false, true}) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = kButtonId;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = disabled ? ODS_DISABLED : 0;
        item.hwndItem = host.button;
        item.hDC = dc;
        item.rcItem = {0, 0, 60, 20};
        LRESULT result = 0;
        ASSERT_TRUE(CColorButton::ReflectToChild(WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&item), result));
        EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 22, 10)) << "swatch, disabled " << disabled;
        EXPECT_EQ(RGB(128, 128, 128), GetPixel(dc, 4, 10)) << "swatch frame";
        const COLORREF box = disabled ? RGB(192, 192, 192) : RGB(255, 255, 255);
        EXPECT_EQ(2 * 16, CountColour(dc, boxRing, box)) << "box, disabled " << disabled;
        EXPECT_EQ(disabled, CountColour(dc, arrow, RGB(0, 0, 0)) == 0) << "an inactive arrow has no black";
    }

    LRESULT ignored = 0;
    EXPECT_FALSE(CColorButton::ReflectToChild(WM_COMMAND, MAKEWPARAM(1, BN_CLICKED),
                                              reinterpret_cast<LPARAM>(host.parent), ignored));
}
