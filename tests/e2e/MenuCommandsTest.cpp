// Every command of the context menu, chosen the way a user does (right click, arrow keys,
// Enter), in the plain menu and in the one drawn with icons, each checked by what it visibly does.
#include "e2e/ClipboardProbe.h"
#include "e2e/RulerSession.h"
#include "resources/resource.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const char kSection[] = "CMensuroDlg";
constexpr RECT kRuler = {100, 100, 500, 400}; // a 400 x 300 client area, S = 40
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kCyan = RGB(0, 255, 255);
constexpr COLORREF kIconCyan = RGB(0, 200, 220); // the guide line drawn in the line icons
constexpr uint32_t kDefaultOption = 0x00F, kMenuIconBit = 0x008;

POINT At(int x, int y)
{
    return {kRuler.left + x, kRuler.top + y};
}

// A point on the top bar for every size the test gives the ruler (its corner stays put).
constexpr POINT kOnTop = {kRuler.left + 140, kRuler.top + 30};

bool Shows(POINT client, COLORREF colour)
{
    const POINT p = At(client.x, client.y);
    return WaitForPixel(p.x, p.y, colour);
}

bool Topmost(HWND window)
{
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool HasIcons(HWND menu)
{
    const RECT frame = WindowRectOf(menu);
    return SteadyShotOf(menu).Count({frame.left, frame.top, frame.left + 22, frame.bottom}, kIconCyan) > 30;
}

bool Choose(const RulerSession& ruler, UINT command)
{
    HWND menu = OpenContextMenu(ruler, kOnTop.x, kOnTop.y);
    return menu && ChooseMenuCommand(menu, command);
}

// Every command of the menu drawn with icons or of the plain one.
class MenuCommands : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { MensuroRegistry().Clear(); }
    void EveryCommandDoesWhatItSays(bool icons);
};

} // namespace

TEST_F(MenuCommands, EveryCommandOfThePlainMenuDoesWhatItSays)
{
    MensuroRegistry().SetDword(kSection, "Option", kDefaultOption & ~kMenuIconBit);
    EveryCommandDoesWhatItSays(false);
}

TEST_F(MenuCommands, EveryCommandOfTheMenuWithIconsDoesWhatItSays)
{
    EveryCommandDoesWhatItSays(true);
}

