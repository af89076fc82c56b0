#include "shell/IconMenu.h"

#include "framework/GdiHolders.h"
#include "framework/Handles.h"
#include "ruler/Win32Rect.h"

namespace {

constexpr int kMaxText = 64; // buffer, so at most 63 characters survive

// The system's menu font at `dpi`: the monitor's own where the system can say it (Windows
// 10 and later), else the system's scaled to it.
HFONT CreateMenuFont(int32_t dpi)
{
    using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto forDpi = [] {
        HMODULE user = GetModuleHandleW(L"user32.dll");
        return user ? reinterpret_cast<ForDpiFn>(
                          reinterpret_cast<void*>(GetProcAddress(user, "SystemParametersInfoForDpi")))
                    : nullptr;
    }();
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (forDpi) {
        if (!forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) return nullptr;
    } else {
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
        WindowDC screen(nullptr);
        const int systemDpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
        if (systemDpi > 0 && systemDpi != dpi)
            metrics.lfMenuFont.lfHeight = MulDiv(metrics.lfMenuFont.lfHeight, dpi, systemDpi);
    }
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

const UINT kTextFlags = DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;

} // namespace

void IconMenuItem::ReleaseImage()
{
    if (image && ownsImage) DestroyIcon(image);
    image = nullptr;
}

CIconMenu::CIconMenu(int32_t dpi) : m_dpi(dpi), m_layout(IconMenuLayoutAt(dpi)) {}

CIconMenu::~CIconMenu()
{
    // The menu goes before the records its items point at.
    DestroyMenu();
}

IconMenuItem* CIconMenu::FindById(UINT id) const
{
    for (const auto& item : m_items)
        if (item->id == id) return item.get();
    return nullptr;
}

IconMenuItem* CIconMenu::FindByText(const std::wstring& text) const
{
    for (const auto& item : m_items)
        if (item->text == text) return item.get();
    return nullptr;
}

IconMenuItem* CIconMenu::RecordOf(ULONG_PTR data, UINT id) const
{
    return data ? reinterpret_cast<IconMenuItem*>(data) : FindById(id);
}

bool CIconMenu::ConvertToOwnerDraw()
{
    Convert(m_hMenu);
    return true;
}

void CIconMenu::Convert(HMENU menu)
{
    if (!menu) return;
    // The count is read anew on every step.
    for (int pos = 0; pos < GetMenuItemCount(menu); ++pos) {
        wchar_t text[kMaxText] = {};
        GetMenuStringW(menu, static_cast<UINT>(pos), text, kMaxText, MF_BYPOSITION);
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &info)) continue;
        if (info.fType & (MFT_SEPARATOR | MFT_OWNERDRAW)) continue;

        IconMenuItem* record = nullptr;
        uint32_t kind = IconItemNoImage;
        if (info.hSubMenu) {
            Convert(info.hSubMenu);
            kind = IconItemSubmenu;
            record = FindByText(text);
        } else {
            record = FindById(info.wID);
        }
        if (!record) {
            m_items.push_back(std::make_unique<IconMenuItem>());
            record = m_items.back().get();
            record->text = text;
            record->id = info.wID;
            record->kind = kind;
        }
        record->id = info.wID;

        // Owner-drawn with the record as its data; the submenu stays attached.
        MENUITEMINFOW changed = {};
        changed.cbSize = sizeof(changed);
        changed.fMask = MIIM_FTYPE | MIIM_DATA;
        changed.fType = (info.fType & ~MFT_STRING) | MFT_OWNERDRAW;
        changed.dwItemData = reinterpret_cast<ULONG_PTR>(record);
        SetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &changed);
    }
}

bool CIconMenu::SetItemImage(UINT command, UINT iconId)
{
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                               m_layout.icon, m_layout.icon, LR_DEFAULTCOLOR));
    if (!icon) return false;
    if (!SetItemIcon(command, icon, true)) {
        DestroyIcon(icon);
        return false;
    }
    return true;
}

bool CIconMenu::SetItemIcon(UINT command, HICON icon, bool owned)
{
    IconMenuItem* record = FindById(command);
    if (!record) return false;
    record->ReleaseImage();
    if (icon) {
        record->image = icon;
        record->kind = IconItemIcon;
        record->ownsImage = owned;
    }
    return true;
}

void CIconMenu::MeasureItem(MEASUREITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_MENU) return;
    const IconMenuItem* record = RecordOf(item->itemData, item->itemID);
    if (!record) return;

    RECT text = {0, 0, 0, 0};
    {
        WindowDC screen(nullptr);
        GdiObject<HFONT> font(CreateMenuFont(m_dpi));
        SelectedObject selected(screen.get(), font.get() ? font.get() : GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(screen.get(), record->text.c_str(), -1, &text, kTextFlags | DT_CALCRECT);
    }
    const IconMenuItemExtent size = IconMenuItemSize(m_layout, text.right - text.left, text.bottom - text.top,
                                                     (record->kind & IconItemSubmenu) != 0);
    item->itemWidth = static_cast<UINT>(size.width);
    item->itemHeight = static_cast<UINT>(size.height);
}

void CIconMenu::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || item->CtlType != ODT_MENU) return;
    const IconMenuItem* record = RecordOf(item->itemData, item->itemID);
    if (!record) return;

    HDC dc = item->hDC;
    const RECT rc = item->rcItem;
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    const bool checked = (item->itemState & ODS_CHECKED) != 0;
    const RECT iconBox = ToRect(IconMenuIconBox(m_layout, FromRect(rc)));
    RECT textRect = {rc.left + m_layout.textLeft, rc.top, rc.right, rc.bottom};

    GdiObject<HFONT> font(CreateMenuFont(m_dpi));
    SavedDC saved(dc);
    if (font.get()) SelectObject(dc, font.get());
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));

    if (item->itemAction & ODA_SELECT) {
        if (selected) {
            GdiObject<HBRUSH> brush(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
            SelectedObject selectedBrush(dc, brush.get());
            // With the null pen the right and bottom edge lines stay the border's.
            Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
            RECT edge = rc;
            DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
        } else {
            RECT grown = rc;
            InflateRect(&grown, 1, 1);
            GdiObject<HBRUSH> brush(CreateSolidBrush(GetSysColor(COLOR_MENU)));
            FillRect(dc, &grown, brush.get());
        }
    }

    auto drawIcon = [&] {
        if (record->image)
            DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(record->image), 0, iconBox.left, iconBox.top,
                       iconBox.right - iconBox.left, iconBox.bottom - iconBox.top, DST_ICON);
    };
    drawIcon();

    if (checked) {
        if (record->kind == IconItemNoImage || !record->image) {
            // One of a group of choices (the units) is marked as a radio button.
            MENUITEMINFOW info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE;
            const bool radio = GetMenuItemInfoW(reinterpret_cast<HMENU>(item->hwndItem), item->itemID, FALSE, &info) &&
                               (info.fType & MFT_RADIOCHECK);
            RECT box = iconBox;
            DrawFrameControl(dc, &box, DFC_BUTTON, (radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | DFCS_CHECKED);
        } else if (!selected) {
            // A checked toggle with an icon looks like a pressed button across the row.
            RECT whole = rc;
            DrawFrameControl(dc, &whole, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_CHECKED);
            whole = rc;
            DrawEdge(dc, &whole, BDR_RAISEDINNER, BF_RECT | BF_FLAT);
            drawIcon();
        }
    }

    DrawTextW(dc, record->text.c_str(), -1, &textRect, kTextFlags);
}
