#pragma once

#include "framework/Menu.h"
#include "ruler/Geometry.h"
#include "shell/IconMenuLayout.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Kinds of an IconMenuItem.
enum : uint32_t {
    IconItemNoImage = 0,
    IconItemIcon = 2,
    IconItemSubmenu = 0x20,
};

// One item the icon menu draws.
struct IconMenuItem {
    uint32_t kind = IconItemNoImage;
    UINT id = 0;
    std::wstring text; // at most 63 characters, as read from the menu
    HICON image = nullptr;
    bool ownsImage = true;

    IconMenuItem() = default;
    IconMenuItem(const IconMenuItem&) = delete;
    IconMenuItem& operator=(const IconMenuItem&) = delete;
    ~IconMenuItem() { ReleaseImage(); }
    void ReleaseImage();
};

// A popup menu drawn by the program: an icon column, the system menu font, highlighted,
// pressed and checked looks, all at the scale of the monitor it opens on (16 x 16 icons
// at 96 DPI). Each instance owns the records of the items it converted, its submenus'
// included; every item's data points at its record.
class CIconMenu : public CMenu {
public:
    // `dpi`: the display scale of the monitor the menu opens on.
    explicit CIconMenu(int32_t dpi = kBaseDpi);
    ~CIconMenu() override;

    // Makes every item at every level owner-drawn, separators excepted.
    bool ConvertToOwnerDraw();
    // Gives the item of `command` the icon resource `iconId` at the menu's icon size, owned.
    bool SetItemImage(UINT command, UINT iconId);
    const IconMenuLayout& Layout() const { return m_layout; }
    // Gives the item of `command` an icon; `owned` icons are destroyed with the record.
    bool SetItemIcon(UINT command, HICON icon, bool owned);

    void MeasureItem(MEASUREITEMSTRUCT* item) override;
    void DrawItem(DRAWITEMSTRUCT* item) override;

    // This menu's records, for tests.
    const std::vector<std::unique_ptr<IconMenuItem>>& Items() const { return m_items; }

private:
    void Convert(HMENU menu);
    IconMenuItem* FindById(UINT id) const;
    IconMenuItem* FindByText(const std::wstring& text) const;
    IconMenuItem* RecordOf(ULONG_PTR data, UINT id) const;

    std::vector<std::unique_ptr<IconMenuItem>> m_items;
    int32_t m_dpi;
    IconMenuLayout m_layout;
};
