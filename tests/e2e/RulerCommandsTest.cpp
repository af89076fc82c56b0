// Guide lines, the context menu, window commands, the tray icon and the keyboard, as a user
// meets them.
#include "e2e/RulerSession.h"
#include "resources/resource.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <utility>

namespace {

const char kSection[] = "CMensuroDlg";
constexpr RECT kRuler = {100, 100, 500, 400}; // a 400 x 300 client area, S = 40
constexpr COLORREF kBackdrop = RGB(32, 144, 96);
constexpr COLORREF kCyan = RGB(0, 255, 255), kLabelRed = RGB(255, 0, 0);
constexpr COLORREF kIconCyan = RGB(0, 200, 220); // the guide line drawn in the line icons

COLORREF Inverted(COLORREF c)
{
    return c ^ 0x00FFFFFF;
}

// Screen point of a client point of the ruler.
POINT At(int x, int y)
{
    return {kRuler.left + x, kRuler.top + y};
}

bool LineColumnShows(int clientX, COLORREF colour)
{
    const POINT p = At(clientX, 150);
    return WaitForPixel(p.x, p.y, colour);
}

int CountInRect(const RECT& r, COLORREF colour)
{
    const ScreenShot shot(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return shot.Count(r, colour);
}

// The screen rows in which two pictures of the same rectangle differ.
struct RowSpan {
    int first = -1, last = -1;
    // Some row changed, and all of them in the band of `height` rows from `top`.
    bool Within(int top, int height) const { return first >= top && last >= first && last < top + height; }
};

RowSpan RowsChanged(const ScreenShot& before, const ScreenShot& after, const RECT& r)
{
    RowSpan span;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (before.At(x, y) != after.At(x, y)) {
                if (span.first < 0) span.first = y;
                span.last = y;
                break;
            }
    return span;
}

class RulerCommands : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { MensuroRegistry().Clear(); }
};

} // namespace

TEST_F(RulerCommands, DoubleClickAddsLinesThatDragClampAndDelete)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    ASSERT_TRUE(LineColumnShows(140, kBackdrop));

    // X line 100: a cyan column at client x 140 across the inner area, solid (part of the region).
    const POINT onTop = At(140, 30);
    UserInput::DoubleClick(onTop.x, onTop.y);
    ASSERT_TRUE(LineColumnShows(140, kCyan));
    EXPECT_EQ(Hex(kBackdrop), Hex(ScreenPixel(At(141, 150).x, At(141, 150).y))) << "one pixel wide";
    EXPECT_EQ(Hex(kBackdrop), Hex(ScreenPixel(At(139, 150).x, At(139, 150).y)));
    // " 100 " labels on both ends, on the top bar's white.
    EXPECT_GT(CountInRect({At(118, 0).x, At(0, 0).y, At(163, 0).x, At(0, 16).y}, kLabelRed), 10);
    EXPECT_GT(CountInRect({At(118, 0).x, At(0, 284).y, At(163, 0).x, At(0, 300).y}, kLabelRed), 10);

    // Again at the same point adds nothing: one "Delete Line" there removes it.
    UserInput::DoubleClick(onTop.x, onTop.y);
    HWND menu = OpenContextMenu(ruler, onTop.x, onTop.y);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_DELETE_LINE));
    EXPECT_TRUE(LineColumnShows(140, kBackdrop)) << "a second add had added a second line";

    // Y line 100 from the left bar.
    const POINT onLeft = At(30, 140);
    UserInput::DoubleClick(onLeft.x, onLeft.y);
    EXPECT_TRUE(WaitForPixel(At(200, 140).x, At(200, 140).y, kCyan));

    // Drag X line 100 to 200: inverted feedback while dragging, one line where it is dropped.
    UserInput::DoubleClick(onTop.x, onTop.y);
    ASSERT_TRUE(LineColumnShows(140, kCyan));
    UserInput::Press(onTop.x, onTop.y);
    UserInput::MoveTo(At(190, 30).x, onTop.y);
    UserInput::MoveTo(At(240, 30).x, onTop.y);
    EXPECT_TRUE(LineColumnShows(240, Inverted(kBackdrop))) << "the moving line is inverted screen";
    EXPECT_TRUE(LineColumnShows(140, Inverted(kCyan))) << "the start stays shown inverted";
    UserInput::Release(At(240, 30).x, onTop.y);
    EXPECT_TRUE(LineColumnShows(240, kCyan));
    EXPECT_TRUE(LineColumnShows(140, kBackdrop));

    // Far left stops at 0 (client column 40).
    UserInput::Drag(At(240, 30).x, onTop.y, kRuler.left - 60, onTop.y);
    EXPECT_TRUE(LineColumnShows(40, kCyan));
    EXPECT_TRUE(LineColumnShows(240, kBackdrop));

    // Far right stops at W - 2S: no longer drawn, nor grabbed on the right bar.
    UserInput::Drag(At(40, 30).x, onTop.y, kRuler.right + 60, onTop.y);
    EXPECT_TRUE(LineColumnShows(40, kBackdrop));
    const RECT innerRow = {At(40, 0).x, At(0, 150).y, At(360, 0).x, At(0, 151).y};
    EXPECT_EQ(0, CountInRect(innerRow, kCyan));
    UserInput::Drag(At(361, 100).x, At(0, 100).y, At(300, 100).x, At(0, 100).y);
    // A line added afterwards shows that the drag has been handled.
    UserInput::DoubleClick(onTop.x, onTop.y);
    ASSERT_TRUE(LineColumnShows(140, kCyan));
    EXPECT_EQ(1, CountInRect(innerRow, kCyan)) << "a line parked at W - 2S was grabbed";
}

