// The Settings dialog as a user meets it: opened from the ruler, controls changed, OK or
// Cancel, then the registry and the screen.
#include "e2e/RulerSession.h"
#include "resources/resource.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <utility>

namespace {

const char kSection[] = "CMensuroDlg";
constexpr RECT kRuler = {100, 100, 500, 400}; // a 400 x 300 client area, S = 40
constexpr COLORREF kBackdrop = RGB(32, 144, 96);
constexpr COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kCyan = RGB(0, 255, 255), kBlack = RGB(0, 0, 0);

POINT At(int x, int y)
{
    return {kRuler.left + x, kRuler.top + y};
}

// The Settings dialog, opened by the ruler's command; null if it did not open.
HWND OpenSettings(const RulerSession& ruler, const wchar_t* title = L"Settings")
{
    return OpenDialog(ruler, ID_SETTINGS, title);
}

// Typing into a combo box's edit field over what it holds; the combo box reports each key.
void Type(HWND dialog, int id, const wchar_t* text)
{
    HWND edit = GetWindow(GetDlgItem(dialog, id), GW_CHILD);
    SendTimed(edit, EM_SETSEL, 0, -1);
    for (const wchar_t* c = text; *c; ++c) SendTimed(edit, WM_CHAR, *c, 1);
}

void Click(HWND dialog, int id)
{
    SendTimed(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// The drop-down lists are read at OK; they need no notification.
void Select(HWND dialog, int id, int index)
{
    SendTimed(GetDlgItem(dialog, id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// The swatch in the middle of a colour button's box (left of its arrow).
COLORREF SwatchOf(HWND dialog, int id)
{
    const RECT r = WindowRectOf(GetDlgItem(dialog, id));
    return ScreenPixel((r.left + r.right - 16) / 2, (r.top + r.bottom) / 2);
}

// Opens a colour button's popup with a click and clicks the cell at (column, row).
bool ChooseCell(const RulerSession& ruler, HWND dialog, int id, int column, int row)
{
    const RECT button = WindowRectOf(GetDlgItem(dialog, id));
    UserInput::Click((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    HWND popup = nullptr;
    if (!PumpUntil([&] { return (popup = ContextMenuOf(ruler)) != nullptr; })) return false;
    RECT client = {};
    GetClientRect(popup, &client);
    POINT cell = {client.right * (2 * column + 1) / 8, client.bottom * (2 * row + 1) / 12};
    ClientToScreen(popup, &cell);
    UserInput::Click(cell.x, cell.y);
    return PumpUntil([&] { return !IsWindow(popup) || !IsWindowVisible(popup); });
}

int CyanInRow(int y)
{
    const RECT row = {kRuler.left + 40, y, kRuler.right - 40, y + 1};
    return ScreenShot(row.left, row.top, row.right - row.left, 1).Count(row, kCyan);
}

class Settings : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { MensuroRegistry().Clear(); }
};

} // namespace

TEST_F(Settings, CancelKeepsEverythingAndOkSavesTheTopBarForAllFour)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    const POINT bigTick = At(140, 30);
    ASSERT_TRUE(WaitForPixel(bigTick.x, bigTick.y, kRed));

    HWND menu = OpenContextMenu(ruler, bigTick.x, bigTick.y);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_SETTINGS));
    HWND dialog = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (dialog = ruler.FindOwnWindow(L"Settings")) != nullptr; }));
    EXPECT_EQ(L"320", TextOf(dialog, IDC_WIDTH));
    EXPECT_EQ(L"5", TextOf(dialog, IDC_PITCH_S));
    EXPECT_EQ(L"100", TextOf(dialog, IDC_PITCH_L));
    EXPECT_EQ(1, SendTimed(GetDlgItem(dialog, IDC_SCALE_SIZE), CB_GETCURSEL, 0, 0));
    EXPECT_TRUE(PumpUntil([&] { return SwatchOf(dialog, IDC_COLOR_BACK) == kWhite; }));
    EXPECT_FALSE(IsWindowEnabled(ruler.Window())) << "the ruler waits for its dialog";
    Click(dialog, IDC_TOP_BAR);
    Type(dialog, IDC_PITCH_S, L"8");
    ASSERT_TRUE(CloseDialog(ruler, dialog, IDCANCEL));
    EXPECT_TRUE(WaitForPixel(bigTick.x, bigTick.y, kRed)) << "the top bar is still there";
    EXPECT_FALSE(MensuroRegistry().Exists("ScaleBar1"));

