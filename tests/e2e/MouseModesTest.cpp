// Mouse modes as a user meets them: every drag and targeting ends, whatever takes the mouse,
// and leaves nothing drawn on the screen; moving and resizing by the frame; the coordinate tip.
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

#include "resources/resource.h"

#include <array>
#include <cwchar>
#include <functional>
#include <string>
#include <tuple>

namespace {

constexpr int kS = 40;                        // default ScaleSize
constexpr RECT kRuler = {100, 100, 500, 400}; // a 400 x 300 client area
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kCyan = RGB(0, 255, 255);

std::array<LONG, 4> Edges(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

RECT Inflated(RECT r, int by)
{
    InflateRect(&r, by, by);
    return r;
}

POINT Centre(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A point on the ruler's top bar that reaches it as a client-area press.
POINT OnTopBar(const RECT& ruler)
{
    return {ruler.left + 200, ruler.top + 30};
}

// Wine's Notepad: a real other program, with a title bar and an edit control.
class Notepad {
public:
    explicit Notepad(const RECT& rect)
    {
        wchar_t command[] = L"notepad.exe";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process))
            return;
        WaitForInputIdle(m_process.hProcess, 10000);
        PumpUntil([&] { return (m_window = WindowOfProcess(m_process.dwProcessId, L"Notepad")) != nullptr; }, 10000);
        MoveTo(rect);
    }
    ~Notepad()
    {
        if (m_window) PostMessageW(m_window, WM_CLOSE, 0, 0);
        if (m_process.hProcess && WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0)
            TerminateProcess(m_process.hProcess, 1);
        if (m_process.hProcess) CloseHandle(m_process.hProcess);
        if (m_process.hThread) CloseHandle(m_process.hThread);
    }
    Notepad(const Notepad&) = delete;
    Notepad& operator=(const Notepad&) = delete;

    HWND Window() const { return m_window; }
    HWND Edit() const { return FindWindowExW(m_window, nullptr, L"Edit", nullptr); }
    void MoveTo(const RECT& r) const
    {
        DWORD_PTR ignored = 0;
        SetWindowPos(m_window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageTimeoutW(m_window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    }
    // A point on the title bar, clear of its buttons.
    POINT OnTitleBar() const
    {
        const RECT r = WindowRectOf(m_window);
        return {r.left + 60, r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    }

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_window = nullptr;
};

bool RulerBecomes(const RulerSession& ruler, const RECT& want)
{
    return PumpUntil([&] { return Edges(ruler.Rect()) == Edges(want); });
}

COLORREF Inverted(COLORREF c)
{
    return c ^ 0x00FFFFFF;
}

// Screen point of a client point of the ruler at kRuler.
POINT At(int x, int y)
{
    return {kRuler.left + x, kRuler.top + y};
}

// A guide line's column (row) seen low in the inner area, clear of the Version box, which
// opens at the ruler's top left, and of menus opened from the bottom bar.
bool ColumnShows(int clientX, COLORREF colour)
{
    return WaitForPixel(At(clientX, 250).x, At(clientX, 250).y, colour);
}

bool RowShows(int clientY, COLORREF colour)
{
    return WaitForPixel(At(250, clientY).x, At(250, clientY).y, colour);
}

void TrayClick(const RulerSession& ruler)
{
    PostMessageW(ruler.Window(), WM_USER + 16, 1, WM_LBUTTONUP);
}

bool CloseMenuWithEsc(const RulerSession& ruler)
{
    UserInput::Key(VK_ESCAPE);
    return PumpUntil([&] { return ContextMenuOf(ruler) == nullptr; });
}

// The coordinate tooltip's text while it shows; empty while it does not.
std::wstring ShownTip(const RulerSession& ruler)
{
    HWND tip = WindowOfProcess(ruler.ProcessId(), L"tooltips_class32");
    return tip ? TextOf(tip) : std::wstring();
}

class MouseModes : public testing::Test {
protected:
    void SetUp() override { StartAfreshAt(kRuler); }
    void TearDown() override { MensuroRegistry().Clear(); }
};

} // namespace

TEST_F(MouseModes, TargetingAnotherProgramTwiceThenTheMenu)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    Notepad notepad({600, 450, 1000, 750});
    ASSERT_NE(nullptr, notepad.Window());

    const RECT edit = WindowRectOf(notepad.Edit());
    ASSERT_GT(edit.right, edit.left);
    POINT from = OnTopBar(ruler.Rect());
    UserInput::Drag(from.x, from.y, Centre(edit).x, Centre(edit).y, true);
    ASSERT_TRUE(RulerBecomes(ruler, Inflated(edit, kS))) << "fitted around the edit control";

    // The fit brought the program to the front, with its title bar under the ruler's top bar:
    // it moves clear of the ruler, and the second drag ends on its title bar.
    notepad.MoveTo({100, 600, 500, 900});
    from = OnTopBar(ruler.Rect());
    const POINT title = notepad.OnTitleBar();
    UserInput::Press(from.x, from.y, true);
    UserInput::MoveTo(from.x - 100, from.y + 100);
    UserInput::MoveTo(title.x, title.y);
    UserInput::Release(title.x, title.y, true);
    EXPECT_TRUE(RulerBecomes(ruler, Inflated(WindowRectOf(notepad.Window()), kS))) << "fitted around the window";

    from = OnTopBar(ruler.Rect());
    EXPECT_NE(nullptr, OpenContextMenu(ruler, from.x, from.y)) << "the next right click opens the menu";
    EXPECT_TRUE(CloseMenuWithEsc(ruler));
}

TEST_F(MouseModes, RightClickOnAnyPartOfTheBarsOpensTheMenuEveryTime)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    struct Spot {
        const char* name;
        int x, y; // client coordinates
    } const spots[] = {
        {"top band", 200, 14},  {"top band again", 200, 14}, {"top band a third time", 200, 14},
        {"left band", 14, 150}, {"bottom band", 200, 285},   {"right band", 385, 150},
        {"move box", 10, 10},   {"top edge", 200, 3},        {"size grip", 390, 290},
        {"top bar", 200, 30},
    };
    for (const Spot& spot : spots) {
        SCOPED_TRACE(spot.name);
        EXPECT_NE(nullptr, OpenContextMenu(ruler, At(spot.x, spot.y).x, At(spot.x, spot.y).y));
        EXPECT_TRUE(CloseMenuWithEsc(ruler));
    }
    EXPECT_EQ(Edges(kRuler), Edges(ruler.Rect()));
}

// A quick hand's second right click, within the double-click time of the first.
TEST_F(MouseModes, ARightClickSoonAfterTheLastOpensTheMenuAgain)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    struct Spot {
        const char* name;
        int x, y; // client coordinates
    } const spots[] = {{"top band", 200, 14}, {"top bar", 200, 30}};
    for (const Spot& spot : spots) {
        SCOPED_TRACE(spot.name);
        const POINT p = At(spot.x, spot.y);
        ASSERT_NE(nullptr, OpenContextMenu(ruler, p.x, p.y));
        ASSERT_TRUE(CloseMenuWithEsc(ruler));
        UserInput::ClickAgainAtOnce(p.x, p.y, true);
        EXPECT_TRUE(PumpUntil([&] { return ContextMenuOf(ruler) != nullptr; })) << "the menu opens again";
        CloseMenuWithEsc(ruler);
    }
}