TEST_F(RulerCommands, MenuAddLineActsWhereTheRightButtonWentDown)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    ASSERT_TRUE(LineColumnShows(200, kBackdrop));
    // Released 3 px left of and 2 px above the press: still a click.
    UserInput::Press(At(200, 30).x, At(200, 30).y, true);
    UserInput::Release(At(197, 28).x, At(197, 28).y, true);
    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = ContextMenuOf(ruler)) != nullptr; }));
    const RECT frame = WindowRectOf(menu);
    EXPECT_NEAR(At(197, 0).x, frame.left, 2) << "the menu opens at the release point";
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_ADD_LINE));
    EXPECT_TRUE(LineColumnShows(200, kCyan)) << "X line 160, where the button went down";
}

TEST_F(RulerCommands, MenuShowsIconsOrThePlainItemsWithTheSameChecks)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    const POINT onTop = At(200, 30);
    HWND menu = OpenContextMenu(ruler, onTop.x, onTop.y);
    ASSERT_NE(nullptr, menu);
    // Icons in a 16 px column at the left: the line icons are drawn in their own cyan.
    RECT frame = WindowRectOf(menu);
    const ScreenShot checkedIcons = SteadyShotOf(menu);
    EXPECT_GT(checkedIcons.Count({frame.left, frame.top, frame.left + 22, frame.bottom}, kIconCyan), 30);
    const int iconHeight = frame.bottom - frame.top;
    // Topmost's check goes: only its row (the first) changes.
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_TOPMOST));
    menu = OpenContextMenu(ruler, onTop.x, onTop.y);
    ASSERT_NE(nullptr, menu);
    const RowSpan iconChange = RowsChanged(checkedIcons, SteadyShotOf(menu), WindowRectOf(menu));
    EXPECT_TRUE(iconChange.Within(frame.top, iconHeight / 8)) << iconChange.first << "-" << iconChange.last;

    // "Menu Icon" off: the same items, plain; Topmost's check comes back in its row alone.
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_MENU_ICON));
    menu = OpenContextMenu(ruler, onTop.x, onTop.y);
    ASSERT_NE(nullptr, menu);
    frame = WindowRectOf(menu);
    const ScreenShot uncheckedPlain = SteadyShotOf(menu);
    EXPECT_EQ(0, uncheckedPlain.Count({frame.left, frame.top, frame.left + 22, frame.bottom}, kIconCyan));
    EXPECT_LE(frame.bottom - frame.top, iconHeight) << "plain items are no taller than 18 px ones";
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_TOPMOST));
    menu = OpenContextMenu(ruler, onTop.x, onTop.y);
    ASSERT_NE(nullptr, menu);
    const RowSpan plainChange = RowsChanged(uncheckedPlain, SteadyShotOf(menu), WindowRectOf(menu));
    EXPECT_TRUE(plainChange.Within(frame.top, (frame.bottom - frame.top) / 8))
        << plainChange.first << "-" << plainChange.last;
    ASSERT_TRUE(CloseMenu(menu));
    EXPECT_EQ(0u, ruler.Exit());
    EXPECT_EQ(15u & ~0x8u, MensuroRegistry().Dword(kSection, "Option").value_or(0));
}

