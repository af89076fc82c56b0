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
enum MenuItem : UINT {
    ItemDeleteLine = ID_DELETE_LINE,
    ItemLinesAtEdges = ID_LINES_AT_EDGES,
    ItemSnapToEdges = ID_SNAP_TO_EDGES
};

// The command reaches the ruler before any later input: posted messages go first.
void ChooseFromMenu(const RulerSession& ruler, UINT item)
{
    HWND menu = OpenContextMenu(ruler, kRuler.left + 300, kRuler.top + 30);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(ChooseMenuCommand(menu, item));
}

// The window that holds the mouse capture of the ruler's thread: the ruler while it picks.
HWND CaptureOf(const RulerSession& ruler)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(ruler.Window(), nullptr), &info);
    return info.hwndCapture;
}

// "Lines at Edges" from the menu; true once the ruler waits for the picking click.
bool StartPick(const RulerSession& ruler)
{
    ChooseFromMenu(ruler, ItemLinesAtEdges);
    return PumpUntil([&] { return CaptureOf(ruler) == ruler.Window(); });
}

// Whether the pick has ended: the ruler has let go of the mouse.
bool PickEnded(const RulerSession& ruler)
{
    return PumpUntil([&] { return CaptureOf(ruler) == nullptr; });
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

class EdgeLines : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { MensuroRegistry().Clear(); }
    // Shown before the ruler starts, so that it stays above them; clicked through the ruler.
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
    // Again: the lines are seen through and found where they are, so nothing is added (the
    // Delete Line below leaves no line behind).
    UserInput::Key('E');
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
    ASSERT_TRUE(StartPick(ruler));
    UserInput::Key(VK_ESCAPE);
    EXPECT_TRUE(PickEnded(ruler)) << "Esc did not end the pick";
    UserInput::Click(250, 220);
    EXPECT_TRUE(PumpUntil([&] { return m_panel.WasPressedAt(250, 220); })) << "the next click was kept";

    ASSERT_TRUE(StartPick(ruler));
    UserInput::Click(255, 225, true);
    EXPECT_TRUE(PickEnded(ruler)) << "a right click did not end the pick";
    UserInput::Click(260, 230);
    EXPECT_TRUE(PumpUntil([&] { return m_panel.WasPressedAt(260, 230); })) << "the next click was kept";
    EXPECT_EQ(Hex(kPanelColour), Hex(ScreenPixel(kPanel.left, 230)));

    ASSERT_TRUE(StartPick(ruler));
    UserInput::Click(270, 240);
    ExpectLinesOnThePanelsEdges();
    // A later click reaches the window: the picking click had its turn before it.
    UserInput::Click(280, 250);
    ASSERT_TRUE(PumpUntil([&] { return m_panel.WasPressedAt(280, 250); }));
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
    UserInput::MoveTo(kPanel.left + 3, onTop);
    EXPECT_TRUE(WaitForPixel(kPanel.left, 230, kPanelColour ^ 0xFFFFFF)) << "no inverted line on the edge";
    EXPECT_EQ(Hex(kPanelColour), Hex(ScreenPixel(kPanel.left + 3, 230)));
    UserInput::Release(kPanel.left + 3, onTop);
    EXPECT_TRUE(WaitForPixel(kPanel.left, 230, kCyan));

    // The same drop with Shift held stays where it is.
    UserInput::KeyDown(VK_SHIFT);
    UserInput::Drag(kPanel.left, onTop, kPanel.left + 3, onTop);
    UserInput::KeyUp(VK_SHIFT);
    EXPECT_TRUE(WaitForPixel(kPanel.left + 3, 230, kCyan)) << "the drop with Shift snapped";
    EXPECT_TRUE(WaitForPixel(kPanel.left, 230, kPanelColour));
}

TEST_F(EdgeLines, AHorizontalLineSnapsToAHorizontalEdge)
{
    MensuroRegistry().SetDword("CMensuroDlg", "Option", 0x00D); // as above, no tooltips
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    ASSERT_TRUE(WaitForPixel(260, 230, kPanelColour));
    ChooseFromMenu(ruler, ItemSnapToEdges);
    // Y line 190, far from edges, dragged on the left bar to 3 px below the panel's top edge.
    const int onLeft = kRuler.left + 30;
    UserInput::DoubleClick(onLeft, 330);
    ASSERT_TRUE(WaitForPixel(260, 330, kCyan));
    UserInput::Press(onLeft, 330);
    UserInput::MoveTo(onLeft, 250);
    UserInput::MoveTo(onLeft, kPanel.top + 3);
    EXPECT_TRUE(WaitForPixel(260, kPanel.top, kPanelColour ^ 0xFFFFFF)) << "no inverted line on the edge";
    UserInput::Release(onLeft, kPanel.top + 3);
    EXPECT_TRUE(WaitForPixel(260, kPanel.top, kCyan));
    EXPECT_EQ(Hex(kPanelColour), Hex(ScreenPixel(260, kPanel.top + 3)));
}

TEST_F(EdgeLines, ADroppedLineSnapsWithTheCoordinateTooltipShowing)
{
    RulerSession ruler; // the default options: the tooltip follows the dragged line
    ASSERT_TRUE(ruler.Started());
    ASSERT_TRUE(WaitForPixel(260, 230, kPanelColour));
    ChooseFromMenu(ruler, ItemSnapToEdges);
    const int onTop = kRuler.top + 30;
    UserInput::DoubleClick(260, onTop);
    ASSERT_TRUE(WaitForPixel(260, 230, kCyan));
    UserInput::Drag(260, onTop, kPanel.left + 3, onTop);
    EXPECT_TRUE(WaitForPixel(kPanel.left, 230, kCyan)) << "the drop did not snap to the edge";
    EXPECT_EQ(Hex(kPanelColour), Hex(ScreenPixel(kPanel.left + 3, 230)));
}