    // Small ticks every 8 on the top bar's page: OK gives them to all four bars.
    dialog = OpenSettings(ruler);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(BST_CHECKED, SendTimed(GetDlgItem(dialog, IDC_TOP_BAR), BM_GETCHECK, 0, 0));
    Type(dialog, IDC_PITCH_S, L"8");
    ASSERT_TRUE(CloseDialog(ruler, dialog, IDOK));
    EXPECT_TRUE(WaitForPixel(At(48, 35).x, At(48, 35).y, kBlack)) << "top bar, tick at 8";
    EXPECT_TRUE(WaitForPixel(At(35, 48).x, At(35, 48).y, kBlack)) << "left bar";
    EXPECT_TRUE(WaitForPixel(At(364, 48).x, At(364, 48).y, kBlack)) << "right bar";
    EXPECT_TRUE(WaitForPixel(At(48, 264).x, At(48, 264).y, kBlack)) << "bottom bar";
    EXPECT_TRUE(WaitForPixel(At(45, 35).x, At(45, 35).y, kWhite)) << "no tick at 5 any more";
    const auto reg = MensuroRegistry();
    const char* const names[] = {"Flags", "ScaleS", "ScaleM", "ScaleL", "ColorS", "ColorM", "ColorL", "Back", "Text"};
    const uint32_t flags[] = {0x181, 0x141, 0x121, 0x111};
    for (int i = 0; i < 4; ++i) {
        const std::string section = "ScaleBar" + std::to_string(i + 1);
        EXPECT_EQ(9, reg.ValueCount(section.c_str())) << section;
        for (const char* name : names) EXPECT_EQ(DWORD(REG_DWORD), reg.Type(section.c_str(), name)) << name;
        const uint32_t want[] = {flags[i], 8, 50, 100, 0, 0xFF00FF, 0x0000FF, 0xFFFFFF, 0x808080};
        for (int n = 0; n < 9; ++n)
            EXPECT_EQ(want[n], reg.Dword(section.c_str(), names[n]).value_or(0xDEAD)) << section << " " << names[n];
    }
    EXPECT_EQ(WindowRectOf(ruler.Window()).right, kRuler.right);
    EXPECT_TRUE(WaitForPixel(bigTick.x, bigTick.y, kRed));
}

TEST_F(Settings, IndividualTabsEachChangeTheirOwnBar)
{
    auto reg = MensuroRegistry();
    reg.SetDword(kSection, "Option", 0x01E); // Individual, not topmost: the dialog takes clicks
    reg.SetDword(kSection, "Flags", 0x131);  // left and right bars only
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    HWND dialog = OpenSettings(ruler);
    ASSERT_NE(nullptr, dialog);
    HWND tabs = GetDlgItem(dialog, IDC_BAR_TABS);
    ASSERT_EQ(2, SendTimed(tabs, TCM_GETITEMCOUNT, 0, 0));
    ASSERT_EQ(0, SendTimed(tabs, TCM_GETCURSEL, 0, 0));

    // "Left": a red background from the popup (third column, second row).
    ASSERT_TRUE(ChooseCell(ruler, dialog, IDC_COLOR_BACK, 2, 1));
    EXPECT_TRUE(PumpUntil([&] { return SwatchOf(dialog, IDC_COLOR_BACK) == kRed; }));
    // The "..." cell opens the colour dialog once the popup has gone; Cancel there changes nothing.
    ASSERT_TRUE(ChooseCell(ruler, dialog, IDC_COLOR_BACK, 3, 5));
    HWND colours = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (colours = ruler.FindOwnWindow(L"Color")) != nullptr; }));
    EXPECT_EQ(dialog, GetWindow(colours, GW_OWNER));
    PostMessageW(colours, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(colours); }));
    EXPECT_EQ(kRed, SwatchOf(dialog, IDC_COLOR_BACK));

    // "Right", chosen with the keyboard on the focused tabs: big ticks every 30.
    const RECT tabRect = WindowRectOf(tabs);
    UserInput::Click(tabRect.left + 12, tabRect.top + 8);
    UserInput::Key(VK_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return SendTimed(tabs, TCM_GETCURSEL, 0, 0) == 1; }));
    EXPECT_TRUE(PumpUntil([&] { return SwatchOf(dialog, IDC_COLOR_BACK) == kWhite; }));
    Type(dialog, IDC_PITCH_L, L"30");
    ASSERT_TRUE(CloseDialog(ruler, dialog, IDOK));

    EXPECT_EQ(0x0000FFu, reg.Dword("ScaleBar3", "Back").value_or(0));
    EXPECT_EQ(100u, reg.Dword("ScaleBar3", "ScaleL").value_or(0));
    EXPECT_EQ(0xFFFFFFu, reg.Dword("ScaleBar4", "Back").value_or(0));
    EXPECT_EQ(30u, reg.Dword("ScaleBar4", "ScaleL").value_or(0));
    EXPECT_TRUE(WaitForPixel(At(5, 62).x, At(5, 62).y, kRed)) << "left bar background";
    EXPECT_TRUE(WaitForPixel(At(365, 70).x, At(365, 70).y, kRed)) << "right bar big tick at 30";
    EXPECT_TRUE(WaitForPixel(At(395, 62).x, At(395, 62).y, kWhite)) << "right bar background";
    EXPECT_TRUE(WaitForPixel(At(200, 30).x, At(200, 30).y, kBackdrop)) << "no top bar";
}

