// The visible ruler: pixels on screen, shape, moving, resizing and targeting.
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

const char kSection[] = "CMensuroDlg";
constexpr int kS = 40;                        // default ScaleSize
constexpr RECT kRuler = {100, 100, 500, 400}; // a 400 x 300 client area
constexpr RECT kInner = {kRuler.left + kS, kRuler.top + kS, kRuler.right - kS, kRuler.bottom - kS};
constexpr COLORREF kBackdrop = RGB(32, 144, 96);
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kMagenta = RGB(255, 0, 255),
                   kRed = RGB(255, 0, 0);

std::array<LONG, 4> Edges(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

// Numbers are grey (0x808080) on white, possibly smoothed: neutral, neither the black ticks nor white.
bool IsInk(COLORREF c)
{
    const int v = GetRValue(c);
    return v == GetGValue(c) && v == GetBValue(c) && v >= 0x60 && v < 0xF0;
}

// Bounding box of the ink in area (client coordinates); empty when there is none.
RECT InkBox(const ClientShot& shot, const RECT& area)
{
    RECT box = {area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (IsInk(shot.At(x, y))) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

double CentreX(const RECT& r)
{
    return (r.left + r.right - 1) / 2.0;
}

double CentreY(const RECT& r)
{
    return (r.top + r.bottom - 1) / 2.0;
}

enum class Bar { Top, Bottom, Left, Right };

// Compares the 21-pixel band along a bar's inner edge with the default ticks of a 40-pixel bar:
// black 10 px every 5, magenta 13 px every 50, red 20 px every 100 from the bar's start, none at
// either end. u runs along the bar over [uFrom, uTo); d counts pixels outward from the inner edge.
// Top and left ticks start on the inner area's first row/column, which is outside the window
// region, so one pixel less of them shows. Returns the first few differences.
std::string TickBandDifferences(const ClientShot& shot, Bar bar, SIZE client, int uFrom, int uTo)
{
    const bool horizontal = bar == Bar::Top || bar == Bar::Bottom;
    const int uEnd = (horizontal ? client.cx : client.cy) - kS;
    const int hidden = (bar == Bar::Top || bar == Bar::Left) ? 1 : 0;
    std::string out;
    int differences = 0;
    for (int u = uFrom; u < uTo; ++u) {
        const int v = u - kS;
        int length = 0;
        COLORREF colour = kWhite;
        if (v > 0 && u < uEnd) {
            if (v % 100 == 0)
                length = 20, colour = kRed;
            else if (v % 50 == 0)
                length = 13, colour = kMagenta;
            else if (v % 5 == 0)
                length = 10, colour = kBlack;
        }
        for (int d = 0; d <= 20; ++d) {
            const int x = bar == Bar::Left ? kS - 1 - d : bar == Bar::Right ? client.cx - kS + d : u;
            const int y = bar == Bar::Top ? kS - 1 - d : bar == Bar::Bottom ? client.cy - kS + d : u;
            const COLORREF want = d < length - hidden ? colour : kWhite;
            const COLORREF got = shot.At(x, y);
            if (got != want && ++differences <= 5)
                out += "(" + std::to_string(x) + "," + std::to_string(y) + ") " + Hex(got) + " not " + Hex(want) + "; ";
        }
    }
    if (differences > 5) out += std::to_string(differences) + " in all";
    return out;
}

// A left-handed user's mouse: the buttons swapped for the length of a test.
class SwappedButtons {
public:
    SwappedButtons() : m_wasSwapped(SwapMouseButton(TRUE) != FALSE) {}
    ~SwappedButtons() { SwapMouseButton(m_wasSwapped); }
    SwappedButtons(const SwappedButtons&) = delete;
    SwappedButtons& operator=(const SwappedButtons&) = delete;

    // Whether the primary button is the physical right one, as the system delivers presses:
    // one click of each button on a window that records left presses. (Windows swaps the
    // messages; Wine 8 reports the swap but delivers the buttons as they are.)
    static bool PrimaryIsPhysicalRight(const SolidWindow& window)
    {
        const RECT r = window.Rect();
        const POINT right = {r.left + 10, r.top + 10}, left = {r.left + 20, r.top + 10};
        UserInput::Click(right.x, right.y, true);
        UserInput::Click(left.x, left.y);
        PumpUntil([&] { return window.WasPressedAt(right.x, right.y) || window.WasPressedAt(left.x, left.y); });
        return window.WasPressedAt(right.x, right.y);
    }

private:
    bool m_wasSwapped;
};

class RulerView : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { MensuroRegistry().Clear(); }

    // A point on the top bar that reaches the ruler as a client-area press.
    static constexpr POINT kOnTopBar = {kRuler.left + 200, kRuler.top + 30};
};

} // namespace

TEST_F(RulerView, DefaultRulerShowsTheWorkedExample)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    ASSERT_EQ(Edges(kRuler), Edges(ruler.Rect()));
    ASSERT_TRUE(WaitForPixel(kRuler.left + 140, kRuler.top + 30, kRed));
    ASSERT_TRUE(WaitForPixel(kRuler.left + 200, kRuler.top + 150, kBackdrop));
    const ClientShot shot(kRuler);
    const SIZE client = {400, 300};

    // Ticks: the whole top bar including both corner squares, the whole bottom bar, and the side
    // bars up to their first number (at 140).
    EXPECT_EQ("", TickBandDifferences(shot, Bar::Top, client, 22, 400));
    EXPECT_EQ("", TickBandDifferences(shot, Bar::Bottom, client, kS, 360));
    EXPECT_EQ("", TickBandDifferences(shot, Bar::Left, client, kS, 126));
    EXPECT_EQ("", TickBandDifferences(shot, Bar::Right, client, kS, 126));
    // The first pixel of a top or left tick lies in the inner area: the window below shows there.
    for (int x : {45, 90, 140}) EXPECT_EQ(Hex(kBackdrop), Hex(shot.At(x, kS))) << "top tick at x " << x;
    EXPECT_EQ(Hex(kBackdrop), Hex(shot.At(kS, 45))) << "left tick at y 45";

    // Numbers at the first big tick of each bar, against the bar's outer edge.
    const RECT top = InkBox(shot, {76, 0, 204, 20});
    EXPECT_NEAR(140, CentreX(top), 3);
    EXPECT_LE(top.top, 4);
    const RECT bottom = InkBox(shot, {76, 280, 204, 300});
    EXPECT_NEAR(140, CentreX(bottom), 3);
    EXPECT_GE(bottom.bottom, 296);
    const RECT left = InkBox(shot, {0, 78, 40, 202});
    EXPECT_NEAR(140, CentreY(left), 3);
    EXPECT_GE(left.left, 2);
    EXPECT_LE(left.left, 5);
    const RECT right = InkBox(shot, {360, 78, 400, 202});
    EXPECT_NEAR(140, CentreY(right), 3);
    EXPECT_GE(right.right, 394);
    EXPECT_LE(right.right, 398);
    // "300" centred on 340 and the length label centred on 360: together centred on 350.
    EXPECT_NEAR(350, CentreX(InkBox(shot, {300, 0, 400, 20})), 3);

    // Move box: etched frame (dark outer line top and left, dark inner line bottom and right)
    // around the icon at (3, 3), 16 x 16, with a white ring between them.
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    for (POINT p : {POINT{11, 0}, POINT{0, 11}, POINT{11, 20}, POINT{20, 11}})
        EXPECT_EQ(Hex(shadow), Hex(shot.At(p.x, p.y))) << "move box frame at " << p.x << "," << p.y;
    int icon = 0, ring = 0;
    for (int y = 2; y < 20; ++y)
        for (int x = 2; x < 20; ++x)
            if (shot.At(x, y) != kWhite) ++(x == 2 || y == 2 || x == 19 || y == 19 ? ring : icon);
    EXPECT_GT(icon, 40);
    EXPECT_EQ(0, ring);

    // Size grip: etched frame (382, 282, 400, 300), the grip's dark diagonals in its lower right half.
    for (POINT p : {POINT{391, 282}, POINT{382, 291}, POINT{391, 298}, POINT{398, 291}})
        EXPECT_EQ(Hex(shadow), Hex(shot.At(p.x, p.y))) << "size grip frame at " << p.x << "," << p.y;
    int lowerRight = 0, upperLeft = 0;
    for (int y = 284; y < 298; ++y)
        for (int x = 384; x < 398; ++x)
            if (shot.At(x, y) == shadow) ++(x + y > 384 + 297 ? lowerRight : upperLeft);
    EXPECT_GE(lowerRight, 8);
    EXPECT_EQ(0, upperLeft);
}