TEST_F(MouseModes, EscEndsTargetingErasesItsOutlineAndTheNextDragFits)
{
    const RECT targetRect = {700, 500, 1000, 700};
    SolidWindow target(targetRect, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    const POINT from = OnTopBar(kRuler);
    // The outline is the target's edge inverted.
    const POINT edge = {targetRect.left + 1, 600};
    UserInput::Press(from.x, from.y, true);
    UserInput::MoveTo(800, 600);
    UserInput::MoveTo(850, 650);
    ASSERT_TRUE(WaitForPixel(edge.x, edge.y, Inverted(kBackdrop)));
    UserInput::Key(VK_ESCAPE);
    EXPECT_TRUE(WaitForPixel(edge.x, edge.y, kBackdrop)) << "Esc took the outline away";
    UserInput::Release(850, 650, true);
    // A line added by a double-click shows that the release has been handled.
    UserInput::DoubleClick(from.x, from.y);
    ASSERT_TRUE(WaitForPixel(from.x, 250, kCyan));
    EXPECT_EQ(Edges(kRuler), Edges(ruler.Rect())) << "nothing is fitted after Esc";
    EXPECT_EQ(nullptr, ContextMenuOf(ruler));

    UserInput::Drag(from.x, from.y, 850, 650, true);
    EXPECT_TRUE(RulerBecomes(ruler, Inflated(targetRect, kS))) << "the next drag starts afresh";
    EXPECT_TRUE(WaitForPixel(edge.x, edge.y, kBackdrop));
}

TEST_F(MouseModes, LineDragEndsWhenADialogOrAMenuTakesTheMouseOrOnEsc)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    // X line 100, grabbed on the bottom bar: a menu opens below the pointer, clear of the line.
    const POINT onBottom = At(140, 270);
    UserInput::DoubleClick(onBottom.x, onBottom.y);
    ASSERT_TRUE(ColumnShows(140, kCyan));

    HWND box = nullptr;
    struct Way {
        const char* name;
        std::function<bool()> takeOver, giveBack;
    } const ways[] = {
        {"the Version box opens",
         [&] {
             PostMessageW(ruler.Window(), WM_COMMAND, ID_APP_ABOUT, 0);
             return PumpUntil([&] { return (box = ruler.FindOwnWindow(L"Version")) != nullptr; });
         },
         [&] { return CloseDialog(ruler, box, IDOK); }},
        {"the tray menu opens",
         [&] {
             TrayClick(ruler);
             return PumpUntil([&] { return ContextMenuOf(ruler) != nullptr; });
         },
         [&] { return CloseMenuWithEsc(ruler); }},
        {"Esc", [] { return UserInput::Key(VK_ESCAPE), true; }, [] { return true; }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        // The press finds the line where the last round left it: moves without a button drag nothing.
        UserInput::Press(onBottom.x, onBottom.y);
        UserInput::MoveTo(At(190, 270).x, onBottom.y);
        UserInput::MoveTo(At(240, 270).x, onBottom.y);
        ASSERT_TRUE(ColumnShows(240, Inverted(kBackdrop))) << "the drag is on";
        ASSERT_TRUE(way.takeOver());
        EXPECT_TRUE(ColumnShows(240, kBackdrop)) << "the moving band is erased";
        EXPECT_TRUE(ColumnShows(140, kCyan)) << "the line is back where it was";
        ASSERT_TRUE(way.giveBack());
        UserInput::Release(At(240, 270).x, onBottom.y);
        UserInput::MoveTo(At(300, 270).x, onBottom.y);
    }
    UserInput::Drag(onBottom.x, onBottom.y, At(240, 270).x, onBottom.y);
    EXPECT_TRUE(ColumnShows(240, kCyan)) << "the next press drags again";
    EXPECT_TRUE(ColumnShows(140, kBackdrop));
}

TEST_F(MouseModes, HorizontalLineDragsOnWhileInsertAndDeleteWait)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    // Y line 100 from the left bar.
    const POINT onLeft = At(30, 140);
    UserInput::DoubleClick(onLeft.x, onLeft.y);
    ASSERT_TRUE(RowShows(140, kCyan));

    UserInput::Press(onLeft.x, onLeft.y);
    UserInput::MoveTo(onLeft.x, At(30, 190).y);
    UserInput::MoveTo(onLeft.x, At(30, 240).y);
    ASSERT_TRUE(RowShows(240, Inverted(kBackdrop)));
    UserInput::Key(VK_DELETE);
    UserInput::Key(VK_INSERT);
    UserInput::MoveTo(onLeft.x, At(30, 200).y);
    UserInput::Release(onLeft.x, At(30, 200).y);
    EXPECT_TRUE(RowShows(200, kCyan)) << "the line follows the pointer to the drop";
    EXPECT_TRUE(RowShows(140, kBackdrop));
    EXPECT_TRUE(RowShows(240, kBackdrop)) << "the keys added no line";

    // Once the drag is over, Delete takes the line at the pointer.
    UserInput::Key(VK_DELETE);
    EXPECT_TRUE(RowShows(200, kBackdrop));
}