TEST_F(Settings, BadPitchIsRefusedAndClearingEveryBarLeavesTheCorners)
{
    // A thickness and a line width that the lists do not offer.
    MensuroRegistry().SetDword(kSection, "ScaleSize", 45);
    MensuroRegistry().SetDword(kSection, "LineSize", 12);
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    HWND dialog = OpenSettings(ruler);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(CB_ERR, SendTimed(GetDlgItem(dialog, IDC_SCALE_SIZE), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(CB_ERR, SendTimed(GetDlgItem(dialog, IDC_LINE_SIZE), CB_GETCURSEL, 0, 0));

    for (const wchar_t* bad : {L"0", L"abc"}) {
        Type(dialog, IDC_PITCH_S, bad);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        HWND box = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (box = ruler.FindMessageBox()) != nullptr; })) << bad;
        EXPECT_TRUE(HasChildText(box, L"An error is in input value. "));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(box); }));
        ruler.Sync();
        EXPECT_EQ(L"5", TextOf(dialog, IDC_PITCH_S)) << "the last stored value is back after " << std::wstring(bad);
        EXPECT_TRUE(IsWindowVisible(dialog));
    }

    for (int id : {IDC_TOP_BAR, IDC_BOTTOM_BAR, IDC_LEFT_BAR, IDC_RIGHT_BAR}) Click(dialog, id);
    EXPECT_EQ(0, SendTimed(GetDlgItem(dialog, IDC_BAR_TABS), TCM_GETITEMCOUNT, 0, 0));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PITCH_S)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_COLOR_BACK)));
    ASSERT_TRUE(CloseDialog(ruler, dialog, IDOK));

    EXPECT_TRUE(WaitForPixel(At(200, 30).x, At(200, 30).y, kBackdrop)) << "no top bar";
    EXPECT_TRUE(WaitForPixel(At(20, 150).x, At(20, 150).y, kBackdrop)) << "no left bar";
    EXPECT_TRUE(WaitForPixel(At(30, 30).x, At(30, 30).y, kWhite)) << "the corner square stays";
    EXPECT_TRUE(WaitForPixel(At(370, 270).x, At(370, 270).y, kWhite)) << "so does the other";
    EXPECT_EQ(kRuler.right, WindowRectOf(ruler.Window()).right);
    EXPECT_EQ(0u, ruler.Exit());
    const auto reg = MensuroRegistry();
    EXPECT_EQ(0x101u, reg.Dword(kSection, "Flags").value_or(0));
    EXPECT_EQ(45u, reg.Dword(kSection, "ScaleSize").value_or(0)) << "kept, not an empty selection";
    EXPECT_EQ(12u, reg.Dword(kSection, "LineSize").value_or(0));
}

TEST_F(Settings, JapaneseDialogHasJapaneseCaptions)
{
    if (!RulerSession::CanStartInLocale()) GTEST_SKIP() << "another language is started only under Wine";
    RulerSession ruler("ja_JP.UTF-8");
    ASSERT_TRUE(ruler.Started());
    HWND dialog = OpenSettings(ruler, L"\u8A2D\u5B9A"); // 設定
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(L"\u4E0A\u30B9\u30B1\u30FC\u30EB\u30D0\u30FC (&T) \uFF1A ",
              TextOf(dialog, IDC_TOP_BAR));                                              // 上スケールバー
    EXPECT_EQ(L"\u500B\u5225\u8A2D\u5B9A (&I) \uFF1A ", TextOf(dialog, IDC_INDIVIDUAL)); // 個別設定
    EXPECT_EQ(L"\u30AD\u30E3\u30F3\u30BB\u30EB", TextOf(dialog, IDCANCEL));              // キャンセル
    ASSERT_TRUE(CloseDialog(ruler, dialog, IDCANCEL));
}

