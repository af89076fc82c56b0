// Guide lines on the edges of what lies under the ruler: key E, the menu's pick, snapping, the gaps.
#include "resources/resource.h"
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

namespace {

constexpr RECT kRuler = {100, 100, 500, 400}; // inner area (140, 140) - (460, 360), 320 x 220
constexpr RECT kPanel = {200, 180, 330, 290}; // inner columns 60..189, rows 40..149
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kPanelColour = RGB(200, 60, 40), kCyan = RGB(0, 255, 255);
// Commands of the context menu, picked by id.
enum MenuItem : UINT { ItemDeleteLine = ID_DELETE_LINE, ItemLinesAtEdges = ID_LINES_AT_EDGES, ItemSnapToEdges = ID_SNAP_TO_EDGES };

void ChooseFromMenu(const RulerSession& ruler, UINT item)
{
    HWND menu = OpenContextMenu(ruler, kRuler.left + 300, kRuler.top + 30);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(ChooseMenuCommand(menu, item));
    ruler.Settle();
}

std::string Colours(const ScreenShot& shot, std::initializer_list<POINT> points)
{
    std::string all;
    for (const POINT& p : points) all += Hex(shot.At(p.x, p.y)) + " ";
    return all;
}

// X lines 60 and 190 and Y lines 40 and 150: on the panel's first column and row and just past its last.
void ExpectLinesOnThePanelsEdges()
{
    ASSERT_TRUE(WaitForPixel(kPanel.left, 230, kCyan));
    ASSERT_TRUE(WaitForPixel(260, kPanel.bottom, kCyan));
    const ScreenShot shot(150, 150, 300, 200);
    const std::string b = Hex(kBackdrop) + " ", p = Hex(kPanelColour) + " ", c = Hex(kCyan) + " ";
    EXPECT_EQ(b + c + p, Colours(shot, {{199, 230}, {200, 230}, {201, 230}}));
    EXPECT_EQ(p + c + b, Colours(shot, {{329, 230}, {330, 230}, {331, 230}}));
    EXPECT_EQ(b + c + p, Colours(shot, {{260, 179}, {260, 180}, {260, 181}}));
    EXPECT_EQ(p + c + b, Colours(shot, {{260, 289}, {260, 290}, {260, 291}}));
}

void ShiftKey(bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_SHIFT;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(input));
    Sleep(20);
}

class EdgeLines : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { MensuroRegistry().Clear(); }
    // Shown before the ruler starts, so that it stays above them.
    SolidWindow m_backdrop{{50, 50, 600, 500}, kBackdrop};
    SolidWindow m_panel{kPanel, kPanelColour};
};

} // namespace

TEST_F(EdgeLines, KeyEPutsLinesOnTheFourEdgesOnceAndTheirTooltipsGiveTheGaps)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    ASSERT_TRUE(WaitForPixel(260, 230, kPanelColour));
    UserInput::Click(kRuler.left + 300, kRuler.top + 30); // the ruler takes the keys
    UserInput::MoveTo(260, 230);
    UserInput::Key('E');
    ExpectLinesOnThePanelsEdges();
    // Again: the lines are seen through and found where they are, so nothing is added.
    UserInput::Key('E');
    ruler.Settle();
    // Over X line 60 on the top bar, its tooltip: 60 from the inner area's left edge, 130 to X line 190.
    UserInput::MoveTo(kPanel.left + 1, kRuler.top + 30);
    UserInput::MoveTo(kPanel.left, kRuler.top + 30);
    std::wstring text;
    EXPECT_TRUE(PumpUntil(
        [&] {
            HWND tip = WindowOfProcess(ruler.ProcessId(), L"tooltips_class32");
            return tip && (text = TextOf(tip)) == L"60  (60 | 130)";
        },
        5000))
        << std::string(text.begin(), text.end());
    HWND menu = OpenContextMenu(ruler, kPanel.left, kRuler.top + 30);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(ChooseMenuCommand(menu, ItemDeleteLine));
    EXPECT_TRUE(WaitForPixel(kPanel.left, 230, kPanelColour)) << "a second E added a second line";
}