TEST_F(MouseModes, TrayClickWhileADialogOrMessageBoxIsOpenBringsItForward)
{
    MensuroRegistry().SetDword("CMensuroDlg", "Option", 0x00F | 0x400); // with the copy message
    SolidWindow other({700, 600, 900, 800}, kBackdrop, true);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    auto trayBringsForward = [&](HWND open) {
        SetForegroundWindow(other.Handle());
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other.Handle(); }));
        TrayClick(ruler);
        EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == open; })) << "it comes forward";
        ruler.Sync();
        EXPECT_EQ(nullptr, ContextMenuOf(ruler)) << "no menu opens";
    };

    HWND about = OpenDialog(ruler, ID_APP_ABOUT, L"Version");
    ASSERT_NE(nullptr, about);
    {
        SCOPED_TRACE("the Version box");
        trayBringsForward(about);
    }
    ASSERT_TRUE(CloseDialog(ruler, about, IDOK));

    PostMessageW(ruler.Window(), WM_COMMAND, ID_COPY, 0);
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = MessageBoxOf(ruler)) != nullptr; }));
    // Shown before it activates itself: the ruler's thread is back in a loop once it has, and
    // only then can another window take the foreground from it for good.
    ruler.Sync();
    {
        SCOPED_TRACE("the copy message");
        trayBringsForward(box);
    }
    ASSERT_TRUE(Answer(box, IDOK));

    // The loupe's window, owned by the ruler too, is never the one brought forward.
    PostMessageW(ruler.Window(), WM_COMMAND, ID_LOUPE, 0);
    ASSERT_TRUE(PumpUntil([&] { return WindowOfProcess(ruler.ProcessId(), L"MensuroLoupe") != nullptr; }));
    about = OpenDialog(ruler, ID_APP_ABOUT, L"Version");
    ASSERT_NE(nullptr, about);
    {
        SCOPED_TRACE("the Version box beside the loupe");
        trayBringsForward(about);
    }
    ASSERT_TRUE(CloseDialog(ruler, about, IDOK));

    TrayClick(ruler);
    EXPECT_TRUE(PumpUntil([&] { return ContextMenuOf(ruler) != nullptr; })) << "enabled again, the menu opens";
    EXPECT_TRUE(CloseMenuWithEsc(ruler));
}