TEST_F(RulerView, InnerAreaShowsAndPassesClicksToTheWindowBelow)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    ASSERT_TRUE(WaitForPixel(kInner.left + 100, kInner.top + 100, kBackdrop));
    ASSERT_TRUE(WaitForPixel(kRuler.left + 140, kRuler.top + 30, kRed));

    const ScreenShot shot(kInner.left - 1, kInner.top - 1, kInner.right - kInner.left + 2,
                          kInner.bottom - kInner.top + 2);
    const int area = (kInner.right - kInner.left) * (kInner.bottom - kInner.top);
    EXPECT_EQ(area, shot.Count(kInner, kBackdrop)) << "every inner pixel shows the window below";
    const RECT ring[] = {{kInner.left - 1, kInner.top - 1, kInner.right + 1, kInner.top},
                         {kInner.left - 1, kInner.bottom, kInner.right + 1, kInner.bottom + 1},
                         {kInner.left - 1, kInner.top, kInner.left, kInner.bottom},
                         {kInner.right, kInner.top, kInner.right + 1, kInner.bottom}};
    for (const RECT& r : ring) EXPECT_EQ(0, shot.Count(r, kBackdrop)) << "the bars around it are solid";

    // A press on a bar first: the window below takes the later presses in order.
    UserInput::Click(kOnTopBar.x, kOnTopBar.y);
    const POINT inside[] = {{(kInner.left + kInner.right) / 2, (kInner.top + kInner.bottom) / 2},
                            {kInner.left, kInner.top},
                            {kInner.right - 1, kInner.bottom - 1}};
    for (const POINT& p : inside) {
        UserInput::Click(p.x, p.y);
        EXPECT_TRUE(PumpUntil([&] { return backdrop.WasPressedAt(p.x, p.y); })) << "press at " << p.x << "," << p.y;
    }
    EXPECT_FALSE(backdrop.WasPressedAt(kOnTopBar.x, kOnTopBar.y)) << "a press on a bar stays with the ruler";
}