TEST_F(Settings, SizeThicknessAndLineWidthApplyAtOnceAndPersist)
{
    SolidWindow backdrop({50, 50, 1100, 600}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    const POINT onTop = At(200, 30);
    UserInput::DoubleClick(onTop.x, onTop.y);
    ASSERT_TRUE(PumpUntil([&] { return CyanInRow(At(0, 150).y) > 0; }));
    EXPECT_EQ(1, CyanInRow(At(0, 150).y));

    HWND dialog = OpenSettings(ruler);
    ASSERT_NE(nullptr, dialog);
    Type(dialog, IDC_WIDTH, L"800");
    ASSERT_TRUE(CloseDialog(ruler, dialog, IDOK));
    RECT r = WindowRectOf(ruler.Window());
    EXPECT_EQ(kRuler.left, r.left);
    EXPECT_EQ(kRuler.top, r.top);
    EXPECT_EQ(880, r.right - r.left);
    EXPECT_EQ(300, r.bottom - r.top);

    dialog = OpenSettings(ruler);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(L"800", TextOf(dialog, IDC_WIDTH));
    Select(dialog, IDC_SCALE_SIZE, 3); // 60
    Select(dialog, IDC_LINE_SIZE, 2);  // 3
    ASSERT_TRUE(CloseDialog(ruler, dialog, IDOK));
    r = WindowRectOf(ruler.Window());
    EXPECT_EQ(kRuler.left, r.left);
    EXPECT_EQ(920, r.right - r.left);
    EXPECT_EQ(340, r.bottom - r.top);
    EXPECT_TRUE(WaitForPixel(At(302, 50).x, At(302, 50).y, kWhite)) << "the top bar is 60 thick";
    EXPECT_EQ(3, CyanInRow(At(0, 150).y));

    EXPECT_EQ(0u, ruler.Exit());
    const auto reg = MensuroRegistry();
    EXPECT_EQ(60u, reg.Dword(kSection, "ScaleSize").value_or(0));
    EXPECT_EQ(3u, reg.Dword(kSection, "LineSize").value_or(0));
    EXPECT_EQ(uint32_t(kRuler.left + 920), reg.Dword(kSection, "RIGHT").value_or(0));
}

TEST_F(Settings, HeightAndBothLineColoursIncludingOneFromTheColourDialog)
{
    SolidWindow backdrop({50, 50, 600, 600}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    HWND dialog = OpenSettings(ruler);
    ASSERT_NE(nullptr, dialog);
    Type(dialog, IDC_HEIGHT, L"400");
    // The line red from the palette (third column, second row); its label's colour typed into
    // the system colour dialog, reached by the palette's "..." cell, and taken with OK.
    ASSERT_TRUE(ChooseCell(ruler, dialog, IDC_LINE_COLOR, 2, 1));
    EXPECT_TRUE(PumpUntil([&] { return SwatchOf(dialog, IDC_LINE_COLOR) == kRed; }));
    ASSERT_TRUE(ChooseCell(ruler, dialog, IDC_LINE_TEXT_COLOR, 3, 5));
    HWND colours = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (colours = ruler.FindOwnWindow(L"Color")) != nullptr; }));
    const int red = 706, green = 707, blue = 708; // the dialog's own edit fields
    for (const auto& [id, value] : {std::pair{red, L"0"}, std::pair{green, L"0"}, std::pair{blue, L"200"}})
        SendTimed(GetDlgItem(colours, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
    PostMessageW(colours, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(colours); }));
    constexpr COLORREF kDarkBlue = RGB(0, 0, 200);
    EXPECT_TRUE(PumpUntil([&] { return SwatchOf(dialog, IDC_LINE_TEXT_COLOR) == kDarkBlue; }));
    ASSERT_TRUE(CloseDialog(ruler, dialog, IDOK));

    EXPECT_TRUE(PumpUntil([&] { return WindowRectOf(ruler.Window()).bottom - kRuler.top == 480; }))
        << "400 inside the bars";
    EXPECT_EQ(400, WindowRectOf(ruler.Window()).right - kRuler.left);
    const POINT onTop = At(140, 30);
    UserInput::DoubleClick(onTop.x, onTop.y);
    EXPECT_TRUE(WaitForPixel(At(140, 200).x, At(140, 200).y, kRed)) << "the line";
    EXPECT_GT(ScreenShot(At(118, 0).x, At(0, 0).y, 45, 16)
                  .Count({At(118, 0).x, At(0, 0).y, At(163, 0).x, At(0, 16).y}, kDarkBlue),
              10)
        << "its label";
    EXPECT_EQ(0u, ruler.Exit());
    const auto reg = MensuroRegistry();
    EXPECT_EQ(0x0000FFu, reg.Dword(kSection, "LineColor").value_or(0));
    EXPECT_EQ(0xC80000u, reg.Dword(kSection, "LineTextColor").value_or(0));
    EXPECT_EQ(uint32_t(kRuler.top + 480), reg.Dword(kSection, "BOTTOM").value_or(0));
}