TEST_F(MouseModes, ToolTipShowsThePointerOnABarAndTheLineUnderIt)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    // Active while the ruler is hovered; clear of it, or Wine would hand it the ruler's mouse input.
    SolidWindow active({900, 700, 1000, 800}, kBackdrop, true);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    SetForegroundWindow(active.Handle());
    // Each is approached along a path that shows the same number all the way: under Wine a
    // move's message can carry the position before it.
    struct Hover {
        const char* what;
        int x, y, fromX, fromY; // client coordinates
        const wchar_t* tip;
    } const hovers[] = {
        {"top bar", 200, 30, 200, 24, L"160"},
        {"left bar", 30, 100, 24, 100, L"60"},
        // A line's tip also gives the gaps to its neighbours, here the inner area's edges.
        {"X line 100 in the inner area", 140, 200, 140, 190, L"100  (100 | 220)"},
    };
    for (const Hover& hover : hovers) {
        SCOPED_TRACE(hover.what);
        if (hover.x == 140) {
            UserInput::DoubleClick(At(140, 30).x, At(140, 30).y);
            ASSERT_TRUE(ColumnShows(140, kCyan));
            SetForegroundWindow(active.Handle());
        }
        UserInput::MoveTo(At(hover.fromX, hover.fromY).x, At(hover.fromX, hover.fromY).y);
        UserInput::MoveTo(At(hover.x, hover.y).x, At(hover.x, hover.y).y);
        std::wstring shown;
        EXPECT_TRUE(PumpUntil([&] { return (shown = ShownTip(ruler)) == hover.tip; }, 5000))
            << "the tip shows \"" << std::string(shown.begin(), shown.end()) << "\"";
    }
}