TEST_F(RulerView, EdgeZonesMoveOrResizeAndTheMoveBoxDragsTheWindow)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    struct Case {
        int x, y; // client coordinates
        LRESULT code;
    } const cases[] = {
        {200, 30, HTCLIENT},       {200, 20, HTCLIENT},   {200, 19, HTCAPTION},
        {200, 15, HTCAPTION},      {200, 8, HTCAPTION},   {200, 7, HTTOP},
        {200, 5, HTTOP},           {200, 295, HTBOTTOM},  {200, 285, HTCAPTION},
        {5, 150, HTLEFT},          {15, 150, HTCAPTION},  {395, 150, HTRIGHT},
        {0, 0, HTCAPTION},         {21, 21, HTCAPTION},   {22, 0, HTTOP},
        {0, 22, HTLEFT},           {399, 0, HTTOPRIGHT},  {0, 299, HTBOTTOMLEFT},
        {378, 285, HTBOTTOMRIGHT}, {377, 285, HTCAPTION}, {399, 299, HTBOTTOMRIGHT},
    };
    for (const Case& c : cases) {
        DWORD_PTR code = 0;
        SendMessageTimeoutW(ruler.Window(), WM_NCHITTEST, 0, MAKELPARAM(kRuler.left + c.x, kRuler.top + c.y),
                            SMTO_NORMAL, 2000, &code);
        EXPECT_EQ(c.code, static_cast<LRESULT>(code)) << "at client " << c.x << "," << c.y;
    }

    const POINT box = {kRuler.left + 10, kRuler.top + 10};
    EXPECT_TRUE(DragFrame(ruler.Window(), box, {kRuler.left + 160, kRuler.top + 90}, [&](POINT at) {
        return ruler.Rect().left == kRuler.left + at.x - box.x && ruler.Rect().top == kRuler.top + at.y - box.y;
    }));
    const RECT moved = {250, 180, 650, 480};
    EXPECT_EQ(Edges(moved), Edges(ruler.Rect()));
}