TEST_F(EdgeLines, MenuPicksWithTheNextClickAndEscOrARightClickCancel)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    ASSERT_TRUE(WaitForPixel(260, 230, kPanelColour));
    ChooseFromMenu(ruler, ItemLinesAtEdges);
    UserInput::Key(VK_ESCAPE);
    ruler.Settle();
    UserInput::Click(250, 220);
    EXPECT_TRUE(PumpUntil([&] { return m_panel.WasPressedAt(250, 220); })) << "Esc did not end the pick";

    ChooseFromMenu(ruler, ItemLinesAtEdges);
    UserInput::Click(255, 225, true);
    ruler.Settle();
    UserInput::Click(260, 230);
    EXPECT_TRUE(PumpUntil([&] { return m_panel.WasPressedAt(260, 230); })) << "a right click did not end the pick";
    EXPECT_EQ(Hex(kPanelColour), Hex(ScreenPixel(kPanel.left, 230)));

    ChooseFromMenu(ruler, ItemLinesAtEdges);
    UserInput::Click(270, 240);
    ExpectLinesOnThePanelsEdges();
    Linger(ruler);
    EXPECT_FALSE(m_panel.WasPressedAt(270, 240)) << "the picking click reached the window under the ruler";
}

TEST_F(EdgeLines, LinesSnapToEdgesWhenDroppedOrAddedExceptWithShift)
{
    // Tooltips off: under Wine the one that follows a dragged line now and then takes a move.
    MensuroRegistry().SetDword("CMensuroDlg", "Option", 0x00D);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    ASSERT_TRUE(WaitForPixel(260, 230, kPanelColour));
    ChooseFromMenu(ruler, ItemSnapToEdges);
    const int onTop = kRuler.top + 30;
    // A double-click 3 px right of the panel's right edge adds X line 190 on it.
    UserInput::DoubleClick(kPanel.right + 3, onTop);
    EXPECT_TRUE(WaitForPixel(kPanel.right, 230, kCyan));
    EXPECT_EQ(Hex(kBackdrop), Hex(ScreenPixel(kPanel.right + 3, 230)));

    // X line 120, far from edges, dragged to 3 px right of the left edge: the feedback shows it on the edge.
    UserInput::DoubleClick(260, onTop);
    ASSERT_TRUE(WaitForPixel(260, 230, kCyan));
    UserInput::Press(260, onTop);
    UserInput::MoveTo(230, onTop);
    // Wine can hand over a late move from an earlier place after the last one: moving again
    // between places that snap alike lets the feedback follow.
    bool shown = false;
    for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
        UserInput::MoveTo(kPanel.left + 2, onTop);
        UserInput::MoveTo(kPanel.left + 3, onTop);
        ruler.Settle();
        shown = WaitForPixel(kPanel.left, 230, kPanelColour ^ 0xFFFFFF);
    }
    EXPECT_TRUE(shown) << "no inverted line on the edge";
    EXPECT_EQ(Hex(kPanelColour), Hex(ScreenPixel(kPanel.left + 3, 230)));
    UserInput::Release(kPanel.left + 3, onTop);
    EXPECT_TRUE(WaitForPixel(kPanel.left, 230, kCyan));

    // The same drop with Shift held stays where it is. Wine now and then sets its key state back
    // to the X server's, where Shift is up: a drop that snapped all the same is tried again.
    bool exact = false;
    for (int attempt = 0; attempt < 3 && !exact; ++attempt) {
        ShiftKey(true);
        UserInput::Press(kPanel.left, onTop);
        UserInput::MoveTo(kPanel.left + 3, onTop);
        ShiftKey(true);
        UserInput::Release(kPanel.left + 3, onTop);
        ShiftKey(false);
        exact = WaitForPixel(kPanel.left + 3, 230, kCyan);
    }
    EXPECT_TRUE(exact) << "the drop with Shift snapped";
    EXPECT_TRUE(WaitForPixel(kPanel.left, 230, kPanelColour));
}