TEST_F(MouseModes, EndOfTheSessionSavesWhatExitSaves)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    // Moved by its top band, made not topmost.
    UserInput::Drag(At(200, 14).x, At(200, 14).y, At(260, 54).x, At(260, 54).y);
    const RECT moved = {160, 140, 560, 440};
    ASSERT_TRUE(RulerBecomes(ruler, moved));
    PostMessageW(ruler.Window(), WM_COMMAND, ID_TOPMOST, 0);
    ASSERT_TRUE(PumpUntil([&] { return !(GetWindowLongW(ruler.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST); }));

    // What Windows does at logoff: ask, tell, then end the process without destroying the window.
    DWORD_PTR answer = 0;
    ASSERT_TRUE(
        SendMessageTimeoutW(ruler.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(TRUE, static_cast<BOOL>(answer)) << "the ruler lets the session end";
    ASSERT_TRUE(
        SendMessageTimeoutW(ruler.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer));
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ruler.ProcessId());
    ASSERT_NE(nullptr, process);
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);

    const RegistryScope reg = MensuroRegistry();
    EXPECT_EQ(160u, reg.Dword("CMensuroDlg", "LEFT").value_or(0));
    EXPECT_EQ(140u, reg.Dword("CMensuroDlg", "TOP").value_or(0));
    EXPECT_EQ(560u, reg.Dword("CMensuroDlg", "RIGHT").value_or(0));
    EXPECT_EQ(440u, reg.Dword("CMensuroDlg", "BOTTOM").value_or(0));
    EXPECT_EQ(0x00Eu, reg.Dword("CMensuroDlg", "Option").value_or(0)) << "topmost off is saved";
}

TEST_F(MouseModes, EveryEdgeAndCornerResizesAndEveryBandMoves)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    constexpr int dx = 30, dy = 20;
    // The press at `in` pixels from the side named by sx, sy (-1 left or top, 1 right or
    // bottom, 0 the middle); the edges follow the drag by the factors l, t, r, b.
    struct Zone {
        const char* name;
        int sx, sy, in;
        int l, t, r, b;
    } const zones[] = {
        {"top edge", 0, -1, 3, 0, 1, 0, 0},          {"bottom edge", 0, 1, 3, 0, 0, 0, 1},
        {"left edge", -1, 0, 3, 1, 0, 0, 0},         {"right edge", 1, 0, 3, 0, 0, 1, 0},
        {"top right corner", 1, -1, 2, 0, 1, 1, 0},  {"bottom left corner", -1, 1, 2, 1, 0, 0, 1},
        {"bottom right grip", 1, 1, 10, 0, 0, 1, 1}, {"top band", 0, -1, 14, 1, 1, 1, 1},
        {"bottom band", 0, 1, 14, 1, 1, 1, 1},       {"left band", -1, 0, 14, 1, 1, 1, 1},
        {"right band", 1, 0, 14, 1, 1, 1, 1},
    };
    for (const Zone& z : zones) {
        SCOPED_TRACE(z.name);
        const RECT r = ruler.Rect();
        auto along = [&](int side, LONG low, LONG high) {
            return side < 0 ? low + z.in : side > 0 ? high - 1 - z.in : (low + high) / 2;
        };
        const POINT from = {along(z.sx, r.left, r.right), along(z.sy, r.top, r.bottom)};
        const RECT want = {r.left + z.l * dx, r.top + z.t * dy, r.right + z.r * dx, r.bottom + z.b * dy};
        // Out and back for the next zone, by the same means. The frame follows the pointer.
        for (const auto& [start, end, result] : {std::tuple{from, POINT{from.x + dx, from.y + dy}, want},
                                                 std::tuple{POINT{from.x + dx, from.y + dy}, from, r}}) {
            const RECT before = ruler.Rect();
            EXPECT_TRUE(DragFrame(ruler.Window(), start, end, [&](POINT at) {
                const LONG x = at.x - start.x, y = at.y - start.y;
                return Edges(ruler.Rect()) == Edges(RECT{before.left + z.l * x, before.top + z.t * y,
                                                         before.right + z.r * x, before.bottom + z.b * y});
            }));
            EXPECT_EQ(Edges(result), Edges(ruler.Rect()));
        }
    }
}