TEST_F(RulerView, SizeGripResizesRecomposesAndStopsAtTwiceTheBar)
{
    SolidWindow backdrop({50, 50, 700, 700}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    UserInput::Drag(kRuler.right - 10, kRuler.bottom - 10, kRuler.right + 90, kRuler.bottom + 190);
    const RECT grown = {100, 100, 600, 600};
    PumpUntil([&] { return Edges(ruler.Rect()) == Edges(grown); });
    ASSERT_EQ(Edges(grown), Edges(ruler.Rect()));
    // The big tick at 400 and the new right bar show once the bars are laid out for the final
    // size (the drag passed through smaller ones); the picture is taken once painting is done.
    ASSERT_TRUE(WaitForPixel(grown.left + 440, grown.top + 30, kRed));
    EXPECT_TRUE(WaitForPixel(grown.left + 480, grown.top + 200, kWhite)) << "the new right bar is solid";
    EXPECT_TRUE(WaitForPixel(grown.left + 300, grown.top + 280, kBackdrop)) << "the old bottom bar is now inner area";
    SteadyShotOf(ruler.Window());
    const ClientShot shot(grown);

    // Both length labels now read the new inner size 420. The right one stands alone; the top
    // one, centred on 460, overlaps the number "400" and hides it with its opaque background, so
    // the two show the same glyphs.
    const RECT side = InkBox(shot, {462, 451, 500, 480});
    ASSERT_GT(side.right, side.left);
    EXPECT_NEAR(460, CentreY(side), 3);
    EXPECT_GE(side.right, 494);
    const RECT topUnion = InkBox(shot, {450, 0, 500, 20});
    const int w = side.right - side.left, h = side.bottom - side.top;
    const RECT label = {topUnion.right - w, topUnion.top, topUnion.right, topUnion.top + h};
    EXPECT_NEAR(460, CentreX(label), 3);
    int differences = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF a = shot.At(label.left + x, label.top + y), b = shot.At(side.left + x, side.top + y);
            if ((IsInk(a) ? a : kWhite) != (IsInk(b) ? b : kWhite)) ++differences;
        }
    EXPECT_EQ(0, differences) << "top length label differs from the right one";

    UserInput::Drag(grown.right - 10, grown.bottom - 10, 20, 20);
    const RECT smallest = {100, 100, 100 + 2 * kS, 100 + 2 * kS};
    PumpUntil([&] { return Edges(ruler.Rect()) == Edges(smallest); });
    EXPECT_EQ(Edges(smallest), Edges(ruler.Rect()));
}