TEST_F(RulerCommands, PresetsTopmostAndTheKeyboard)
{
    SolidWindow backdrop({50, 50, 900, 700}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    PostMessageW(ruler.Window(), WM_COMMAND, 32779, 0); // "640 x 480"
    PumpUntil([&] { return ruler.Rect().right - ruler.Rect().left == 720; });
    const RECT sized = ruler.Rect();
    EXPECT_EQ(kRuler.left, sized.left);
    EXPECT_EQ(kRuler.top, sized.top);
    EXPECT_EQ(720, sized.right - sized.left);
    EXPECT_EQ(560, sized.bottom - sized.top);

    EXPECT_TRUE(GetWindowLongW(ruler.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    PostMessageW(ruler.Window(), WM_COMMAND, 32773, 0); // "Topmost"
    EXPECT_TRUE(PumpUntil([&] { return !(GetWindowLongW(ruler.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST); }));

    // One-pixel pointer steps, straight and diagonal.
    UserInput::Click(At(300, 30).x, At(300, 30).y);
    auto pointer = [] {
        POINT p = {};
        GetCursorPos(&p);
        return std::pair<LONG, LONG>(p.x, p.y);
    };
    UserInput::Key(VK_RIGHT);
    EXPECT_SOON_EQ(std::pair(At(301, 30).x, At(301, 30).y), pointer());
    UserInput::Key(VK_NUMPAD3);
    EXPECT_SOON_EQ(std::pair(At(302, 31).x, At(302, 31).y), pointer());
    UserInput::Key(VK_UP);
    EXPECT_SOON_EQ(std::pair(At(302, 30).x, At(302, 30).y), pointer());
    // Insert adds a line at the pointer, Delete removes it.
    UserInput::Key(VK_INSERT);
    EXPECT_TRUE(WaitForPixel(At(302, 300).x, At(302, 300).y, kCyan));
    UserInput::Key(VK_DELETE);
    EXPECT_TRUE(WaitForPixel(At(302, 300).x, At(302, 300).y, kBackdrop));
    EXPECT_TRUE(ruler.Running());

    EXPECT_EQ(0u, ruler.Exit());
    EXPECT_EQ(14u, MensuroRegistry().Dword(kSection, "Option").value_or(0)) << "topmost off is saved";
    EXPECT_EQ(820u, MensuroRegistry().Dword(kSection, "RIGHT").value_or(0));
}

TEST_F(RulerCommands, TrayIconComesAndGoesAndOpensTheMenu)
{
    MensuroRegistry().SetDword(kSection, "Option", 0x00B); // no tray icon
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    HWND menu = OpenContextMenu(ruler, At(200, 30).x, At(200, 30).y);
    ASSERT_NE(nullptr, menu);
    EXPECT_FALSE(TrayIconShown(ruler)) << "none at the start";
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_TASKTRAY));
    ASSERT_TRUE(PumpUntil([&] { return TrayIconShown(ruler); }));
    // The shell's callback: a button release over the icon opens the menu at the pointer.
    UserInput::MoveTo(700, 600);
    PostMessageW(ruler.Window(), WM_USER + 16, 1, WM_MOUSEMOVE);
    // A size preset posted after it shows that the move has been handled.
    PostMessageW(ruler.Window(), WM_COMMAND, ID_SIZE_320, 0);
    ASSERT_TRUE(PumpUntil([&] { return ruler.Rect().bottom - ruler.Rect().top == 320; }));
    EXPECT_EQ(nullptr, ContextMenuOf(ruler)) << "moves are ignored";
    PostMessageW(ruler.Window(), WM_USER + 16, 1, WM_LBUTTONUP);
    ASSERT_TRUE(PumpUntil([&] { return (menu = ContextMenuOf(ruler)) != nullptr; }));
    EXPECT_NEAR(700, WindowRectOf(menu).left, 2);
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_TASKTRAY));
    EXPECT_TRUE(PumpUntil([&] { return !TrayIconShown(ruler); })) << "Tasktray off from the tray's own menu";
    EXPECT_EQ(0u, ruler.Exit());
    EXPECT_EQ(0x00Bu, MensuroRegistry().Dword(kSection, "Option").value_or(0));
}

TEST_F(RulerCommands, VersionBoxIsOwnedModalAndOpensOnce)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    PostMessageW(ruler.Window(), WM_COMMAND, 57664, 0);
    HWND about = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (about = ruler.FindOwnWindow(L"Version")) != nullptr; }));
    EXPECT_EQ(ruler.Window(), GetWindow(about, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(ruler.Window())) << "the ruler takes no input while the box is open";
    // The tray menu still works while the box is open; "Version..." from it opens no second box
    // (a size preset posted after it shows that it has been handled).
    PostMessageW(ruler.Window(), WM_COMMAND, 57664, 0);
    PostMessageW(ruler.Window(), WM_COMMAND, ID_SIZE_320, 0);
    ASSERT_TRUE(PumpUntil([&] { return ruler.Rect().bottom - ruler.Rect().top == 320; }));
    int boxes = 0;
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            wchar_t title[32] = {};
            GetWindowTextW(hwnd, title, 32);
            if (IsWindowVisible(hwnd) && wcscmp(title, L"Version") == 0) ++*reinterpret_cast<int*>(param);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&boxes));
    EXPECT_EQ(1, boxes);
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(IsWindowEnabled(ruler.Window()));
}