void MenuCommands::EveryCommandDoesWhatItSays(bool icons)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    ASSERT_TRUE(Shows({140, 150}, kBackdrop));

    HWND menu = OpenContextMenu(ruler, kOnTop.x, kOnTop.y);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(icons, HasIcons(menu));
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_TOPMOST));
    EXPECT_TRUE(PumpUntil([&] { return !Topmost(ruler.Window()); })) << "Topmost off";
    ASSERT_TRUE(Choose(ruler, ID_TOPMOST));
    EXPECT_TRUE(PumpUntil([&] { return Topmost(ruler.Window()); })) << "Topmost on";

    ASSERT_TRUE(PumpUntil([&] { return TrayIconShown(ruler); })) << "the tray icon is on at first";
    ASSERT_TRUE(Choose(ruler, ID_TASKTRAY));
    EXPECT_TRUE(PumpUntil([&] { return !TrayIconShown(ruler); })) << "Tasktray off takes the icon away";
    ASSERT_TRUE(Choose(ruler, ID_TASKTRAY));
    EXPECT_TRUE(PumpUntil([&] { return TrayIconShown(ruler); })) << "Tasktray on brings it back";

    // Add Line and Delete Line act where the right button went down; Delete All Line takes
    // the lines of both axes.
    ASSERT_TRUE(Choose(ruler, ID_ADD_LINE));
    EXPECT_TRUE(Shows({140, 150}, kCyan));
    ASSERT_TRUE(Choose(ruler, ID_DELETE_LINE));
    EXPECT_TRUE(Shows({140, 150}, kBackdrop));
    UserInput::DoubleClick(At(200, 30).x, At(200, 30).y);
    UserInput::DoubleClick(At(30, 120).x, At(30, 120).y);
    ASSERT_TRUE(Shows({200, 150}, kCyan));
    ASSERT_TRUE(Shows({300, 120}, kCyan));
    ASSERT_TRUE(Choose(ruler, ID_DELETE_ALL_LINES));
    EXPECT_TRUE(Shows({200, 150}, kBackdrop));
    EXPECT_TRUE(Shows({300, 120}, kBackdrop));

    struct DialogCommand {
        UINT command;
        const wchar_t* title;
        int close;
    };
    for (const DialogCommand& d :
         {DialogCommand{ID_SETTINGS, L"Settings", IDCANCEL}, DialogCommand{ID_LINE_LIST, L"Line list", IDCANCEL},
          DialogCommand{ID_COPY_SETTING, L"Copy Setting", IDCANCEL}, DialogCommand{ID_APP_ABOUT, L"Version", IDOK}}) {
        ASSERT_TRUE(Choose(ruler, d.command)) << std::wstring(d.title);
        HWND dialog = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (dialog = ruler.FindOwnWindow(d.title)) != nullptr; }, 5000))
            << std::wstring(d.title);
        ASSERT_TRUE(CloseDialog(ruler, dialog, d.close));
    }

    ASSERT_TRUE(PutClipboardText(backdrop.Handle(), L"old"));
    const DWORD before = GetClipboardSequenceNumber();
    ASSERT_TRUE(Choose(ruler, ID_COPY));
    // Watched without opening the clipboard, which would keep the ruler from it.
    EXPECT_TRUE(PumpUntil([&] { return GetClipboardSequenceNumber() != before; }, 5000));
    const BITMAPINFOHEADER picture = HeaderOf(ClipboardData(CF_DIB));
    EXPECT_EQ(320, picture.biWidth) << "the inner area";
    EXPECT_EQ(220, std::abs(picture.biHeight));

    // Each preset sets the inner size; the bars are added around it and the corner stays.
    const struct {
        UINT command;
        int width, height;
    } presets[] = {{ID_SIZE_640, 640, 480},    {ID_SIZE_800, 800, 600},    {ID_SIZE_1024, 1024, 768},
                   {ID_SIZE_1280, 1280, 1024}, {ID_SIZE_1600, 1600, 1200}, {ID_SIZE_320, 320, 240}};
    for (const auto& preset : presets) {
        ASSERT_TRUE(Choose(ruler, preset.command)) << preset.width;
        EXPECT_TRUE(PumpUntil([&] {
            const RECT r = ruler.Rect();
            return r.right - r.left == preset.width + 80 && r.bottom - r.top == preset.height + 80;
        })) << preset.width
            << " x " << preset.height;
        EXPECT_EQ(kRuler.left, ruler.Rect().left);
        EXPECT_EQ(kRuler.top, ruler.Rect().top);
    }

    ASSERT_TRUE(Choose(ruler, ID_MENU_ICON));
    menu = OpenContextMenu(ruler, kOnTop.x, kOnTop.y);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(!icons, HasIcons(menu)) << "Menu Icon switches the next menu";
    ASSERT_TRUE(ChooseMenuCommand(menu, IDOK));
    EXPECT_TRUE(PumpUntil([&] { return !ruler.Running(); }, 10000)) << "Exit ends the program";
    EXPECT_EQ(0u, ruler.Exit());
    const auto reg = MensuroRegistry();
    EXPECT_EQ(kDefaultOption & ~(icons ? kMenuIconBit : 0), reg.Dword(kSection, "Option").value_or(0));
    EXPECT_EQ(uint32_t(kRuler.left + 400), reg.Dword(kSection, "RIGHT").value_or(0));
    EXPECT_EQ(uint32_t(kRuler.top + 320), reg.Dword(kSection, "BOTTOM").value_or(0));
}