TEST_F(RulerView, RightDragOntoAWindowFitsTheRulerAroundIt)
{
    const RECT targetRect = {700, 500, 1000, 700};
    SolidWindow target(targetRect, kBackdrop, true);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());

    // A right click moved one pixel to the right targets the ruler itself, which does nothing
    // (a line added by a double-click shows that the release has been handled)...
    UserInput::Drag(kOnTopBar.x, kOnTopBar.y, kOnTopBar.x + 1, kOnTopBar.y, true);
    UserInput::DoubleClick(kOnTopBar.x, kOnTopBar.y);
    ASSERT_TRUE(WaitForPixel(kOnTopBar.x, kInner.top + 50, RGB(0, 255, 255)));
    EXPECT_EQ(nullptr, ContextMenuOf(ruler));
    EXPECT_EQ(Edges(kRuler), Edges(ruler.Rect()));
    // ...while without the move it opens the context menu.
    HWND menu = OpenContextMenu(ruler, kOnTopBar.x, kOnTopBar.y);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(CloseMenu(menu));

    UserInput::Drag(kOnTopBar.x, kOnTopBar.y, 995, 695, true);
    const RECT around = {700 - kS, 500 - kS, 1000 + kS, 700 + kS};
    PumpUntil([&] { return Edges(ruler.Rect()) == Edges(around); });
    EXPECT_EQ(Edges(around), Edges(ruler.Rect()));
    EXPECT_EQ(Edges(targetRect), Edges(target.Rect()));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == target.Handle(); }));
    EXPECT_EQ(nullptr, ContextMenuOf(ruler));
}

TEST_F(RulerView, CtrlRightDragFitsTheWindowIntoTheInnerArea)
{
    SolidWindow target({700, 500, 1000, 700}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    UserInput::Drag(kOnTopBar.x, kOnTopBar.y, 995, 695, true, true);
    PumpUntil([&] { return Edges(target.Rect()) == Edges(kInner); });
    EXPECT_EQ(Edges(kInner), Edges(target.Rect()));
    EXPECT_EQ(Edges(kRuler), Edges(ruler.Rect()));
    // The window now fills exactly the see-through area.
    EXPECT_TRUE(WaitForPixel(kInner.left, kInner.top, kBackdrop));
    EXPECT_TRUE(WaitForPixel(kInner.right - 1, kInner.bottom - 1, kBackdrop));
}

TEST_F(RulerView, CtrlRightDragOntoAChildAsksBeforeMovingIt)
{
    SolidWindow parent({600, 450, 1100, 850}, kBackdrop);
    const HWND child = parent.AddButton({50, 50, 250, 150});
    const RECT childRect = WindowRectOf(child);
    ASSERT_EQ(Edges(RECT{650, 500, 850, 600}), Edges(childRect));
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());

    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDNO ? "answer No" : "answer Yes");
        UserInput::Drag(kOnTopBar.x, kOnTopBar.y, 750, 550, true, true);
        HWND box = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (box = MessageBoxOf(ruler)) != nullptr; }));
        EXPECT_TRUE(HasChildText(box, L"Does it continue?"));
        EXPECT_EQ(Edges(childRect), Edges(WindowRectOf(child))) << "nothing moves before the answer";
        ASSERT_TRUE(Answer(box, answer));
        if (answer == IDNO) {
            ruler.Sync();
            EXPECT_EQ(Edges(childRect), Edges(WindowRectOf(child)));
        } else {
            PumpUntil([&] { return Edges(WindowRectOf(child)) == Edges(kInner); });
            EXPECT_EQ(Edges(kInner), Edges(WindowRectOf(child)));
        }
        EXPECT_EQ(Edges(RECT{600, 450, 1100, 850}), Edges(parent.Rect())) << "the parent stays";
        EXPECT_EQ(Edges(kRuler), Edges(ruler.Rect()));
    }
}

namespace {

// The user's display scale, as Wine reads it when a program starts.
class DisplayScale {
public:
    explicit DisplayScale(DWORD dpi)
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                        nullptr);
        DWORD size = sizeof(m_old);
        m_hadOld = RegQueryValueExA(m_key, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&m_old), &size) ==
                   ERROR_SUCCESS;
        RegSetValueExA(m_key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    }
    ~DisplayScale()
    {
        if (m_hadOld)
            RegSetValueExA(m_key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&m_old), sizeof(m_old));
        else
            RegDeleteValueA(m_key, "LogPixels");
        RegCloseKey(m_key);
    }

private:
    HKEY m_key = nullptr;
    DWORD m_old = 0;
    bool m_hadOld = false;
};

} // namespace

TEST_F(RulerView, At150PercentTheFrameGrowsAndTheMeasuresStayInDevicePixels)
{
    const DisplayScale scale(144);
    SolidWindow backdrop({50, 50, 900, 750}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    PostMessageW(ruler.Window(), WM_COMMAND, 32779, 0); // "640 x 480"
    PumpUntil([&] { return ruler.Rect().right - ruler.Rect().left == 760; });
    const RECT r = ruler.Rect();
    ASSERT_EQ(760, r.right - r.left) << "640 device pixels inside 60-pixel bars";
    ASSERT_EQ(600, r.bottom - r.top);
    const int s = 60;
    ASSERT_TRUE(WaitForPixel(r.left + 200, r.top + 200, kBackdrop));
    const ClientShot shot(r);

    // The big tick of 100 stands 100 device pixels from the inner edge, 30 pixels long
    // (its first pixel is on the inner area's first row).
    EXPECT_EQ(Hex(kRed), Hex(shot.At(s + 100, s - 2)));
    EXPECT_EQ(Hex(kRed), Hex(shot.At(s + 100, s - 29)));
    EXPECT_EQ(Hex(kWhite), Hex(shot.At(s + 100, s - 30)));
    EXPECT_EQ(Hex(kRed), Hex(shot.At(s - 2, s + 100))) << "left bar";
    // The bars are solid up to the inner area, which shows the window below whole: no
    // number runs into it.
    const ScreenShot inner(r.left + s, r.top + s, 640, 480);
    EXPECT_EQ(640 * 480, inner.Count({r.left + s, r.top + s, r.right - s, r.bottom - s}, kBackdrop));
    EXPECT_NE(Hex(kBackdrop), Hex(shot.At(s - 1, s + 50)));
    // The left bar's numbers (at 40 px, 1.5 times as wide as at 96 DPI) stay on the bar: none
    // is cut by its outer or inner edge.
    const RECT leftInk = InkBox(shot, {0, s + 40, s, s + 460});
    EXPECT_GT(leftInk.right, leftInk.left + 20) << "numbers are drawn";
    EXPECT_GT(leftInk.left, 0);
    EXPECT_LT(leftInk.right, s);
}

TEST_F(RulerView, SwappedButtonsDragALineWithThePrimaryAndFitWithTheOther)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    const RECT targetRect = {700, 500, 1000, 700};
    SolidWindow target(targetRect, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    const SwappedButtons swapped;
    const bool primaryIsRight = SwappedButtons::PrimaryIsPhysicalRight(target);
    auto column = [](int clientX, COLORREF colour) {
        return WaitForPixel(kRuler.left + clientX, kInner.top + 150, colour);
    };

    // X line 100 added and dragged to 200 with the primary button.
    UserInput::DoubleClick(kRuler.left + 140, kOnTopBar.y, primaryIsRight);
    ASSERT_TRUE(column(140, RGB(0, 255, 255)));
    UserInput::Drag(kRuler.left + 140, kOnTopBar.y, kRuler.left + 240, kOnTopBar.y, primaryIsRight);
    EXPECT_TRUE(column(240, RGB(0, 255, 255))) << "the line follows the primary button to the drop";
    EXPECT_TRUE(column(140, kBackdrop));

    UserInput::Drag(kOnTopBar.x, kOnTopBar.y, 850, 650, !primaryIsRight);
    const RECT around = {700 - kS, 500 - kS, 1000 + kS, 700 + kS};
    EXPECT_TRUE(PumpUntil([&] { return Edges(ruler.Rect()) == Edges(around); }))
        << "the other button fits the ruler around a window";
}
